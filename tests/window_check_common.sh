# What the real-window checks share, sourced by each of them right after `set -euo pipefail`:
# the virtual X display, a scratch home for the settings, and the steps a user takes (keys,
# clicks, dialogs, the clipboard, starting and quitting plovan).

# Runs the calling script again under Xvfb with the same arguments, with a real window
# manager (openbox) on the display that gives windows and dialogs the keyboard as a desktop
# does; exits 77 (skipped) first when one of the tools named in $1... is missing. Call as:
# on_virtual_display TOOL... -- "$@".
on_virtual_display() {
  if [ -n "${WINDOW_CHECK_DISPLAY_READY:-}" ]; then
    start_window_manager
    return 0
  fi
  set -- openbox xprop "$@"
  while [ "$1" != -- ]; do
    command -v "$1" >/dev/null || { echo "SKIP: $1 is not installed (tools/install-deps installs it)"; exit 77; }
    shift
  done
  shift
  export WINDOW_CHECK_DISPLAY_READY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
}

# openbox on the virtual display, ready once it has announced itself on the root window.
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  echo "FAIL: openbox did not start on the virtual display" >&2
  exit 1
}

# A home, runtime and configuration folder of the check's own, removed when it ends: the file
# dialogs and the window's choices are remembered there, never in the user's real settings.
# The texts are English.
# Also makes $out and starts an empty $log there.
use_scratch_home() {
  mkdir -p "$out"
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  chmod 700 "$scratch"
  export XDG_RUNTIME_DIR=$scratch HOME=$scratch XDG_CONFIG_HOME=$scratch/config QT_QPA_PLATFORM=xcb
  # English, as the dialog titles the checks look for are, whatever the caller's locale.
  export LC_ALL=C.UTF-8
  unset LANGUAGE
  log=$out/plovan.log
  : >"$log"
}

fail() {
  echo "FAIL: $*" >&2
  [ ! -s "$log" ] || { echo "--- what plovan said:" >&2; cat "$log" >&2; }
  [ -z "${pid:-}" ] || kill "$pid" 2>/dev/null || true
  exit 1
}

# Waits, up to 5 s, until the window manager has given window $1 the keyboard, as it does to
# a window or a dialog that appears and to the window under a dialog that closes; fails
# otherwise. Nothing here moves the focus by hand.
expect_focus() {
  for _ in $(seq 50); do
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "window $1 ($(xdotool getwindowname "$1" 2>/dev/null)) does not have the focus; $(xdotool getactivewindow 2>/dev/null) has"
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

# Starts plovan and waits for its window: $pid, $wid, its geometry ($WIDTH, $HEIGHT) and the
# height of the menu bar above the 383 units of content ($menubar). The window has the focus.
start_plovan() {
  "$plovan" >>"$log" 2>&1 &
  pid=$!
  wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Plovan$' 2>/dev/null | head -n 1) || true
  [ -n "$wid" ] || fail "no visible window titled Plovan within 10 s"
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  menubar=$((HEIGHT - 383))
  [ "$menubar" -gt 0 ] || fail "the window is $HEIGHT high: no room for the 383 of content and a menu bar"
  expect_focus "$wid"
}

# The Quit shortcut: plovan must end within 10 s with status 0.
quit_plovan() {
  expect_focus "$wid"
  keys ctrl+q
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "still running 10 s after the Quit shortcut"
  local status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "plovan ended with status $status after the Quit shortcut"
}

# The one visible window titled exactly $1 that is not the main window, within 10 s.
window_titled() {
  local found
  for _ in $(seq 100); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx "$wid" | head -n 1) || true
    [ -n "$found" ] && { echo "$found"; return; }
    sleep 0.1
  done
}

# Types a path into the file dialog titled $1 and presses Return; the dialog must close, and
# the main window have the focus again (give a third argument, "message", when a message box
# is to come up over it instead).
answer_file_dialog() {
  local dialog
  dialog=$(window_titled "$1")
  [ -n "$dialog" ] || fail "no dialog titled $1 within 10 s"
  expect_focus "$dialog"
  xdotool type --delay 10 "$2"
  keys Return
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || break
    sleep 0.1
  done
  xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && fail "the dialog $1 is still open after Return"
  [ "${3:-}" = message ] || expect_focus "$wid"
}

# Alt+E, A and Alt+E, C, then the clipboard into $1 (emptied first, so an old copy never counts).
copy_all() {
  xclip -selection clipboard -i </dev/null
  keys alt+e a
  keys alt+e c
  for _ in $(seq 50); do
    xclip -selection clipboard -o -target UTF8_STRING >"$1" 2>/dev/null && [ -s "$1" ] && break
    sleep 0.1
  done
  [ -s "$1" ] || fail "the clipboard is empty after Alt+E, A and Alt+E, C"
}
