#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and builds the Debian package from it, then
# checks what a user gets: the two programs, a valid desktop entry and metainfo, the icon,
# a man page that documents exactly the options plovan-cli has, an installed plovan-cli
# that works without the build tree, and a package with the right files and computed
# dependencies.
# Usage: install_check.sh SOURCE_DIR BUILD_DIR VERSION APP_ID
# CMAKE_COMMAND and CPACK_COMMAND, when set, name the cmake and cpack to use.
set -euo pipefail

src=$1 build=$2 version=$3 app_id=$4
cmake=${CMAKE_COMMAND:-cmake}
cpack=${CPACK_COMMAND:-cpack}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 reported=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Stops at once: what follows would only repeat the same fault.
die() { echo "FAIL: $*" >&2; exit 1; }
# Closes a group of checks: says "ok" when none of them failed since the last group.
pass() {
  ((failures > reported)) || echo "ok: $*"
  reported=$failures
}
# Runs a validator quietly, showing what it said only when it fails.
validate() {
  "$@" >"$work/validator.log" 2>&1 || { cat "$work/validator.log" >&2; return 1; }
}

# Every file a user gets, under the prefix; the install and the package hold exactly these.
expected=(
  bin/plovan
  bin/plovan-cli
  "share/applications/$app_id.desktop"
  "share/icons/hicolor/scalable/apps/$app_id.svg"
  "share/man/man1/plovan-cli.1"
  "share/metainfo/$app_id.metainfo.xml"
)
printf '%s\n' "${expected[@]}" | LC_ALL=C sort >"$work/expected"

# Lists the files and links under a directory, relative to it, sorted.
list_files() { (cd "$1" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort); }

# The options a --help text or a man page names, one per line, sorted: "--threshold", ...
long_options() { grep -oE -- '--[a-z][a-z-]*' | LC_ALL=C sort -u; }
# The one-letter options of the option lines given on standard input ("  -h, --help ...").
short_options() { grep -oE -- '(^|[ ,])-[a-zA-Z?]([ ,]|$)' | tr -d ' ,' | LC_ALL=C sort -u; }

# Checks one run of plovan-cli on the example logo: exit 0, the logo data text and nothing
# else on stdout (opened and closed as it must be, no trailing newline), nothing on stderr.
check_logo_run() {
  local cli=$1 what=$2 out=$3 rc=0
  env -i PATH=/usr/bin:/bin HOME="$work" "$cli" "$src/examples/logo.png" >"$out" 2>"$work/stderr" || rc=$?
  [ "$rc" -eq 0 ] || { fail "$what exited $rc: $(cat "$work/stderr")"; reported=$failures; return; }
  [ ! -s "$work/stderr" ] || fail "$what wrote to stderr: $(cat "$work/stderr")"
  [ "$(head -c 5 "$out")" = "OBM¶" ] || fail "$what output does not start with OBM¶: $(head -c 40 "$out")"
  [ "$(tail -c 5 "$out")" = "CBM¶" ] || fail "$what output does not end with CBM¶ (no trailing newline)"
  grep -q 'BMD¶[0-9A-F]' "$out" || fail "$what output holds no band"
  pass "$what converts examples/logo.png ($(wc -c <"$out") bytes)"
}

# --- Install into a temporary DESTDIR --------------------------------------------------
root=$work/root
DESTDIR=$root "$cmake" --install "$build" --prefix /usr >"$work/install.log" 2>&1 \
  || { cat "$work/install.log" >&2; die "cmake --install failed"; }
list_files "$root/usr" >"$work/installed"
diff -u "$work/expected" "$work/installed" >&2 || die "installed files differ from the expected list (- expected, + installed)"
[ -z "$(find "$root" -mindepth 1 -maxdepth 1 ! -name usr)" ] || die "files installed outside /usr: $(ls "$root")"
for program in plovan plovan-cli; do
  [ -x "$root/usr/bin/$program" ] || fail "/usr/bin/$program is not executable"
  # An installed program must run from its own directory, not from the build tree.
  libraries=$(ldd "$root/usr/bin/$program")
  ! grep 'not found' <<<"$libraries" >&2 || fail "$program has unresolved libraries"
  search_path=$(readelf -d "$root/usr/bin/$program" | grep -E 'R(UN)?PATH' || true)
  ! grep -F "$build" <<<"$search_path" >&2 || fail "$program still looks for libraries in the build tree"
