#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Validates the desktop entry, the AppStream metainfo and the file types with
# the freedesktop tools. Exit 77 (skipped) when a tool is missing.
set -u
data=$1
missing=""
command -v desktop-file-validate >/dev/null 2>&1 || missing="$missing desktop-file-validate (desktop-file-utils)"
command -v appstreamcli >/dev/null 2>&1 || missing="$missing appstreamcli (appstream)"
command -v update-mime-database >/dev/null 2>&1 || missing="$missing update-mime-database (shared-mime-info)"
if [ -n "$missing" ]; then
    echo "SKIPPED: missing$missing"
    exit 77
fi
status=0
desktop-file-validate "$data/org.example.Numra.desktop" || status=1
appstreamcli validate --no-net --explain "$data/org.example.Numra.metainfo.xml" || status=1
# The file types as the desktop's database takes them: both names, and the
# tape document's first line.
mime=$(mktemp -d)
mkdir -p "$mime/packages"
cp "$data/org.example.Numra.mime.xml" "$mime/packages/org.example.Numra.xml"
XDG_DATA_DIRS=$(dirname "$mime") update-mime-database "$mime" || status=1
grep -qx 'application/x-numra-calculation:\*\.clc' "$mime/globs" || { echo "no glob for .clc"; status=1; }
grep -qx 'application/x-numra-tape:\*\.rstr' "$mime/globs" || { echo "no glob for .rstr"; status=1; }
grep -q 'Numra-Rechenstreifen-Dokument' "$mime/magic" || { echo "no magic for tape documents"; status=1; }
rm -rf "$mime"
exit $status
