#!/usr/bin/env bash
# The Image menu in the real window on a virtual X display, from the keyboard as a user does
# it: Alt+I, W, Down, Return (384 dots), Alt+I, C (Centre on Paper), Alt+I, H, F
# (Floyd–Steinberg); then "Load Image...." with the path typed into the dialog, "Refresh",
# "Create", Alt+E, A and Alt+E, C. The clipboard must hold exactly the bytes of
# plovan-cli --max-width 384 --center-on 384 --halftone floyd-steinberg for the same file.
# Quit, start again: the choices are remembered, and the same load gives the same bytes.
# Usage: window_check_image_menu.sh PLOVAN PLOVAN_CLI PICTURE OUT_DIR
# Exits 77 (skipped) when xvfb-run, xauth, xdotool or xclip is missing; tools/install-deps has
# them.
set -euo pipefail

plovan=$1 cli=$2 picture=$3 out=$4

if [ -z "${WINDOW_CHECK_DISPLAY_READY:-}" ]; then
  for tool in xvfb-run xauth xdotool xclip; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (tools/install-deps installs it)"; exit 77; }
  done
  export WINDOW_CHECK_DISPLAY_READY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

mkdir -p "$out"
picture=$(realpath "$picture")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 700 "$scratch"
# The choices are remembered in the user's settings: here, a folder of this check's own.
export XDG_RUNTIME_DIR=$scratch HOME=$scratch XDG_CONFIG_HOME=$scratch/config QT_QPA_PLATFORM=xcb
settings=$scratch/config/Plovan/Plovan.conf
log=$out/plovan.log

fail() {
  echo "FAIL: $*" >&2
  [ ! -s "$log" ] || { echo "--- what plovan said:" >&2; cat "$log" >&2; }
  [ -z "${pid:-}" ] || kill "$pid" 2>/dev/null || true
  exit 1
}

# The display has no window manager, so nothing gives a window the keyboard when it appears
# or when a dialog over it closes: the check does that, as a window manager would.
focus() {
  xdotool windowfocus --sync "$1"
}

# A left click at a point of the content area, in the content area's units.
click() {
  xdotool mousemove --window "$wid" "$1" $(($2 + menubar)) click 1
  sleep 0.3
}

# Keys, each given time to reach the window and the menu it opens.
keys() {
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.4
  done
}

start() {
  "$plovan" >>"$log" 2>&1 &
  pid=$!
  wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Plovan$' 2>/dev/null | head -n 1) || true
  [ -n "$wid" ] || fail "no visible window titled Plovan within 10 s"
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  # The 383 units of content lie below the menu bar.
  menubar=$((HEIGHT - 383))
  [ "$menubar" -gt 0 ] || fail "the window is $HEIGHT high: no room for a menu bar"
  focus "$wid"
}

# "Load Image...." through the dialog, "Refresh", "Create", then Select All and Copy from the
# Edit menu; the clipboard must hold the expected bytes.
load_create_copy() {
  click 80 30
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Load Image$' 2>/dev/null | head -n 1) || true
  [ -n "$dialog" ] || fail "no open-file dialog titled Load Image within 10 s"
  focus "$dialog"
  xdotool type --delay 10 "$picture"
  keys Return
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Load Image$' >/dev/null 2>&1 || break
    sleep 0.1
  done
  focus "$wid"
  click 80 62 # Refresh
  click 80 94 # Create
  xclip -selection clipboard -i </dev/null
  keys alt+e a
  keys alt+e c
  copied=$out/copied-${1//[ ,]/-}.txt
  for _ in $(seq 50); do
    xclip -selection clipboard -o -target UTF8_STRING >"$copied" 2>/dev/null && [ -s "$copied" ] && break
    sleep 0.1
  done
  [ -s "$copied" ] || fail "$1: the clipboard is empty after Alt+E, A and Alt+E, C"
  cmp -s "$copied" "$out/expected.txt" ||
    fail "$1: the clipboard ($(stat -c %s "$copied") bytes, $copied) differs from plovan-cli's ($(stat -c %s "$out/expected.txt") bytes)"
  echo "ok: $1: the clipboard holds plovan-cli's $(stat -c %s "$copied") bytes"
}

quit() {
  keys ctrl+q
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "still running 10 s after the Quit shortcut"
  status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "plovan ended with status $status after the Quit shortcut"
}

"$cli" --threshold 100 --max-width 384 --center-on 384 --halftone floyd-steinberg "$picture" >"$out/expected.txt" ||
  fail "plovan-cli could not convert $picture"
"$cli" --threshold 100 "$picture" | cmp -s - "$out/expected.txt" &&
  fail "the picture converts the same without the choices: it shows nothing of them"

start
# Printer Width opens on its first entry, Original Size: one down is 384 dots.
keys alt+i w Down Return
keys alt+i c
keys alt+i h f
echo "ok: chose 384 dots, Centre on Paper and Floyd–Steinberg from the keyboard"
load_create_copy "first run"
quit
grep -qx 'printerWidth=384' "$settings" && grep -qx 'centreOnPaper=true' "$settings" &&
  grep -qx 'halftone=floyd-steinberg' "$settings" || fail "the choices are not in $settings: $(cat "$settings" 2>&1)"
echo "ok: the choices are remembered in the settings"

start
load_create_copy "second run, with the remembered choices"
quit
echo "ok: the Quit shortcut ended plovan with status 0, twice"
