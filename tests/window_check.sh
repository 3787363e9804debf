#!/usr/bin/env bash
# The real window on a virtual X display: starts build/plovan under Xvfb, finds the window
# titled "Plovan", checks its width, takes a screenshot of it (xwd), quits with the Quit
# shortcut and expects the program to end with status 0 within 10 s. Then the screenshot
# tool draws the window with the example picture loaded and converted, on the same display,
# in English and in each language it is translated into.
# Usage: window_check.sh PLOVAN SCREENSHOT_TOOL PICTURE OUT_DIR
# Exits 77 (skipped) when xvfb-run, xdotool or xwd is missing; tools/install-deps has them.
set -euo pipefail
source "$(dirname "$0")/window_check_common.sh"

plovan=$1 screenshot_tool=$2 picture=$3 out=$4

on_virtual_display xvfb-run xauth xdotool xwd -- "$@"

use_scratch_home
start_plovan
echo "ok: window $wid titled Plovan is shown"

# The content area is 841 wide; the menu bar sits above it in the same window.
[ "$WIDTH" -eq 841 ] || fail "the window is $WIDTH wide, not 841"
echo "ok: the window is ${WIDTH}x${HEIGHT} (841x383 of content below the menu bar)"

xwd -id "$wid" -silent >"$out/window.xwd" || fail "xwd could not take a screenshot"
# The dump holds at least one 32-bit pixel for each point of the window.
size=$(stat -c %s "$out/window.xwd")
[ "$size" -ge $((WIDTH * HEIGHT * 4)) ] || fail "the screenshot is only $size bytes"
echo "ok: screenshot $out/window.xwd ($size bytes)"

quit_plovan
echo "ok: the Quit shortcut ended plovan with status 0"

"$screenshot_tool" "$picture" "$out/screenshot.png" >"$log" 2>&1 || fail "the screenshot tool failed"
echo "ok: $out/screenshot.png shows the window with $(basename "$picture") converted"

# The same in each language the window speaks (docs/screenshot_de.png, ... are these).
for lang in de fr es; do
  LC_ALL= LANG=${lang}_$(tr a-z A-Z <<<"$lang").UTF-8 "$screenshot_tool" "$picture" "$out/screenshot_$lang.png" >"$log" 2>&1 ||
    fail "the screenshot tool failed in $lang"
  cmp -s "$out/screenshot.png" "$out/screenshot_$lang.png" && fail "the window looks the same in $lang as in English"
done
echo "ok: $out/screenshot_de.png, _fr.png and _es.png show the window in German, French and Spanish"