done
pass "cmake --install puts exactly the expected files under /usr"

# The installed window starts and keeps running (timeout's 124) instead of stopping at once
# on a missing library, plugin or resource.
rc=0
env -i PATH=/usr/bin:/bin HOME="$work" QT_QPA_PLATFORM=offscreen \
  timeout 2 "$root/usr/bin/plovan" >"$work/window.log" 2>&1 || rc=$?
[ "$rc" -eq 124 ] || fail "installed plovan stopped with status $rc within 2 s: $(head -c 500 "$work/window.log")"
pass "installed plovan starts"

# --- Desktop entry, icon, metainfo ---------------------------------------------------
desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
icon=$root/usr/share/icons/hicolor/scalable/apps/$app_id.svg

validate desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $app_id.desktop"
# desktop-file-validate prints hints and warnings but exits 0 on them; they count here.
[ -z "$(desktop-file-validate "$desktop")" ] || fail "desktop-file-validate has remarks on $app_id.desktop"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$root/usr/bin/${exec_line%% *}" ] || fail "desktop entry runs '$exec_line', which is not installed in /usr/bin"
[ "$(sed -n 's/^Icon=//p' "$desktop")" = "$app_id" ] || fail "desktop entry's Icon is not $app_id"
pass "desktop entry is valid and names the installed program and icon"

xmllint --noout "$icon" || fail "icon is not well-formed XML"
grep -q '<svg[ >]' "$icon" || fail "icon is not an SVG picture"
pass "icon is an SVG picture"

validate appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate rejects the metainfo"
# The tree check also resolves the launchable against the installed desktop entry.
validate appstreamcli validate-tree --no-net --strict "$root/usr" || fail "appstreamcli validate-tree rejects the install tree"
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
  || fail "metainfo does not launch $app_id.desktop"
grep -qE "<release version=\"$version\" date=\"[0-9]{4}-[0-9]{2}-[0-9]{2}\"" "$metainfo" \
  || fail "metainfo has no release $version with a date"
pass "metainfo is valid, launches the desktop entry and names release $version"

# The languages the programs speak, in the menus that list them too.
for lang in de fr es; do
  for key in Name GenericName Comment; do
    grep -q "^$key\[$lang\]=." "$desktop" || fail "desktop entry has no $key[$lang]"
  done
  for element in name summary; do
    grep -q "<$element xml:lang=\"$lang\">[^<]" "$metainfo" || fail "metainfo has no $element in $lang"
  done
done
pass "desktop entry and metainfo name and describe Plovan in German, French and Spanish"

# --- The installed plovan-cli --------------------------------------------------------
cli=$root/usr/bin/plovan-cli
check_logo_run "$cli" "installed plovan-cli" "$work/installed.txt"
if [ -x "$build/plovan-cli" ]; then
  "$build/plovan-cli" "$src/examples/logo.png" >"$work/build.txt"
  cmp -s "$work/installed.txt" "$work/build.txt" || fail "installed plovan-cli writes other bytes than build/plovan-cli"
fi
"$cli" --version >"$work/version" 2>&1 || fail "plovan-cli --version exited non-zero"
grep -qE "(^|[^0-9.])${version//./\\.}([^0-9.]|\$)" "$work/version" || fail "plovan-cli --version does not show $version: $(cat "$work/version")"
pass "installed plovan-cli --version shows $version"

