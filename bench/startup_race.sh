#!/usr/bin/env bash
# Races Vespermark's start-up against a bare window in one Wine session
# (alternating runs, medians) and compares the anonymous memory of the two
# running processes. Run by hand, inside the build lock, after building
# Vespermark, bare_window, startup_race and startup_bench (windows preset):
#   flock /tmp/vespermark-build.lock bench/startup_race.sh [RUNS]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
RUNS="${1:-15}"
BUILD="$ROOT/build/windows"
PROGRAM="$BUILD/src/app/Vespermark.exe"
BARE="$BUILD/tests/bare_window.exe"
RACE="$BUILD/tests/startup_race.exe"
PHASES="$BUILD/tests/startup_bench.exe"
source "$ROOT/scripts/common.sh"
start_xvfb
setup_wine
trap 'stop_wine; stop_xvfb' EXIT

# The sum of the Anonymous lines of a Wine process's mappings, in KiB.
anonymous_kib() { awk '/^Anonymous:/ { sum += $2 } END { print sum }' "/proc/$1/smaps"; }

# Starts one copy through the driver with the pointer at screen X Y, reads
# its memory once it is painted.
memory_of() {
  local exe="$1" x="$2" y="$3" name pid=""
  name="$(basename "$exe")"
  timeout 60 wine "$RACE" hold 4 "$(winepath -w "$exe")" "$x" "$y" >/dev/null 2>&1 &
  local driver=$!
  sleep 3
  pid="$(pgrep -n -f "$name" || true)"
  if [ -n "$pid" ]; then anonymous_kib "$pid"; else echo "?"; fi
  wait "$driver" || true
}

echo "== start-up, $RUNS alternating runs"
timeout 580 wine "$RACE" "$RUNS" "$(winepath -w "$PROGRAM")" "$(winepath -w "$BARE")"

# At rest, with the pointer away from the window; then with it over the
# clock face, whose hint brings the system's tooltip control in.
echo "== anonymous memory (KiB), three copies each"
for place in "away 0 0" "over-the-face 590 380"; do
  set -- $place
  for i in 1 2 3; do
    echo "pointer $1: Vespermark.exe $(memory_of "$PROGRAM" "$2" "$3")   bare_window.exe $(memory_of "$BARE" "$2" "$3")"
  done
done

if [ -x "$PHASES" ]; then
  echo "== phases of the program's start-up"
  timeout 300 wine "$PHASES" "$RUNS"
fi
