#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Saves pictures of Numra's windows (main window, VAT window after "Ust+" on
# 12,5, subtotal window, the calculator with its tape beside it, and a few
# more) under a virtual X server.
#   scripts/screenshots.sh [output folder, default build/screenshots]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${NUMRA_BUILD_DIR:-build}
OUT=${1:-$BUILD_DIR/screenshots}

[ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake -S . -B "$BUILD_DIR" -DNUMRA_TESTS=ON >/dev/null
cmake --build "$BUILD_DIR" -j2 --target numra_screenshots
mkdir -p "$OUT"
LC_ALL=de_DE.UTF-8 xvfb-run -a -s "-screen 0 800x600x24 -dpi 96" \
  "$BUILD_DIR/tests/gui/numra_screenshots" "$OUT"
ls -1 "$OUT"
