#!/usr/bin/env bash
# The real window on a virtual X display: starts build/plovan under Xvfb, finds the window
# titled "Plovan", checks its width, takes a screenshot of it (xwd), quits with the Quit
# shortcut and expects the program to end with status 0 within 10 s. Then the screenshot
# tool draws the window with the example picture loaded and converted, on the same display.
# Usage: window_check.sh PLOVAN SCREENSHOT_TOOL PICTURE OUT_DIR
# Exits 77 (skipped) when xvfb-run, xdotool or xwd is missing; tools/install-deps has them.
set -euo pipefail

plovan=$1 screenshot_tool=$2 picture=$3 out=$4

if [ -z "${WINDOW_CHECK_DISPLAY_READY:-}" ]; then
  for tool in xvfb-run xauth xdotool xwd; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (tools/install-deps installs it)"; exit 77; }
  done
  export WINDOW_CHECK_DISPLAY_READY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

mkdir -p "$out"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime XDG_CONFIG_HOME=$runtime/config QT_QPA_PLATFORM=xcb
log=$out/plovan.log

fail() {
  echo "FAIL: $*" >&2
  [ ! -s "$log" ] || { echo "--- what plovan said:" >&2; cat "$log" >&2; }
  [ -z "${pid:-}" ] || kill "$pid" 2>/dev/null || true
  exit 1
}

"$plovan" >"$log" 2>&1 &
pid=$!

wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Plovan$' 2>/dev/null | head -n 1) || true
[ -n "$wid" ] || fail "no visible window titled Plovan within 10 s"
echo "ok: window $wid titled Plovan is shown"

eval "$(xdotool getwindowgeometry --shell "$wid")"
# The content area is 841 wide; the menu bar sits above it in the same window.
[ "$WIDTH" -eq 841 ] || fail "the window is $WIDTH wide, not 841"
[ "$HEIGHT" -gt 383 ] || fail "the window is $HEIGHT high: no room for the 383 of content and a menu bar"
echo "ok: the window is ${WIDTH}x${HEIGHT} (841x383 of content below the menu bar)"

xwd -id "$wid" -silent >"$out/window.xwd" || fail "xwd could not take a screenshot"
# The dump holds at least one 32-bit pixel for each point of the window.
size=$(stat -c %s "$out/window.xwd")
[ "$size" -ge $((WIDTH * HEIGHT * 4)) ] || fail "the screenshot is only $size bytes"
echo "ok: screenshot $out/window.xwd ($size bytes)"

xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers ctrl+q
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running 10 s after the Quit shortcut"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "plovan ended with status $status after the Quit shortcut"
echo "ok: the Quit shortcut ended plovan with status 0"

"$screenshot_tool" "$picture" "$out/screenshot.png" >"$log" 2>&1 || fail "the screenshot tool failed"
echo "ok: $out/screenshot.png shows the window with $(basename "$picture") converted"
