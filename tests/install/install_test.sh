#!/usr/bin/env bash
# `cmake --install` puts the programs, the desktop entry, its icon and the MIME types of .rcz and
# .rcg files in place, so that a file manager opens configurations in qmx.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null

fail() { echo "install: $*" >&2; exit 1; }
for file in bin/qmx bin/qmxctl share/applications/qmx.desktop \
            share/icons/hicolor/scalable/apps/qmx.svg share/mime/packages/qmx.xml; do
    [ -e "$prefix/$file" ] || fail "$file is missing"
done
desktop=$prefix/share/applications/qmx.desktop
grep -qx 'Exec=qmx %f' "$desktop" || fail "the entry does not pass the file to qmx"
for type in application/x-qmx-packed-configuration application/x-qmx-configuration; do
    grep -q "^MimeType=.*$type;" "$desktop" || fail "the entry does not open $type"
    grep -q "type=\"$type\"" "$prefix/share/mime/packages/qmx.xml" || fail "$type is not defined"
done
grep -q 'pattern="\*.rcz"' "$prefix/share/mime/packages/qmx.xml" || fail "no *.rcz pattern"
grep -q 'pattern="\*.rcg"' "$prefix/share/mime/packages/qmx.xml" || fail "no *.rcg pattern"
if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
fi
echo "install: programs, desktop entry, icon and MIME types in place"
