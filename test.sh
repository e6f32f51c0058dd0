#!/usr/bin/env bash
# Installs what is missing, checks that includes point down the source
# folders, builds every preset and runs every test suite: the native tests
# (also under AddressSanitizer and UBSan), the form tests with a 64-bit long
# double as MSVC has, the fuzz targets for a bounded time each
# (FUZZ_SECONDS), the Win32 tests under Wine on Xvfb, and the end-to-end run
# of Vespermark.exe.
set -uo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$ROOT"

install_missing || exit 1
LOGS="$ROOT/build/test-logs"
mkdir -p "$LOGS"
rm -f "$LOGS"/*.log
passed=0
failed=0
skipped=0

# Adds a suite's counts from its log; a suite that ran nothing counts as one failure.
count_gtest() {
  local name="$1" log="$2" status="$3"
  local p f s
  p=$(grep -aoE '^\[  PASSED  \] [0-9]+' "$log" | grep -oE '[0-9]+$' | tail -1)
  f=$(grep -aoE '^\[  FAILED  \] [0-9]+ test' "$log" | grep -oE '[0-9]+' | tail -1)
  s=$(grep -aoE '^\[  SKIPPED \] [0-9]+ test' "$log" | grep -oE '[0-9]+' | tail -1)
  p=${p:-0}; f=${f:-0}; s=${s:-0}
  if { [ "$status" -ne 0 ] && [ "$f" -eq 0 ]; } || [ $((p + f + s)) -eq 0 ]; then f=$((f + 1)); fi
  passed=$((passed + p)); failed=$((failed + f)); skipped=$((skipped + s))
  echo "$name: $p passed, $f failed, $s skipped"
  [ "$f" -eq 0 ] || grep -aE '^\[  FAILED  \]|Failure|error' "$log" | head -20
}

# Builds go to logs; a failed one is shown.
quiet() {
  local log="$1"; shift
  "$@" >"$log" 2>&1 || { tail -40 "$log"; return 1; }
}

echo "== floors"
if "$ROOT/scripts/check-floors.sh"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi

echo "== native build"
quiet "$LOGS/build-native.log" build_native || { echo "tests: 0 passed, 1 failed"; exit 1; }
timeout 600 "$ROOT/build/native/tests/native_tests" >"$LOGS/native.log" 2>&1
count_gtest native "$LOGS/native.log" $?

echo "== sanitizer build"
if quiet "$LOGS/build-asan.log" bash -c "cmake --preset native-asan && cmake --build '$ROOT/build/native-asan' -j$JOBS --target native_tests"; then
  timeout 900 "$ROOT/build/native-asan/tests/native_tests" >"$LOGS/native-asan.log" 2>&1
  count_gtest native-asan "$LOGS/native-asan.log" $?
else
  failed=$((failed + 1))
fi

echo "== form tests with a 64-bit long double"
if quiet "$LOGS/build-long-double-64.log" bash -c "cmake --preset long-double-64 && cmake --build '$ROOT/build/long-double-64' -j$JOBS"; then
  timeout 300 "$ROOT/build/long-double-64/form_tests" >"$LOGS/long-double-64.log" 2>&1
  count_gtest long-double-64 "$LOGS/long-double-64.log" $?
else
  failed=$((failed + 1))
fi

FUZZ_SECONDS="${FUZZ_SECONDS:-15}"
echo "== fuzz build, then each target for ${FUZZ_SECONDS}s"
if quiet "$LOGS/build-fuzz.log" build_fuzz; then
  for source in "$ROOT"/fuzz/*_fuzz.cpp; do
    target=$(basename "$source" _fuzz.cpp)
    log="$LOGS/fuzz-$target.log"
    if timeout $((FUZZ_SECONDS + 120)) "$ROOT/fuzz/run.sh" "$target" "$FUZZ_SECONDS" >"$log" 2>&1; then
      passed=$((passed + 1))
      echo "fuzz $target: clean, $(grep -aoE 'executed_units: +[0-9]+' "$log" | grep -oE '[0-9]+$') runs," \
           "$(grep -aoE 'exec_per_sec: +[0-9]+' "$log" | grep -oE '[0-9]+$') per second"
    else
      failed=$((failed + 1))
      echo "fuzz $target: FAILED"
      grep -aE 'ERROR|fuzz check|SUMMARY|Test unit written' "$log" | head -10
    fi
  done
else
  failed=$((failed + 1))
fi

echo "== windows build"
if quiet "$LOGS/build-windows.log" build_windows; then
  start_xvfb && setup_wine
  RENDERS="$ROOT/build/windows/renders"
  mkdir -p "$RENDERS"
  VESPERMARK_RENDER_DIR="$(winepath -w "$RENDERS" 2>/dev/null)" \
    timeout 900 "$ROOT/cmake/wine-run.sh" "$ROOT/build/windows/tests/wine_tests.exe" >"$LOGS/wine.log" 2>&1
  count_gtest wine "$LOGS/wine.log" $?
  for dpi in 144 192; do
    run_wine_tests_at_dpi "$dpi" "$LOGS/wine-$dpi-dpi.log"
    count_gtest "wine at $dpi DPI" "$LOGS/wine-$dpi-dpi.log" $?
  done
  for bmp in "$RENDERS"/*.bmp; do [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"; done
  timeout 600 "$ROOT/tests/e2e/run_e2e.sh" "$ROOT/build/windows" >"$LOGS/e2e.log" 2>&1
  e2e_status=$?
  count_gtest e2e "$LOGS/e2e.log" $e2e_status
  stop_wine
  stop_xvfb
else
  failed=$((failed + 1))
fi
if [ -f "$ROOT/build/windows/src/app/Vespermark.exe" ]; then
  echo "== load-time imports"
  if "$ROOT/scripts/check-imports.sh"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
fi
# Sizes worth watching.
[ -f "$ROOT/build/windows/src/app/Vespermark.exe" ] && echo "Vespermark.exe: $(stat -c %s "$ROOT/build/windows/src/app/Vespermark.exe") bytes"

echo "tests: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
