#!/usr/bin/env bash
# Start-up of Numra against a bare Qt 6 window with as many widgets: the time
# from exec to the window first painted, and the resident memory then. The
# two programs start in turns under one virtual X server; the ratio is the
# median of the pairs' ratios, so that load from elsewhere cancels out.
#   bench/startup_bench.sh [RUNS, default 15]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${NUMRA_BUILD_DIR:-build}
RUNS=${1:-15}

[ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$BUILD_DIR" -j2 --target numra startup_bare_window >/dev/null

export NUMRA="$BUILD_DIR/src/app/numra" BARE="$BUILD_DIR/bench/startup_bare_window" RUNS
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  measure() { # program -> "microseconds KiB"
    local start out
    start=$(date +%s%N)
    out=$(NUMRA_STARTUP_PROBE=1 "$1" 2>/dev/null)
    set -- $out
    echo "$(( ($2 - start) / 1000 )) $4"
  }
  median() { sort -g | awk "{a[NR]=\$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}"; }
  measure "$NUMRA" >/dev/null; measure "$BARE" >/dev/null   # warm the file cache
  pairs=$(for _ in $(seq "$RUNS"); do echo "$(measure "$NUMRA") $(measure "$BARE")"; done)
  n_us=$(echo "$pairs" | cut -d" " -f1 | median); n_kib=$(echo "$pairs" | cut -d" " -f2 | median)
  b_us=$(echo "$pairs" | cut -d" " -f3 | median); b_kib=$(echo "$pairs" | cut -d" " -f4 | median)
  ratio=$(echo "$pairs" | awk "{print \$1 / \$3}" | median)
  awk -v n="$n_us" -v b="$b_us" -v r="$ratio" -v nk="$n_kib" -v bk="$b_kib" -v runs="$RUNS" "BEGIN {
    printf \"runs each: %d (medians)\n\", runs
    printf \"start-up   numra %.1f ms   bare window %.1f ms   ratio %.2f (target <= 1.20)\n\", n/1000, b/1000, r
    printf \"resident   numra %.1f MiB  bare window %.1f MiB  difference %.1f MiB (target <= 10)\n\", nk/1024, bk/1024, (nk-bk)/1024
  }"
'
