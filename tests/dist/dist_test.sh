#!/usr/bin/env bash
# The release packages as their users get them (`make test-dist`, part of
# `make check`):
# - the Windows zip unpacked into an empty folder of a fresh Wine prefix;
#   from there ferry-convert.exe and Ferry.exe (driven as a user drives it)
#   convert the bundled example, and both documents must be the expected one;
# - the .deb unpacked into a temporary root (dpkg-deb -x), whose
#   ferry-convert gives its version and converts the example;
# - the tar.gz and `cmake --install` giving the same Linux layout.
# usage: dist_test.sh DIST_DIR   (under xvfb-run, with WINEPREFIX fresh)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
dist=$(cd "${1:?usage: dist_test.sh DIST_DIR}" && pwd)
FAIL_PREFIX=dist_test
# shellcheck source=../win32/window_driver.sh
source "$root/tests/win32/window_driver.sh"

version=$("$root/build/native/ferry-convert" --version | awk '{print $2}')
[ -n "$version" ] || fail "no version from build/native/ferry-convert"
zip=$dist/ferry-$version-windows-x64.zip
tgz=$dist/ferry-$version-linux-x86_64.tar.gz
deb=$dist/ferry_${version}_amd64.deb
for package in "$zip" "$tgz" "$deb"; do
  [ -f "$package" ] || fail "no package $package"
done
expected=$root/examples/KJFK.expected.xml

work=$(mktemp -d /tmp/ferry-dist-XXXX)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# What the zip holds, and nothing else.
top=ferry-$version-windows-x64
expected_names="$top/
$top/Ferry.exe
$top/README.txt
$top/examples/
$top/examples/KJFK.expected.xml
$top/examples/KJFK.sca
$top/examples/KJFK_AFD.SCA
$top/examples/KJFK_Exclude.SCA
$top/ferry-convert.exe"
[ -f "$root/LICENSE" ] && expected_names+=$'\n'"$top/LICENSE"
names=$(unzip -Z1 "$zip" | { cat; echo "$top/"; } | sort -u)
[ "$names" = "$(sort <<<"$expected_names")" ] || fail "the zip holds: $names"

# Unpacked into an empty folder of the fresh prefix.
folder=$WINEPREFIX/drive_c/Ferry
[ ! -e "$folder" ] || fail "$folder is there already: the prefix is not fresh"
mkdir "$folder"
unzip -q "$zip" -d "$folder"
program=$folder/$top
program_win="C:\\Ferry\\$top"

# README.txt: the designers' part, every line ending in CR LF.
readme=$program/README.txt
head -1 "$readme" | grep -q $'^# Ferry\r$' || fail "README.txt does not begin with the title"
grep -q 'Ferry.exe' "$readme" || fail "README.txt does not tell of Ferry.exe"
grep -q '^## Building from source' "$readme" && fail "README.txt holds the developers' part"
[ "$(grep -c $'\r$' "$readme")" = "$(wc -l <"$readme")" ] || fail "README.txt has lines without CR LF"
cmp -s "$program/examples/KJFK.expected.xml" "$expected" || fail "the zip's expected document differs"

# ferry-convert.exe, from the unpacked folder.
mkdir "$WINEPREFIX/drive_c/out"
wine "$program_win\\ferry-convert.exe" --buildings --exclusions --airport --output-dir 'C:\out' \
  "$program_win\\examples\\KJFK.sca" || fail "ferry-convert.exe failed"
cmp "$WINEPREFIX/drive_c/out/KJFK.xml" "$expected" || fail "ferry-convert.exe wrote another document"
wine "$program_win\\ferry-convert.exe" --version | tr -d '\r' | grep -qxF "ferry-convert $version" ||
  fail "ferry-convert.exe --version does not say $version"

# Ferry.exe, from the same folder: the document goes beside it.
convert_with_window "$program_win\\Ferry.exe" "$program_win\\examples\\KJFK.sca"
cmp "$program/KJFK.xml" "$expected" || fail "Ferry.exe wrote another document"
echo "dist_test: the zip works in a fresh Wine prefix"

# The .deb, unpacked into a temporary root.
dpkg-deb --field "$deb" Package Version | grep -qx "Version: $version" || fail "the .deb is not $version"
debroot=$work/debroot
dpkg-deb -x "$deb" "$debroot"
"$debroot/usr/bin/ferry-convert" --version | grep -qxF "ferry-convert $version" ||
  fail "the .deb's ferry-convert --version does not say $version"
mkdir "$work/deb-out"
"$debroot/usr/bin/ferry-convert" -b -e -a -o "$work/deb-out" \
  "$debroot/usr/share/doc/ferry/examples/KJFK.sca" || fail "the .deb's ferry-convert failed"
cmp "$work/deb-out/KJFK.xml" "$debroot/usr/share/doc/ferry/examples/KJFK.expected.xml" ||
  fail "the .deb's ferry-convert wrote another document"
cmp -s "$debroot/usr/share/doc/ferry/examples/KJFK.expected.xml" "$expected" ||
  fail "the .deb's expected document differs"
[ -f "$debroot/usr/share/doc/ferry/README.md" ] || fail "the .deb lacks the README"
man_page=$debroot/usr/share/man/man1/ferry-convert.1
grep -q '^\.TH FERRY-CONVERT "1"' "$man_page" || fail "the .deb lacks the man page"
grep -q 'buildings' "$man_page" || fail "the man page does not tell the options"
echo "dist_test: the .deb works from a temporary root"

# The tar.gz and `cmake --install` lay out the same files as the .deb.
layout() { (cd "$1" && find . -type f | sed 's|^\./||' | sort); }
mkdir "$work/tgz"
tar -xzf "$tgz" -C "$work/tgz"
cmake --install "$root/build/native" --prefix "$work/installed" >/dev/null
deb_layout=$(layout "$debroot/usr")
[ "$(layout "$work/tgz/ferry-$version-linux-x86_64")" = "$deb_layout" ] ||
  fail "the tar.gz holds other files than the .deb: $(layout "$work/tgz")"
[ "$(layout "$work/installed")" = "$deb_layout" ] ||
  fail "cmake --install lays out other files: $(layout "$work/installed")"
grep -qx 'bin/ferry-convert' <<<"$deb_layout" || fail "no bin/ferry-convert: $deb_layout"
echo "dist_test: the tar.gz and cmake --install lay out the same files"
echo "dist_test: passed"
