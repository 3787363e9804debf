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
source "$(dirname "$0")/window_check_common.sh"

plovan=$1 cli=$2 picture=$3 out=$4

on_virtual_display xvfb-run xauth xdotool xclip -- "$@"

use_scratch_home
rm -f "$out"/saved*.txt "$out"/copied*.txt
picture=$(realpath "$picture")
out=$(realpath "$out")

text=$out/logo.txt
"$cli" --threshold 120 "$picture" >"$text" || fail "plovan-cli could not convert $picture"

start_plovan
echo "ok: window $wid shown"

keys alt+f o
answer_file_dialog "Open Logo Data Text" "$text"
copy_all "$out/copied-opened.txt"
cmp -s "$out/copied-opened.txt" "$text" || fail "the text area does not hold the opened file's bytes"
echo "ok: Alt+F, O opened $(stat -c %s "$text") bytes into the text area"

# "Create" at the starting threshold 100 gives the same text back.
click 80 94
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
expect_focus "$question"
keys Escape
sleep 0.5
xdotool search --onlyvisible --name '^Save Logo Data Text As$' >/dev/null 2>&1 && fail "the save dialog opened after Escape"
[ ! -e "$out/saved-edited.txt" ] || fail "a file was written after Escape"
expect_focus "$wid"
keys ctrl+s
question=$(window_titled Plovan)
[ -n "$question" ] || fail "no question the second time"
expect_focus "$question"
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

quit_plovan
echo "ok: the Quit shortcut ended plovan with status 0"
