#!/usr/bin/env bash
# Start-up of Numra against a bare Qt 6 window with as many widgets: the time
# from exec to the window first painted, and the resident memory then.
# Medians of RUNS starts each, alternating, under one virtual X server.
#   bench/startup_bench.sh [RUNS, default 15]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${NUMRA_BUILD_DIR:-build}
RUNS=${1:-15}

[ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$BUILD_DIR" -j2 --target numra startup_bare_window >/dev/null

export NUMRA="$BUILD_DIR/src/app/numra" BARE="$BUILD_DIR/bench/startup_bare_window" RUNS
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  measure() { # program -> "milliseconds KiB"
    local start out
    start=$(date +%s%N)
    out=$(NUMRA_STARTUP_PROBE=1 "$1" 2>/dev/null)
    set -- $out
    echo "$(( ($2 - start) / 1000 )) $4"
  }
  median() { sort -n | awk "{a[NR]=\$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}"; }
  measure "$NUMRA" >/dev/null; measure "$BARE" >/dev/null   # warm the file cache
  : >/tmp/numra_bench.$$; : >/tmp/bare_bench.$$
  for _ in $(seq "$RUNS"); do
    measure "$NUMRA" >>/tmp/numra_bench.$$
    measure "$BARE" >>/tmp/bare_bench.$$
  done
  n_us=$(cut -d" " -f1 /tmp/numra_bench.$$ | median); n_kib=$(cut -d" " -f2 /tmp/numra_bench.$$ | median)
  b_us=$(cut -d" " -f1 /tmp/bare_bench.$$ | median); b_kib=$(cut -d" " -f2 /tmp/bare_bench.$$ | median)
  rm -f /tmp/numra_bench.$$ /tmp/bare_bench.$$
  awk -v n="$n_us" -v b="$b_us" -v nk="$n_kib" -v bk="$b_kib" -v runs="$RUNS" "BEGIN {
    printf \"runs each: %d (medians)\n\", runs
    printf \"start-up   numra %.1f ms   bare window %.1f ms   ratio %.2f (target <= 1.20)\n\", n/1000, b/1000, n/b
    printf \"resident   numra %.1f MiB  bare window %.1f MiB  difference %.1f MiB (target <= 10)\n\", nk/1024, bk/1024, (nk-bk)/1024
  }"
'
