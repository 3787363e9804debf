#!/usr/bin/env bash
# The typical run in the real window on a virtual X display, done as a user does it, with the
# mouse on the controls and the keyboard in the menus, and never a click into the text area:
# "Load Image...." and the path typed into the open-file dialog, a click in the slider's track
# (threshold 100 -> 120), "Refresh", "Create", then Alt+E, A (Select All) and Alt+E, C (Copy).
# The clipboard must then hold exactly the bytes plovan-cli writes for the same file at the
# same threshold. Quits with the Quit shortcut and expects status 0.
# Usage: window_check_typical_run.sh PLOVAN PLOVAN_CLI PICTURE OUT_DIR
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
# The open-file dialog remembers folders in the user's settings: keep that out of the real ones.
export XDG_RUNTIME_DIR=$scratch HOME=$scratch XDG_CONFIG_HOME=$scratch/config QT_QPA_PLATFORM=xcb
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

"$cli" --threshold 120 "$picture" >"$out/expected.txt" || fail "plovan-cli could not convert $picture"

"$plovan" >"$log" 2>&1 &
pid=$!

wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Plovan$' 2>/dev/null | head -n 1) || true
[ -n "$wid" ] || fail "no visible window titled Plovan within 10 s"
eval "$(xdotool getwindowgeometry --shell "$wid")"
# The 383 units of content lie below the menu bar.
menubar=$((HEIGHT - 383))
[ "$menubar" -gt 0 ] || fail "the window is $HEIGHT high: no room for a menu bar"
focus "$wid"
echo "ok: window $wid shown, menu bar $menubar high"

# "Load Image....": the dialog opens with the focus in its file name box.
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
xdotool search --onlyvisible --name '^Load Image$' >/dev/null 2>&1 && fail "the dialog is still open after Return"
focus "$wid"
echo "ok: loaded $picture through the dialog"

# Slider1 spans 20-143 across at 159-182 down; its thumb at 100 of 255 sits left of 138.
click 138 170
click 80 62   # Refresh
click 80 94   # Create
echo "ok: clicked the slider's track, Refresh and Create"

keys alt+e a
keys alt+e c
copied=$out/copied.txt
for _ in $(seq 50); do
  xclip -selection clipboard -o -target UTF8_STRING >"$copied" 2>/dev/null && [ -s "$copied" ] && break
  sleep 0.1
done
[ -s "$copied" ] || fail "the clipboard is empty after Alt+E, A and Alt+E, C"
cmp -s "$copied" "$out/expected.txt" ||
  fail "the clipboard ($(stat -c %s "$copied") bytes, $copied) differs from plovan-cli --threshold 120 ($(stat -c %s "$out/expected.txt") bytes)"
echo "ok: the clipboard holds plovan-cli's $(stat -c %s "$copied") bytes"

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
echo "ok: the Quit shortcut ended plovan with status 0"
