#!/usr/bin/env bash
# End-to-end: the real Vespermark.exe under Wine in the build's private
# prefix. It shows its window, Start hides it into the tray, and with the
# target one minute ahead it makes the power-off request, which under Wine
# ends the prefix's session: the process must end by itself.
# Then it starts it again and closes it through the skinned system menu.
# Wine only: on a real Windows host this would power the machine off.
set -uo pipefail
BUILD="${1:?usage: run_e2e.sh BUILD_DIR}"
EXE="$BUILD/src/app/Vespermark.exe"
DRIVER="$BUILD/tests/e2e_driver.exe"
: "${WINEPREFIX:?run under the test script, which sets up the private prefix}"
command -v wine >/dev/null || { echo "wine is missing"; exit 1; }

# Driver output goes through a file: Wine's own helper processes may inherit
# and hold a pipe open long after the driver ends.
OUT="$BUILD/e2e-driver.out"
drive() {
  wine "$DRIVER" "$1" >"$OUT" 2>&1
  local status=$?
  out=$(tr -d '\r' <"$OUT")  # Wine's console ends lines with CR LF
  return $status
}

passed=0
failed=0
check() {
  if [ "$1" -eq 0 ]; then
    passed=$((passed + 1)); echo "[       OK ] $2"
  else
    failed=$((failed + 1)); echo "[  FAILED  ] $2"
  fi
}

start=$(date +%s.%N)
wine "$EXE" &
APP=$!

drive window; status=$?
echo "$out"
shown=$(date +%s.%N)
check $status "starts and shows its window"
awk -v a="$start" -v b="$shown" 'BEGIN { printf "start-up to a shown window: %.2f s\n", b - a }'
read -r _ _ x y w h <<<"$(echo "$out" | grep '^ok window')"
if [ -n "${w:-}" ]; then
  xdotool mousemove 0 0 2>/dev/null  # no hint over the picture
  sleep 1
  import -window root -crop "${w}x${h}+${x}+${y}" "$BUILD/e2e-window.png" 2>/dev/null
  check $? "screenshot saved to $BUILD/e2e-window.png"

  # A drag on the caption with the real mouse moves the window.
  xdotool mousemove $((x + 60)) $((y + 10)) mousedown 1 mousemove $((x + 80)) $((y + 25)) \
    sleep 0.2 mousemove $((x + 100)) $((y + 40)) sleep 0.2 mouseup 1 2>/dev/null
  sleep 0.5
  drive window
  read -r _ _ x2 y2 _ _ <<<"$(echo "$out" | grep '^ok window')"
  [ "${x2:-}" = "$((x + 40))" ] && [ "${y2:-}" = "$((y + 30))" ]
  check $? "a drag on the caption moves the window ($x,$y to ${x2:-?},${y2:-?})"
fi

# A screen reader's view from another process: Start, the clock face and the link.
drive accessible; status=$?
echo "$out"
check $status "Start, the clock face and the link answer a screen reader"

drive arm; status=$?
echo "$out"
check $status "the target is typed, Start hides the window and a tray click leaves it hidden"

target=$(echo "$out" | sed -n 's/^ok target //p')
# The target is at most about 75 s away; the request then ends the session,
# and not before the target minute has come.
ended=1
for _ in $(seq 150); do
  if ! kill -0 "$APP" 2>/dev/null; then ended=0; break; fi
  sleep 1
done
check $ended "the power-off request ends the session"
now=$(date +%H:%M)
[ -n "$target" ] && { [ "$now" = "$target" ] || [ "$(date -d '1 minute ago' +%H:%M)" = "$target" ]; }
check $? "it ended in the target minute ($target, now $now)"
kill "$APP" 2>/dev/null

# Again, for the system menu: a right click on the caption opens the skinned
# menu without taking the activation, and its last item, "Close", ends the
# program.
wine "$EXE" &
APP=$!
drive window
read -r _ _ x y _ _ <<<"$(echo "$out" | grep '^ok window')"
if [ -n "${x:-}" ]; then
  xdotool mousemove $((x + 60)) $((y + 10)) click 3 2>/dev/null
  drive menu; status=$?
  echo "$out"
  check $status "a right click on the caption opens the skinned system menu"
  echo "$out" | grep -q '^ok menu items .*Close$'
  check $? "the menu's items answer a screen reader by their captions"
  read -r _ _ mx my mw mh <<<"$(echo "$out" | grep '^ok menu')"
  if [ -n "${mw:-}" ]; then
    sleep 0.5
    import -window root -crop "$((mx + mw - x + 10))x$((my + mh - y + 10))+${x}+${y}" "$BUILD/e2e-menu.png" 2>/dev/null
    # "Close" is the last item: 22 pixels high above the menu's 13-pixel bottom edge.
    xdotool mousemove $((mx + mw / 2)) $((my + mh - 24)) sleep 0.3 click 1 2>/dev/null
    ended=1
    for _ in $(seq 20); do
      if ! kill -0 "$APP" 2>/dev/null; then ended=0; break; fi
      sleep 0.5
    done
    check $ended "choosing \"Close\" in it ends the program"
  fi
fi
kill "$APP" 2>/dev/null

echo "[==========] $((passed + failed)) tests ran."
echo "[  PASSED  ] $passed tests."
[ "$failed" -eq 0 ] || echo "[  FAILED  ] $failed tests, listed above"
[ "$failed" -eq 0 ]
