#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the build folder into a temporary folder and
# checks it with lintian: no errors and no warnings. Exit 77 (skipped) when
# lintian or dpkg-shlibdeps is missing.
set -u
build=$1
for tool in lintian dpkg-shlibdeps; do
    if ! command -v $tool >/dev/null 2>&1; then
        echo "SKIPPED: $tool not installed (Debian packages lintian, dpkg-dev)"
        exit 77
    fi
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
lintian --fail-on error,warning "$out"/numra_*.deb
