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
source "$(dirname "$0")/window_check_common.sh"

plovan=$1 cli=$2 picture=$3 out=$4

on_virtual_display xvfb-run xauth xdotool xclip -- "$@"

use_scratch_home
picture=$(realpath "$picture")
settings=$scratch/config/Plovan/Plovan.conf

# "Load Image...." through the dialog, "Refresh", "Create", then Select All and Copy from the
# Edit menu; the clipboard must hold the expected bytes.
load_create_copy() {
  click 80 30
  answer_file_dialog "Load Image" "$picture"
  click 80 62 # Refresh
  click 80 94 # Create
  copied=$out/copied-${1//[ ,]/-}.txt
  copy_all "$copied"
  cmp -s "$copied" "$out/expected.txt" ||
    fail "$1: the clipboard ($(stat -c %s "$copied") bytes, $copied) differs from plovan-cli's ($(stat -c %s "$out/expected.txt") bytes)"
  echo "ok: $1: the clipboard holds plovan-cli's $(stat -c %s "$copied") bytes"
}

"$cli" --threshold 100 --max-width 384 --center-on 384 --halftone floyd-steinberg "$picture" >"$out/expected.txt" ||
  fail "plovan-cli could not convert $picture"
"$cli" --threshold 100 "$picture" | cmp -s - "$out/expected.txt" &&
  fail "the picture converts the same without the choices: it shows nothing of them"

start_plovan
# Printer Width opens on its first entry, Original Size: one down is 384 dots.
keys alt+i w Down Return
keys alt+i c
keys alt+i h f
echo "ok: chose 384 dots, Centre on Paper and Floyd–Steinberg from the keyboard"
load_create_copy "first run"
quit_plovan
grep -qx 'printerWidth=384' "$settings" && grep -qx 'centreOnPaper=true' "$settings" &&
  grep -qx 'halftone=floyd-steinberg' "$settings" || fail "the choices are not in $settings: $(cat "$settings" 2>&1)"
echo "ok: the choices are remembered in the settings"

start_plovan
load_create_copy "second run, with the remembered choices"
quit_plovan
echo "ok: the Quit shortcut ended plovan with status 0, twice"
