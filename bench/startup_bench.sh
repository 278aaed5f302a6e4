#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of Numra against a bare Qt 6 window with as many widgets: the time
# from exec to the window first painted, the processor time used by then, and
# the resident memory then. The two programs start in turns under one virtual
# X server. Load from elsewhere on the machine only ever adds time, so the
# best (least) times of each program are compared; the medians of the pairs'
# ratios are shown beside them.
#   bench/startup_bench.sh [RUNS, default 25]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${NUMRA_BUILD_DIR:-build}
RUNS=${1:-25}

[ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake -S . -B "$BUILD_DIR" -DNUMRA_BENCHMARKS=ON >/dev/null
cmake --build "$BUILD_DIR" -j2 --target numra startup_bare_window >/dev/null

export NUMRA="$BUILD_DIR/src/gui/numra" BARE="$BUILD_DIR/bench/startup_bare_window" RUNS
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  measure() { # program -> "wall_us rss_kib cpu_us"
    local start out
    start=$(date +%s%N)
    out=$(NUMRA_STARTUP_PROBE=1 "$1" 2>/dev/null)
    set -- $out
    echo "$(( ($2 - start) / 1000 )) $4 $6"
  }
  median() { sort -g | awk "{a[NR]=\$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}"; }
  least() { sort -g | head -1; }
  column() { echo "$pairs" | cut -d" " -f"$1" | median; }
  best() { echo "$pairs" | cut -d" " -f"$1" | least; }
  measure "$NUMRA" >/dev/null; measure "$BARE" >/dev/null   # warm the file cache
  pairs=$(for _ in $(seq "$RUNS"); do echo "$(measure "$NUMRA") $(measure "$BARE")"; done)
  wall_ratio=$(echo "$pairs" | awk "{print \$1 / \$4}" | median)
  cpu_ratio=$(echo "$pairs" | awk "{print \$3 / \$6}" | median)
  awk -v nw="$(best 1)" -v bw="$(best 4)" -v wr="$wall_ratio" \
      -v nc="$(best 3)" -v bc="$(best 6)" -v cr="$cpu_ratio" \
      -v nk="$(column 2)" -v bk="$(column 5)" -v runs="$RUNS" "BEGIN {
    printf \"runs each: %d; best times, and the median of the pair ratios\n\", runs
    printf \"exec to shown   numra %5.1f ms   bare window %5.1f ms   ratio %.2f (target <= 1.20)   median ratio %.2f\n\", nw/1000, bw/1000, nw/bw, wr
    printf \"processor time  numra %5.1f ms   bare window %5.1f ms   ratio %.2f                   median ratio %.2f\n\", nc/1000, bc/1000, nc/bc, cr
    printf \"resident        numra %5.1f MiB  bare window %5.1f MiB  difference %.1f MiB (target <= 10)\n\", nk/1024, bk/1024, (nk-bk)/1024
  }"
'
