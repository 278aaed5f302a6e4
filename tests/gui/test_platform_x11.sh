#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# On a real (virtual) X server: while Numra runs, NumLock is on (it was off
# before) and the warning beep is off; a termination signal ends Numra like the quit button,
# and the beep has its volume back.
#   test_platform_x11.sh <numra> <x11state>
set -euo pipefail
NUMRA=$1 STATE=$2
if ! command -v xvfb-run >/dev/null; then
  echo "xvfb-run missing: skipped"
  exit 77
fi
# Numra starts on a settings, data and runtime folder of its own, never the
# user's: it neither meets the user's Numra nor another test's.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
export NUMRA STATE XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
  set -u
  APP=""
  # A Numra left running would hold the test'"'"'s output open until the timeout.
  fail() { echo "FAIL: $*"; kill "$HOLD" $APP 2>/dev/null; exit 1; }
  "$STATE" hold & HOLD=$!
  sleep 0.3
  "$STATE" bell 37 >/dev/null
  for sig in TERM INT HUP; do
    "$STATE" numlock 0 >/dev/null
    "$NUMRA" 2>/dev/null & APP=$!
    running=""
    for _ in $(seq 50); do
      sleep 0.1
      running=$("$STATE")
      [ "$running" = "bell 0 numlock 1" ] && break
    done
    [ "$running" = "bell 0 numlock 1" ] || fail "while running ($sig): $running"
    kill -s "$sig" "$APP"
    wait "$APP" || fail "numra ended with $? on SIG$sig"
    after=$("$STATE")
    [ "$after" = "bell 37 numlock 1" ] || fail "after SIG$sig: $after"
    echo "SIG$sig: $running while running, $after afterwards"
  done
  kill "$HOLD"
  echo "1 passed, 0 failed"
'
