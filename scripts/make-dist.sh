#!/usr/bin/env bash
# make dist: the release folder build/dist/MorrowenSnip/ (the 32-bit exe, the
# default a.ini, readme.txt, licence.txt, and the pictures in pictures\)
# zipped as build/MorrowenSnip.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${MS_BUILD:-$PWD/build}
exe=$build/win32/MorrowenSnip.exe
[ -f "$exe" ] || { echo "dist: $exe is not built (make build-win32)" >&2; exit 1; }
i686-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-i386' ||
  { echo "dist: $exe is not a 32-bit Windows exe" >&2; exit 1; }
# 4 GB of address space on 64-bit Windows instead of 2 (cmake/toolchain-win32.cmake).
headers=$(i686-w64-mingw32-objdump -p "$exe")
grep -qi 'large address aware' <<<"$headers" ||
  { echo "dist: $exe is not large-address-aware" >&2; exit 1; }

dist=$build/dist/MorrowenSnip
rm -rf "$dist" && mkdir -p "$dist"
cp "$exe" "$dist/"
[ -f assets/a.ini ] && cp assets/a.ini "$dist/"
# The texts with Windows line ends, for Notepad on every Windows.
for t in readme.txt licence.txt; do
  sed 's/\r*$/\r/' "assets/$t" >"$dist/$t"
done
# Pictures: those kept in assets/ and those drawn by the build, in their own
# folder (the program looks there first, then beside itself).
mkdir -p "$dist/pictures"
shopt -s nullglob nocaseglob
for f in assets/*.png assets/*.gif "$build"/win32/pictures/*.png "$build"/win32/pictures/*.gif; do
  cp "$f" "$dist/pictures/"
done
shopt -u nullglob nocaseglob

zip=$build/MorrowenSnip.zip
rm -f "$zip"
(cd "$build/dist" && zip -q -r -X "$zip" MorrowenSnip)
echo "dist: $zip"
zip -sf "$zip" | sed 's/^/  /'
