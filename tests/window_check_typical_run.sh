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
source "$(dirname "$0")/window_check_common.sh"

plovan=$1 cli=$2 picture=$3 out=$4

on_virtual_display xvfb-run xauth xdotool xclip -- "$@"

use_scratch_home
picture=$(realpath "$picture")

"$cli" --threshold 120 "$picture" >"$out/expected.txt" || fail "plovan-cli could not convert $picture"

start_plovan
echo "ok: window $wid shown, menu bar $menubar high"

# "Load Image....": the dialog opens with the focus in its file name box.
click 80 30
answer_file_dialog "Load Image" "$picture"
echo "ok: loaded $picture through the dialog"

# Slider1 spans 20-143 across at 159-182 down; its thumb at 100 of 255 sits left of 138.
click 138 170
click 80 62   # Refresh
click 80 94   # Create
echo "ok: clicked the slider's track, Refresh and Create"

copied=$out/copied.txt
copy_all "$copied"
cmp -s "$copied" "$out/expected.txt" ||
  fail "the clipboard ($(stat -c %s "$copied") bytes, $copied) differs from plovan-cli --threshold 120 ($(stat -c %s "$out/expected.txt") bytes)"
echo "ok: the clipboard holds plovan-cli's $(stat -c %s "$copied") bytes"

quit_plovan
echo "ok: the Quit shortcut ended plovan with status 0"