# --- The man page --------------------------------------------------------------------
man=$root/usr/share/man/man1/plovan-cli.1
groff -man -Tutf8 -ww -z "$man" 2>"$work/groff.log" || fail "groff cannot format the man page"
[ ! -s "$work/groff.log" ] || fail "groff warns about the man page: $(cat "$work/groff.log")"
grep -q '^\.TH PLOVAN-CLI 1 .*'"Plovan $version" "$man" || fail "man page title does not carry version $version"
"$cli" --help >"$work/help" 2>&1 || fail "plovan-cli --help exited non-zero"
long_options <"$work/help" >"$work/help-options"
# In the man page's source a hyphen of an option is written \-.
sed 's/\\-/-/g' "$man" | long_options >"$work/man-options"
[ -s "$work/help-options" ] || fail "plovan-cli --help names no option"
diff -u "$work/help-options" "$work/man-options" >&2 \
  || fail "the man page's options differ from plovan-cli --help (- help, + man page)"
# Short forms: those on --help's option lines against those in the man page's item tags.
grep -E '^ +-' "$work/help" | short_options >"$work/help-short"
sed 's/\\-/-/g' "$man" | grep -A1 '^\.TP' | grep -v '^\.TP' | short_options >"$work/man-short"
diff -u "$work/help-short" "$work/man-short" >&2 \
  || fail "the man page's one-letter options differ from plovan-cli --help (- help, + man page)"
pass "man page formats cleanly and documents exactly the options of plovan-cli --help"

# What the man page promises, on the installed program: the informational options exit 0
# with text on standard output; the others together give the same text in FILE, a PNG
# preview and nothing on standard output; "-" reads the picture from standard input.
for option in $(cat "$work/help-options" "$work/help-short"); do
  case $option in
  --threshold | --reverse | --output | --preview | --check | --dpi | --width | --max-width | --center-on | --halftone | \
    --rotate | --mirror | --brightness | --contrast | --gamma | --trim | --serpentine | --dot-gain | --simulate)
    continue ;;
  esac
  rc=0
  "$cli" "$option" >"$work/info-out" 2>"$work/info-err" </dev/null || rc=$?
  [ "$rc" -eq 0 ] && [ -s "$work/info-out" ] \
    || fail "plovan-cli $option exited $rc with $(wc -c <"$work/info-out") bytes on stdout: $(head -c 200 "$work/info-err")"
done
# The column bytes of a logo data text, without its line marks and headers.
column_digits() { sed 's/OBM¶//; s/CBM¶//; s/BMD¶//g; s/¶//g' "$1"; }
grep -q '[1-9A-F]' <(column_digits "$work/installed.txt") || fail "examples/logo.png prints nothing at the default threshold"
# No mean is below 0, so nothing prints; in reverse every pixel but pure black does.
"$cli" --threshold 0 "$src/examples/logo.png" >"$work/threshold-0.txt" || fail "plovan-cli --threshold 0 failed"
! grep -q '[1-9A-F]' <(column_digits "$work/threshold-0.txt") || fail "something prints with --threshold 0"
"$cli" --threshold 0 --reverse --output "$work/out.txt" --preview "$work/preview.png" "$src/examples/logo.png" \
  >"$work/stdout" || fail "plovan-cli with every option failed"
[ ! -s "$work/stdout" ] || fail "plovan-cli --output still wrote to standard output"
[ "$(head -c 5 "$work/out.txt" 2>/dev/null)" = "OBM¶" ] || fail "--output FILE does not hold the logo data text"
grep -q '[1-9A-F]' <(column_digits "$work/out.txt") || fail "nothing prints with --threshold 0 --reverse"
[ "$(head -c 4 "$work/preview.png" 2>/dev/null | tail -c 3)" = PNG ] || fail "--preview did not write a PNG file"
"$cli" - <"$src/examples/logo.png" >"$work/stdin.txt" || fail "plovan-cli - failed"
cmp -s "$work/stdin.txt" "$work/installed.txt" || fail "plovan-cli - gives other text than the file name"
[ "$("$cli" --check "$work/installed.txt" --dpi 180)" = "192x64 dots, 8 bands, 3120 characters, 27.1x9.0 mm at 180 dpi" ] \
  || fail "plovan-cli --check does not give the size of the example logo's text"
