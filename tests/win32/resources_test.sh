#!/usr/bin/env bash
# The resources of the Windows programs, read back from the built files:
# each has Ferry's icon (one group of 16, 32, 48 and 256 pixels) and a
# version resource whose numbers are the project's version.
# usage: resources_test.sh WINDRES VERSION ICO EXE...
set -euo pipefail
windres=$1 version=$2 ico=$3
shift 3
fail() { echo "resources_test: $*" >&2; exit 1; }

sizes=$(icotool -l "$ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | tr '\n' ' ')
[ "$sizes" = "16 32 48 256 " ] || fail "$ico holds the sizes $sizes"

IFS=. read -r major minor patch tweak <<<"$version"
numbers="$major, ${minor:-0}, ${patch:-0}, ${tweak:-0}"
for exe in "$@"; do
  name=$(basename "$exe")
  rc=$("$windres" -i "$exe" -O rc)
  grep -qF '1 14 /* RT_GROUP_ICON */' <<<"$rc" || fail "$name has no icon"
  [ "$(grep -cF '/* RT_ICON */' <<<"$rc")" = 4 ] || fail "$name has not four icon images"
  grep -qxF " FILEVERSION $numbers" <<<"$rc" || fail "$name's FILEVERSION is not $numbers"
  grep -qxF " PRODUCTVERSION $numbers" <<<"$rc" || fail "$name's PRODUCTVERSION is not $numbers"
  # The strings are UTF-16 in the file; windres shows them as text.
  for value in "\"FileVersion\", \"$version\"" "\"ProductVersion\", \"$version\"" \
    "\"OriginalFilename\", \"$name\""; do
    grep -qF "VALUE $value" <<<"$rc" || fail "$name lacks VALUE $value"
  done
done
echo "resources_test: passed"
