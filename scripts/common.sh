# Shared by run.sh and test.sh: installs what is missing, builds, and sets up
# a private Wine prefix and an X server for the Windows program.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="${JOBS:-2}"

PACKAGES=(cmake g++ make libgtest-dev zlib1g-dev g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
          wine wine64 xvfb xdotool imagemagick x11-utils fonts-wqy-microhei
          clang libclang-rt-dev libbenchmark-dev)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_native() {
  cmake --preset native >/dev/null && cmake --build "$ROOT/build/native" -j"$JOBS"
}

build_fuzz() {
  cmake --preset fuzz >/dev/null && cmake --build "$ROOT/build/fuzz" -j"$JOBS"
}

build_windows() {
  cmake --preset windows >/dev/null && cmake --build "$ROOT/build/windows" -j"$JOBS"
}

# A private prefix, drawn by Wine itself (no window manager needed).
setup_wine() {
  export WINEPREFIX="$ROOT/build/windows/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export VESPERMARK_WINEPREFIX="$WINEPREFIX"
  local ready="$WINEPREFIX/.vespermark-ready-2"
  if [ ! -f "$ready" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Chinese glyphs for the UI fonts, as font linking gives them on Windows.
    local font
    for font in Tahoma "Microsoft Sans Serif" "MS Sans Serif" "Segoe UI"; do
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$font" \
        /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
    done
    # The session wineboot began stays slow (about two seconds more for every
    # window a test makes) until it ends; the next one is not.
    wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1
    touch "$ready"
  fi
  # A persistent server makes each Wine process start in a tenth of a second.
  (wineserver -p >/dev/null 2>&1 &)
}

stop_wine() { wineserver -k >/dev/null 2>&1 || true; }

# Runs the checks of the main window at a display scale: Wine takes the
# density (LogPixels) when its session starts, so the session is begun anew
# under it, and again at 96 afterwards.
run_wine_tests_at_dpi() {
  local dpi="$1" log="$2" status
  stop_wine
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  stop_wine
  (wineserver -p >/dev/null 2>&1 &)
  VESPERMARK_EXPECTED_DPI="$dpi" timeout 300 "$ROOT/cmake/wine-run.sh" "$ROOT/build/windows/tests/wine_tests.exe" \
    --gtest_filter='DISABLED_ScaledMainForm.*' --gtest_also_run_disabled_tests >"$log" 2>&1
  status=$?
  stop_wine
  wine reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null 2>&1
  stop_wine
  (wineserver -p >/dev/null 2>&1 &)
  return $status
}

# Starts Xvfb on a free display and exports DISPLAY.
XVFB_PID=""
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

stop_xvfb() { [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true; }
