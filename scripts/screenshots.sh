#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Saves pictures of Numra's windows (main window, VAT window after "Ust+" on
# 12,5, copy chooser, subtotal window, help, about, a message box, the file
# dialogs, the VAT window with the calculator at the screen's right edge, the
# calculator with its tape beside it and the VAT window then, the tape with
# notes, a corrected row and an error row, and its PDF print, the menu, its
# VAT rate submenu, the VAT window at 7 %, its rate list open, and the tape,
# subtotal and VAT windows with the calculator in each corner of the screen)
# under a virtual X server with a grey desktop, at display scale 1 and 2,
# each under the openbox window manager when it is installed.
#   scripts/screenshots.sh [output folder, default build/screenshots]
# The pictures land in <folder>/scale-1 and <folder>/scale-2.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${NUMRA_BUILD_DIR:-build}
OUT=${1:-$BUILD_DIR/screenshots}

[ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake -S . -B "$BUILD_DIR" -DNUMRA_TESTS=ON >/dev/null
cmake --build "$BUILD_DIR" -j2 --target numra_screenshots
program=$(realpath "$BUILD_DIR/tests/gui/numra_screenshots")

if command -v openbox >/dev/null; then
    wm=openbox
else
    wm=""
    echo "openbox not installed (Debian package openbox): pictures without a window manager" >&2
fi

for scale in 1 2; do
    folder=$(realpath -m "$OUT/scale-$scale")
    rm -rf "$folder"
    mkdir -p "$folder"
    # The same 1024 x 768 logical pixels at both scales.
    LC_ALL=de_DE.UTF-8 QT_SCALE_FACTOR=$scale \
        xvfb-run -a -s "-screen 0 $((1024 * scale))x$((768 * scale))x24 -dpi 96" \
        sh -c 'if [ -n "$1" ]; then "$1" >/dev/null 2>&1 & sleep 1; fi; exec "$2" "$3"' \
        screenshots "$wm" "$program" "$folder"
    echo "scale $scale: $folder"
    ls -1 "$folder"
done
