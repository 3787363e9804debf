#!/usr/bin/env bash
# A named pipe that nothing writes to, chosen through the real dialogs in the real window on a
# virtual X display: Alt+F, O (Open Logo Data Text) and Ctrl+O (Load Image) each show a message
# at once instead of waiting in open() for a writer for good, and once the messages are
# dismissed the Quit shortcut still ends plovan.
# Usage: window_check_named_pipe.sh PLOVAN OUT_DIR
# Exits 77 (skipped) when xvfb-run, xauth or xdotool is missing; tools/install-deps has them.
set -euo pipefail
source "$(dirname "$0")/window_check_common.sh"

plovan=$1 out=$2

on_virtual_display xvfb-run xauth xdotool -- "$@"

use_scratch_home
mkfifo "$scratch/pipe.txt" "$scratch/pipe.png"

# The message box the window shows (titled as the window is), dismissed with Return.
dismiss_message() {
  local message
  message=$(window_titled Plovan)
  [ -n "$message" ] || fail "no message within 10 s after choosing $1 (waiting in open()?)"
  expect_focus "$message"
  keys Return
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Plovan$' 2>/dev/null | grep -qvx "$wid" || break
    sleep 0.1
  done
  xdotool search --onlyvisible --name '^Plovan$' 2>/dev/null | grep -qvx "$wid" && fail "the message is still open after Return"
  expect_focus "$wid"
}

start_plovan
echo "ok: window $wid shown"

keys alt+f o
answer_file_dialog "Open Logo Data Text" "$scratch/pipe.txt" message
dismiss_message "$scratch/pipe.txt"
echo "ok: Alt+F, O on a named pipe shows a message"

keys ctrl+o
answer_file_dialog "Load Image" "$scratch/pipe.png" message
dismiss_message "$scratch/pipe.png"
echo "ok: Ctrl+O on a named pipe shows a message"

quit_plovan
echo "ok: the Quit shortcut ended plovan with status 0"
