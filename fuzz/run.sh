#!/usr/bin/env bash
# Replays a fuzz target's regression inputs, then fuzzes it for SECONDS from
# its seeds and the corpus it has grown in earlier runs. Needs the fuzz
# preset built. Crashers land in build/fuzz/crashes/TARGET/; once the fault
# is fixed, keep them in fuzz/regressions/TARGET/.
#
#   fuzz/run.sh TARGET SECONDS [LIBFUZZER OPTIONS...]
#
# TARGET is a fuzz/*_fuzz.cpp without the suffix: packed_skin, bmp, skin_ini,
# form_stream, skin_engine.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
[ $# -ge 2 ] || { sed -n '2,9s/^# \{0,1\}//p' "$0" >&2; exit 2; }
target="$1" seconds="$2"
shift 2

FUZZ="$ROOT/build/fuzz"
binary="$FUZZ/fuzz/${target}_fuzz"
[ -x "$binary" ] || { echo "no fuzz target $binary: build the fuzz preset first" >&2; exit 2; }

# Inputs are kept to what the format's real files need; larger ones only slow the search.
sources=("$FUZZ/seeds/$target")
options=()
malloc_limit=512
case "$target" in
  packed_skin) max_len=8192; options+=(-dict="$FUZZ/seeds/skin_ini.dict") ;;
  skin_ini) max_len=8192; options+=(-dict="$FUZZ/seeds/skin_ini.dict") ;;
  # The whole engine draws what a skin asks for: no allocation may pass 64 MiB.
  skin_engine) max_len=8192; malloc_limit=64; options+=(-dict="$FUZZ/seeds/skin_ini.dict") ;;
  bmp)
    max_len=16384
    sources+=("$ROOT/assets/skin")
    sources+=("$ROOT/tests/fixtures/bmpsuite")
    ;;
  *) max_len=8192 ;;
esac
[ -d "$ROOT/fuzz/corpus/$target" ] && sources+=("$ROOT/fuzz/corpus/$target")

# libFuzzer runs files named on its command line once each.
shopt -s nullglob
regressions=("$ROOT/fuzz/regressions/$target"/*)
if [ ${#regressions[@]} -gt 0 ]; then
  echo "replaying ${#regressions[@]} regression input(s)"
  "$binary" -rss_limit_mb=2048 -malloc_limit_mb="$malloc_limit" -timeout=10 "${regressions[@]}"
fi

corpus="$FUZZ/corpus/$target" crashes="$FUZZ/crashes/$target"
mkdir -p "$corpus" "$crashes"
# A single allocation over malloc_limit MiB is a crash: no input of max_len
# bytes should need one.
exec "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb="$malloc_limit" \
  -max_len="$max_len" -artifact_prefix="$crashes/" -print_final_stats=1 "${options[@]}" "$@" \
  "$corpus" "${sources[@]}"
