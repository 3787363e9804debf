#!/usr/bin/env bash
# The picture's own choices in the real window on a virtual X display, from the keyboard as a
# user does it: "Load Image...." with the path typed into the dialog, then Ctrl+R (Rotate
# Right), Alt+I, M (Mirror), Alt+I, T (Trim White Margins), Alt+I, H, J (Jarvis–Judice–Ninke),
# Alt+I, H, S (Serpentine), and Alt+I, O (Adjust Tone) with 20 typed for the brightness and
# 1.5 for the gamma, Return for OK; "Refresh", "Create", Alt+E, A and Alt+E, C. The clipboard must hold
# exactly the bytes of plovan-cli --rotate 90 --mirror --trim --halftone jarvis --serpentine
# --brightness 20 --gamma 1.5 for the same file. Quit, start again and load the same file: the
# printer's choices (trimming, the halftone, serpentine rows) are remembered, the picture's
# (the turn, the mirror, the tone) are not.
# Usage: window_check_adjust.sh PLOVAN PLOVAN_CLI PICTURE OUT_DIR
# Exits 77 (skipped) when xvfb-run, xauth, xdotool or xclip is missing; tools/install-deps has
# them.
set -euo pipefail
source "$(dirname "$0")/window_check_common.sh"

plovan=$1 cli=$2 picture=$3 out=$4

on_virtual_display xvfb-run xauth xdotool xclip -- "$@"

use_scratch_home
picture=$(realpath "$picture")
settings=$scratch/config/Plovan/Plovan.conf

# "Load Image...." through the dialog.
load_picture() {
  click 80 30
  answer_file_dialog "Load Image" "$picture"
}

# "Refresh", "Create", then Select All and Copy from the Edit menu: the clipboard must hold
# the bytes of file $2 ($1 names the step).
create_and_compare() {
  click 80 62 # Refresh
  click 80 94 # Create
  copied=$out/copied-$1.txt
  copy_all "$copied"
  cmp -s "$copied" "$2" ||
    fail "$1: the clipboard ($(stat -c %s "$copied") bytes, $copied) differs from plovan-cli's ($(stat -c %s "$2") bytes, $2)"
  echo "ok: $1: the clipboard holds plovan-cli's $(stat -c %s "$copied") bytes"
}

"$cli" --threshold 100 --rotate 90 --mirror --trim --halftone jarvis --serpentine --brightness 20 --gamma 1.5 \
  "$picture" >"$out/expected-adjusted.txt" || fail "plovan-cli could not convert $picture with the adjustments"
"$cli" --threshold 100 --trim --halftone jarvis --serpentine "$picture" >"$out/expected-remembered.txt" ||
  fail "plovan-cli could not convert $picture with the printer's choices"
cmp -s "$out/expected-adjusted.txt" "$out/expected-remembered.txt" &&
  fail "the turn, the mirror and the tone change nothing of $picture: the check would show nothing of them"
"$cli" --threshold 100 --trim --halftone jarvis "$picture" | cmp -s - "$out/expected-remembered.txt" &&
  fail "serpentine rows change nothing of $picture: the check would show nothing of them"

start_plovan
load_picture
keys ctrl+r
keys alt+i m
keys alt+i t
keys alt+i h j
keys alt+i h s
echo "ok: turned right, mirrored, trimmed, Jarvis–Judice–Ninke in serpentine rows, from the keyboard"

keys alt+i o
dialog=$(window_titled "Adjust Tone")
[ -n "$dialog" ] || fail "no dialog titled Adjust Tone within 10 s of Alt+I, O"
expect_focus "$dialog"
keys alt+b ctrl+a
xdotool type --delay 50 "20"
keys Tab alt+g ctrl+a
xdotool type --delay 50 "1.5"
keys Return
for _ in $(seq 50); do
  xdotool search --onlyvisible --name '^Adjust Tone$' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --onlyvisible --name '^Adjust Tone$' >/dev/null 2>&1 && fail "the tone dialog is still open after Return"
expect_focus "$wid"
echo "ok: brightness 20 and gamma 1.5 typed into Adjust Tone, taken with Return"

create_and_compare "adjusted" "$out/expected-adjusted.txt"
quit_plovan
grep -qx 'trimMargins=true' "$settings" && grep -qx 'serpentine=true' "$settings" &&
  grep -qx 'halftone=jarvis' "$settings" || fail "the printer's choices are not in $settings: $(cat "$settings" 2>&1)"
grep -qiE '^(orientation|rotat|turn|quarter|mirror|bright|contrast|gamma|tone)' "$settings" &&
  fail "the picture's choices are in $settings: $(cat "$settings")"
echo "ok: the printer's choices are remembered in the settings, the picture's are not"

start_plovan
load_picture
create_and_compare "second run" "$out/expected-remembered.txt"
quit_plovan
echo "ok: the second run starts with the printer's choices and none of the picture's; Quit ended plovan twice"
