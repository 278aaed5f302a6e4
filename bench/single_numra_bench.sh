#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One Numra, timed on a virtual X server with a window manager, against the
# target of 1 s each: a second start of numra from its exec to its exit
# (handed over to the running Numra), and "numra --zwischenablage" from its
# exec until the clipboard holds the result (12+5*2 gives 22) and until
# the kept tape file holds the row (written half a second after a change).
# Each is run ROUNDS times; median and slowest are printed in milliseconds.
#   bench/single_numra_bench.sh [ROUNDS, default 21]   (build numra first)
set -euo pipefail
cd "$(dirname "$0")/.."
export NUMRA=${NUMRA_BUILD_DIR:-build}/src/gui/numra ROUNDS=${1:-21}
[ -x "$NUMRA" ] || { echo "build numra first (./dev.sh test)"; exit 2; }

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p -m 700 "$home/run" "$home/config/numra"
printf '[tape]\nkeep=true\n' >"$home/config/numra/numra.conf"
export XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  ms() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
  stats() { sort -n | awk "{ v[NR] = \$1 } END { printf \"median %d ms, slowest %d ms (%d rounds)\n\", v[int((NR + 1) / 2)], v[NR], NR }"; }
  tape=$XDG_DATA_HOME/numra/rechenstreifen.tsv
  openbox >/dev/null 2>&1 & WM=$!
  sleep 0.5
  "$NUMRA" 2>/dev/null & APP=$!
  until xdotool search --onlyvisible --name "^Numra\$" >/dev/null 2>&1; do sleep 0.05; done
  sleep 0.5

  for _ in $(seq "$ROUNDS"); do
    start=$(date +%s%N); "$NUMRA"; ms "$start"
  done | stats | sed "s/^/second start, exec to exit:        /"

  clip="" kept=""
  for i in $(seq "$ROUNDS"); do
    printf "12+5*%d" "$i" | xclip -selection clipboard
    want=$((12 + 5 * i)) rows=$(grep -c . "$tape" 2>/dev/null || echo 0)
    start=$(date +%s%N)
    "$NUMRA" --zwischenablage
    until [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$want" ]; do sleep 0.005; done
    clip="$clip $(ms "$start")"
    until [ "$(grep -c . "$tape" 2>/dev/null || echo 0)" -gt "$rows" ]; do sleep 0.005; done
    kept="$kept $(ms "$start")"
  done
  tr " " "\n" <<<"$clip" | grep . | stats | sed "s/^/--zwischenablage, to the clipboard: /"
  tr " " "\n" <<<"$kept" | grep . | stats | sed "s/^/--zwischenablage, to the kept tape: /"
  kill $APP $WM
'