# The printer's options: 192 x 64 shrunk to 96 x 32 and centred on 120 dots; enlarged to 384.
size_of() { "$cli" "$@" "$src/examples/logo.png" | "$cli" --check - | cut -d, -f1-2; }
[ "$(size_of --max-width 96 --center-on 120 --halftone ordered)" = "120x32 dots, 4 bands" ] \
  || fail "--max-width 96 --center-on 120 does not give a text 120 dots wide and 32 high"
[ "$(size_of --width 384 --halftone floyd-steinberg)" = "384x128 dots, 16 bands" ] \
  || fail "--width 384 does not give a text 384 dots wide and 128 high"
[ "$(size_of --rotate 90 --mirror --gamma 1.5 --halftone stucki --serpentine)" = "64x192 dots, 24 bands" ] \
  || fail "--rotate 90 does not turn the 192 x 64 logo into a text 64 dots wide and 192 high"
pass "installed plovan-cli does what the man page says of each option"

# --- The Debian package --------------------------------------------------------------
arch=$(dpkg --print-architecture)
deb=$work/pkg/plovan_${version}_${arch}.deb
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; die "cpack -G DEB failed"; }
[ -f "$deb" ] || die "cpack made no $(basename "$deb"): $(ls "$work/pkg")"

dpkg-deb --info "$deb" >"$work/info" || die "dpkg-deb --info cannot read the package"
field() { sed -n "s/^ $1: //p" "$work/info"; }
[ "$(field Package)" = plovan ] || fail "package name is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "package version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$arch" ] || fail "package architecture is '$(field Architecture)'"
[ -n "$(field Maintainer)" ] || fail "package has no maintainer"
[ -n "$(field Description)" ] || fail "package has no description"
depends=$(field Depends)
# dpkg-shlibdeps gives versioned dependencies on the libraries the programs link; a
# hand-written list would lack the versions or name the wrong packages.
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ ", $depends" == *", $lib (>= "* ]] || fail "Depends lacks a computed '$lib (>= ...)': $depends"
done
for unwanted in libqt6test6 -dev; do
  [[ "$depends" != *"$unwanted"* ]] || fail "Depends names $unwanted, which a user does not need: $depends"
done
pass "package plovan $version ($arch) depends on: $depends"

dpkg-deb --contents "$deb" >"$work/contents" || die "dpkg-deb --contents cannot read the package"
# Regular files and links only; the columns are mode, owner/group, size, date, time, path.
awk '$1 !~ /^d/ { print $6 }' "$work/contents" | sed 's|^\./usr/||' | LC_ALL=C sort >"$work/packaged"
diff -u "$work/expected" "$work/packaged" >&2 || fail "package contents differ from the expected list (- expected, + packaged)"
awk '$2 != "root/root" { print "owned by " $2 ": " $6 }' "$work/contents" | grep . >&2 && fail "package files not owned by root"
for program in plovan plovan-cli; do
  grep -qE "^-rwxr-xr-x .* \./usr/bin/$program\$" "$work/contents" || fail "/usr/bin/$program is not mode 755 in the package"
done
pass "package holds exactly the expected files, owned by root"

dpkg-deb -x "$deb" "$work/unpacked" || die "dpkg-deb -x cannot unpack the package"
check_logo_run "$work/unpacked/usr/bin/plovan-cli" "packaged plovan-cli" "$work/packaged.txt"
cmp -s "$work/installed.txt" "$work/packaged.txt" || fail "packaged plovan-cli writes other bytes than the installed one"
for program in plovan plovan-cli; do
  sections=$(readelf -S "$work/unpacked/usr/bin/$program")
  ! grep -q '\.debug_info' <<<"$sections" || fail "packaged $program is not stripped"
done
pass "packaged programs are stripped and give the same text"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "install and package checks passed"
