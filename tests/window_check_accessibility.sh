#!/usr/bin/env bash
# The real window as a screen reader reads it, on a virtual X display with a D-Bus session
# and the accessibility bus (AT-SPI): window_check_accessibility.py finds every control and
# menu with its role and a name; the slider's value is the threshold, before and after the
# keys move it (Tab to reach it, as only Tab gives it the focus, then Right); after
# examples/logo.png is loaded through the dialog by typed keys and Create is pressed through
# AT-SPI, as a screen reader's user presses it, the text area's text read through AT-SPI is
# byte for byte plovan-cli's output for that picture at that threshold.
# Usage: window_check_accessibility.sh PLOVAN PLOVAN_CLI PICTURE OUT_DIR
# Exits 77 (skipped) when xvfb-run, xauth, xdotool, dbus-run-session, the accessibility bus
# or Debian's python3-pyatspi is missing; tools/install-deps has them.
set -euo pipefail
source "$(dirname "$0")/window_check_common.sh"

plovan=$1 cli=$2 picture=$3 out=$4
# Debian's Python, which python3-pyatspi installs into, whatever python3 comes first on PATH.
python=/usr/bin/python3
reader=$(dirname "$(realpath "$0")")/window_check_accessibility.py

# A D-Bus session of the check's own first, so that the accessibility bus it starts is the
# check's and goes with it; then the virtual display inside it.
if [ -z "${WINDOW_CHECK_DBUS_READY:-}" ]; then
  command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session is not installed (tools/install-deps installs it)"; exit 77; }
  [ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is not installed (tools/install-deps installs it)"; exit 77; }
  "$python" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed (tools/install-deps installs it)"; exit 77; }
  export WINDOW_CHECK_DBUS_READY=1
  exec dbus-run-session -- "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
fi

on_virtual_display xvfb-run xauth xdotool -- "$@"

use_scratch_home
picture=$(realpath "$picture")
# Qt talks to the accessibility bus only when asked, or when a screen reader says it runs.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

read_window() { "$python" "$reader" "$@"; }

"$cli" --threshold 105 "$picture" >"$out/expected.txt" || fail "plovan-cli could not convert $picture"
# The PNG's size from its header: width and height, 4 bytes each, big-endian, at byte 16.
read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$picture")
size=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))x$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))

start_plovan
echo "ok: window $wid shown"

read_window tree >"$out/tree.txt" 2>"$out/tree-faults.txt" ||
  fail "controls without a role or a name, or missing: $(cat "$out/tree-faults.txt") (the tree read: $out/tree.txt)"
echo "ok: $(wc -l <"$out/tree.txt") controls and menu entries read through AT-SPI, each with its role and a name"

[ "$(read_window value slider Threshold)" = 100 ] || fail "the slider Threshold reads $(read_window value slider Threshold), not 100"
[ "$(read_window describe image 'Imported Image')" = "No picture" ] || fail "the imported picture is described as '$(read_window describe image 'Imported Image')' before a load"
echo "ok: the slider Threshold reads 100; the canvases say there is no picture"

keys ctrl+o
answer_file_dialog "Load Image" "$picture"
for canvas in "Imported Image" "Processed Image"; do
  description=$(read_window describe image "$canvas")
  [ "$description" = "$size dots" ] || fail "$canvas is described as '$description', not '$size dots'"
done
echo "ok: loaded $(basename "$picture") by typed keys; both canvases read as $size dots"

# From the text area, which holds the focus, Tab visits Load Image, Refresh, then the slider.
keys Tab Tab Tab Right Right Right Right Right
value=$(read_window value slider Threshold)
[ "$value" = 105 ] || fail "after Tab to the slider and Right five times it reads $value, not 105"
read_window has label 105 || fail "the threshold's label does not read 105"
echo "ok: Right five times moved the slider Threshold to 105, and AT-SPI reads 105"

read_window press "push button" Create
text=$out/read.txt
for _ in $(seq 50); do
  read_window text text "Image Data" >"$text"
  [ -s "$text" ] && break
  sleep 0.1
done
cmp -s "$text" "$out/expected.txt" ||
  fail "the text area read through AT-SPI ($(stat -c %s "$text") bytes, $text) differs from plovan-cli --threshold 105 ($(stat -c %s "$out/expected.txt") bytes)"
echo "ok: after Create, AT-SPI reads the text area as plovan-cli's $(stat -c %s "$text") bytes"

quit_plovan
echo "ok: the Quit shortcut ended plovan with status 0"
