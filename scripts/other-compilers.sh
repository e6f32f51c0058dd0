#!/usr/bin/env bash
# Builds with clang as well as GCC, so the code keeps to standard C++20 and
# the Win32 API: the native build and its tests with clang, and the Windows
# build with clang targeting MinGW-w64, whose Win32 tests then run under
# Wine. Too slow to join test.sh on two cores.
set -uo pipefail
source "$(dirname "$0")/common.sh"
cd "$ROOT"

install_missing || exit 1
LOGS="$ROOT/build/test-logs"
mkdir -p "$LOGS"
status=0

echo "== native build with clang"
if cmake --preset native-clang >"$LOGS/build-native-clang.log" 2>&1 &&
   cmake --build "$ROOT/build/native-clang" -j"$JOBS" >>"$LOGS/build-native-clang.log" 2>&1; then
  timeout 600 "$ROOT/build/native-clang/tests/native_tests" >"$LOGS/native-clang.log" 2>&1 || status=1
  grep -aE '^\[  (PASSED|FAILED)  \]' "$LOGS/native-clang.log"
else
  tail -40 "$LOGS/build-native-clang.log"
  status=1
fi

echo "== windows build with clang"
# The cross build takes formc and the other tools from the GCC native build.
if build_native >"$LOGS/build-native.log" 2>&1 && cmake --preset windows-clang >"$LOGS/build-windows-clang.log" 2>&1 &&
   cmake --build "$ROOT/build/windows-clang" -j"$JOBS" >>"$LOGS/build-windows-clang.log" 2>&1; then
  ls -l "$ROOT/build/windows-clang/src/app/Vespermark.exe"
  start_xvfb && setup_wine
  timeout 900 "$ROOT/cmake/wine-run.sh" "$ROOT/build/windows-clang/tests/wine_tests.exe" >"$LOGS/wine-clang.log" 2>&1 || status=1
  stop_wine
  stop_xvfb
  grep -aE '^\[  (PASSED|FAILED)  \]' "$LOGS/wine-clang.log"
else
  tail -40 "$LOGS/build-windows-clang.log"
  status=1
fi

[ "$status" -eq 0 ] && echo "other compilers: passed" || echo "other compilers: FAILED"
exit "$status"
