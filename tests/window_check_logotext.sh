#!/usr/bin/env bash
# Logo data text files in the real window on a virtual X display, through the real dialogs,
# with the keyboard only: Alt+F, O opens a text plovan-cli wrote and Create gives it back
# byte for byte; Ctrl+S saves it unchanged; a key typed into the text makes Ctrl+S ask first
# (Escape: nothing written; Save: written as it stands); Alt+I, P opens the print preview and
# Alt+E, A and Alt+E, C still copy the text. Quits with the Quit shortcut.
# Usage: window_check_logotext.sh PLOVAN PLOVAN_CLI PICTURE OUT_DIR
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
rm -f "$out"/saved*.txt "$out"/copied*.txt
picture=$(realpath "$picture")
out=$(realpath "$out")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 700 "$scratch"
# The file dialogs remember folders in the user's settings: keep that out of the real ones.
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

keys() {
  for key in "$@"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.4
  done
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

# Types a path into the file dialog titled $1 and presses Return; the dialog must close.
answer_file_dialog() {
  local dialog
  dialog=$(window_titled "$1")
  [ -n "$dialog" ] || fail "no dialog titled $1 within 10 s"
  focus "$dialog"
  xdotool type --delay 10 "$2"
  keys Return
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || break
    sleep 0.1
  done
  xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && fail "the dialog $1 is still open after Return"
  focus "$wid"
}

# Alt+E, A and Alt+E, C, then the clipboard into $1.
copy_all() {
  keys alt+e a
  keys alt+e c
  for _ in $(seq 50); do
    xclip -selection clipboard -o -target UTF8_STRING >"$1" 2>/dev/null && [ -s "$1" ] && break
    sleep 0.1
  done
  [ -s "$1" ] || fail "the clipboard is empty after Alt+E, A and Alt+E, C"
}

text=$out/logo.txt
"$cli" --threshold 120 "$picture" >"$text" || fail "plovan-cli could not convert $picture"

"$plovan" >"$log" 2>&1 &
pid=$!

wid=$(timeout 10 xdotool search --sync --onlyvisible --name '^Plovan$' 2>/dev/null | head -n 1) || true
[ -n "$wid" ] || fail "no visible window titled Plovan within 10 s"
eval "$(xdotool getwindowgeometry --shell "$wid")"
menubar=$((HEIGHT - 383))
focus "$wid"
echo "ok: window $wid shown"

keys alt+f o
answer_file_dialog "Open Logo Data Text" "$text"
copy_all "$out/copied-opened.txt"
cmp -s "$out/copied-opened.txt" "$text" || fail "the text area does not hold the opened file's bytes"
echo "ok: Alt+F, O opened $(stat -c %s "$text") bytes into the text area"

# "Create" at the starting threshold 100 gives the same text back.
xdotool mousemove --window "$wid" 80 $((94 + menubar)) click 1
sleep 0.3
copy_all "$out/copied-created.txt"
cmp -s "$out/copied-created.txt" "$text" || fail "Create after opening does not give the opened text back"
echo "ok: Create gives the opened text back"

keys ctrl+s
answer_file_dialog "Save Logo Data Text As" "$out/saved.txt"
cmp -s "$out/saved.txt" "$text" || fail "Ctrl+S did not save the text byte for byte"
echo "ok: Ctrl+S saved it byte for byte"

# A key typed at the end of the text (the focus is still there) makes it something else.
keys ctrl+End x ctrl+s
question=$(window_titled Plovan)
[ -n "$question" ] || fail "no question before saving an edited text"
focus "$question"
keys Escape
sleep 0.5
xdotool search --onlyvisible --name '^Save Logo Data Text As$' >/dev/null 2>&1 && fail "the save dialog opened after Escape"
[ ! -e "$out/saved-edited.txt" ] || fail "a file was written after Escape"
focus "$wid"
keys ctrl+s
question=$(window_titled Plovan)
[ -n "$question" ] || fail "no question the second time"
focus "$question"
keys alt+s
answer_file_dialog "Save Logo Data Text As" "$out/saved-edited.txt"
[ "$(stat -c %s "$out/saved-edited.txt")" -eq $(($(stat -c %s "$text") + 1)) ] ||
  fail "the edited text was not saved as it stands (one character more)"
grep -q x "$out/saved-edited.txt" || fail "the typed x is not in the saved text"
echo "ok: an edited text is saved only after the question, as it stands"

keys alt+i p
[ -n "$(window_titled 'Print Preview')" ] || fail "no Print Preview window after Alt+I, P"
copy_all "$out/copied-preview.txt"
cmp -s "$out/copied-preview.txt" "$out/saved-edited.txt" || fail "Alt+E, A and C do not copy the text with the preview open"
echo "ok: the print preview is open and the keyboard still reaches the text"

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
