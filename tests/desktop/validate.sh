#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Validates the desktop entry and the AppStream metainfo with the freedesktop
# tools. Exit 77 (skipped) when a tool is missing.
set -u
data=$1
missing=""
command -v desktop-file-validate >/dev/null 2>&1 || missing="$missing desktop-file-validate (desktop-file-utils)"
command -v appstreamcli >/dev/null 2>&1 || missing="$missing appstreamcli (appstream)"
if [ -n "$missing" ]; then
    echo "SKIPPED: missing$missing"
    exit 77
fi
status=0
desktop-file-validate "$data/org.example.Numra.desktop" || status=1
appstreamcli validate --no-net --explain "$data/org.example.Numra.metainfo.xml" || status=1
exit $status
