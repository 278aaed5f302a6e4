#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Tries the Debian package on a clean Debian 12: builds it, installs it with
# apt-get into a minimal bookworm made with debootstrap, runs numra-eval there
# and starts numra on a virtual X server, keeping a picture of its window.
# Needs root and the Debian mirror; not part of the test suite.
#   scripts/try-package.sh [chroot folder, default /tmp/numra-bookworm]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${NUMRA_BUILD_DIR:-build}
ROOT=${1:-/tmp/numra-bookworm}

[ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$BUILD_DIR" -j2 --target numra numra-eval numra_data
(cd "$BUILD_DIR" && cpack)
deb=$(ls "$BUILD_DIR"/numra_*_amd64.deb)

[ -x "$ROOT/usr/bin/apt-get" ] || debootstrap --variant=minbase bookworm "$ROOT"
cp /etc/resolv.conf "$ROOT/etc/resolv.conf"
if ! mountpoint -q "$ROOT/proc"; then
    mount -t proc proc "$ROOT/proc"
    trap 'umount "$ROOT/proc"' EXIT
fi
cp "$deb" "$ROOT/tmp/"

# As a user installs it (recommended packages included), then the X server.
chroot "$ROOT" sh -c "apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./tmp/$(basename "$deb") &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xvfb"

chroot "$ROOT" sh -c '
    set -e
    numra-eval --version
    numra-eval --decimal-separator=, "12+5*2" "5+"
    rm -f /tmp/Xvfb_screen0
    Xvfb :77 -screen 0 480x420x24 -fbdir /tmp -nolisten tcp >/tmp/xvfb.log 2>&1 &
    xvfb=$!
    sleep 2
    DISPLAY=:77 numra >/tmp/numra.log 2>&1 &
    numra=$!
    sleep 4
    kill -0 $numra || { echo "numra did not keep running:"; cat /tmp/numra.log; exit 1; }
    echo "numra is running"
    cp /tmp/Xvfb_screen0 /tmp/numra-window.xwd
    kill $numra $xvfb
'
if command -v convert >/dev/null && convert xwd:"$ROOT/tmp/numra-window.xwd" "$BUILD_DIR/numra-package-window.png" 2>/dev/null; then
    echo "window picture: $BUILD_DIR/numra-package-window.png"
else
    echo "window picture (XWD): $ROOT/tmp/numra-window.xwd"
fi
