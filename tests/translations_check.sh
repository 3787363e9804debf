#!/usr/bin/env bash
# The translations are up to date with the code: lupdate, run over copies of the .ts files
# with the sources the build translates, finds no text that is new (not yet translated) and
# none that has gone from the code, and so leaves every copy byte for byte as it is.
# Usage: translations_check.sh LUPDATE SOURCE_DIR SOURCES_LIST INCLUDE_DIR...
set -euo pipefail

lupdate=$1 src=$2 list=$3
shift 3
includes=()
for dir in "$src" "$@"; do includes+=(-I "$dir"); done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$src"/translations/plovan_*.ts "$work"/
"$lupdate" "${includes[@]}" "@$list" -ts "$work"/plovan_*.ts -locations none -no-obsolete >"$work/lupdate.log" 2>&1 ||
  { cat "$work/lupdate.log" >&2; echo "FAIL: lupdate failed" >&2; exit 1; }
failed=0
for copy in "$work"/plovan_*.ts; do
  name=$(basename "$copy")
  if ! cmp -s "$copy" "$src/translations/$name"; then
    echo "FAIL: translations/$name is not up to date with the code (+ what lupdate would make of it):" >&2
    diff -u "$src/translations/$name" "$copy" >&2 || true
    failed=1
  else
    echo "ok: translations/$name holds every text of the code and no other"
  fi
done
((failed == 0)) || echo "Run 'cmake --build build --target update_translations', then translate what is new." >&2
exit "$failed"
