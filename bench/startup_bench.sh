#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of Numra against a bare Qt 6 window with the same widgets
# (bench/bare_window.cpp): the time from exec to the window's first frame on
# the screen (every visible widget painted, not only the window mapped), the
# processor time used by then, and the resident memory then. The programs
# start in pairs under one virtual X server, each pair in the other order
# than the one before, so that neither always finds the caches warmed by the
# other. Load from elsewhere on the machine slows both programs of a pair
# alike, so the figure to go by is the median of the pairs' ratios.
#   bench/startup_bench.sh [PAIRS, default 41]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${NUMRA_BUILD_DIR:-build}
PAIRS=${1:-41}

[ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake -S . -B "$BUILD_DIR" -DNUMRA_BENCHMARKS=ON >/dev/null
cmake --build "$BUILD_DIR" -j2 --target numra startup_bare_window >/dev/null

export NUMRA="$BUILD_DIR/src/gui/numra" BARE="$BUILD_DIR/bench/startup_bare_window" PAIRS
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  set -euo pipefail
  # Numra starts as on a fresh account: no settings, no kept tape, and no
  # other Numra to hand over to.
  fresh=$(mktemp -d); trap "rm -rf \"$fresh\"" EXIT
  mkdir -m 700 "$fresh/run"
  export XDG_CONFIG_HOME=$fresh/config XDG_DATA_HOME=$fresh/data XDG_RUNTIME_DIR=$fresh/run
  measure() { # program -> "wall_us rss_kib cpu_us"
    local start out
    start=$(date +%s%N)
    out=$(NUMRA_STARTUP_PROBE=1 "$1" 2>/dev/null)
    set -- $out
    echo "$(( ($2 - start) / 1000 )) $4 $6"
  }
  median() { sort -g | awk "{a[NR]=\$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}"; }
  column() { echo "$pairs" | awk -v c="$1" "{print \$c}" | median; }
  ratio() { echo "$pairs" | awk -v a="$1" -v b="$2" "{print \$a / \$b}" | median; }
  measure "$NUMRA" >/dev/null; measure "$BARE" >/dev/null   # the file cache
  pairs=$(for i in $(seq "$PAIRS"); do
    if [ $((i % 2)) -eq 1 ]; then
      n=$(measure "$NUMRA"); b=$(measure "$BARE")
    else
      b=$(measure "$BARE"); n=$(measure "$NUMRA")
    fi
    echo "$n $b"
  done)
  awk -v pairs="$PAIRS" \
      -v nw="$(column 1)" -v bw="$(column 4)" -v wr="$(ratio 1 4)" \
      -v nc="$(column 3)" -v bc="$(column 6)" -v cr="$(ratio 3 6)" \
      -v nk="$(column 2)" -v bk="$(column 5)" "BEGIN {
    printf \"%d pairs; medians of each program, and the median of the pairs'\'' ratios\n\", pairs
    printf \"first frame     numra %5.1f ms   bare window %5.1f ms   ratio %.3f (target <= 1.05)\n\", nw/1000, bw/1000, wr
    printf \"processor time  numra %5.1f ms   bare window %5.1f ms   ratio %.3f\n\", nc/1000, bc/1000, cr
    printf \"resident        numra %5.1f MiB  bare window %5.1f MiB  difference %.1f MiB (target <= 4)\n\", nk/1024, bk/1024, (nk-bk)/1024
  }"
'
