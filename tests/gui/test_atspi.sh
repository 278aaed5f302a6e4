#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs test_atspi.py on a virtual X server with a D-Bus session and an
# accessibility bus of its own. The whole run ends within a fixed time, also
# when a bus never comes up.
#   test_atspi.sh <numra>
set -euo pipefail
NUMRA=$1
SCRIPT=$(dirname "$(realpath "$0")")/test_atspi.py
LAUNCHER=/usr/libexec/at-spi-bus-launcher
PY=/usr/bin/python3   # Debian's, which has the AT-SPI bindings
for tool in xvfb-run dbus-run-session dbus-send xdotool "$LAUNCHER" "$PY"; do
  command -v "$tool" >/dev/null || { echo "$tool missing (./dev.sh test installs it): skipped"; exit 77; }
done
"$PY" -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi missing: skipped"; exit 77; }
export NUMRA SCRIPT LAUNCHER PY
exec timeout -k 5 100 xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- bash -c '
  "$LAUNCHER" --launch-immediately 2>/dev/null & launcher=$!
  trap "kill $launcher 2>/dev/null" EXIT
  up=""
  for _ in $(seq 100); do
    if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1; then up=1; break; fi
    sleep 0.1
  done
  [ -n "$up" ] || { echo "FAIL the accessibility bus did not come up"; exit 1; }
  timeout -k 5 80 "$PY" "$SCRIPT" "$NUMRA"'
