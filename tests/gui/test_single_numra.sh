#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One Numra on a real (virtual) X server with a window manager: a second
# start hands over and ends with 0, leaving one window; --zwischenablage
# computes the clipboard and puts the result back, and the kept tape gets
# the row with its note; a two-way amount leaves the clipboard as it was and
# shows a message; --zeigen minimises and restores; a tape document opens in
# the running Numra; a Numra killed with its socket left behind does not
# block the next; --help and --version answer without a display. How fast
# it is, bench/single_numra_bench.sh measures.
#   test_single_numra.sh <numra>
set -euo pipefail
NUMRA=$1
for tool in xvfb-run openbox xdotool xclip xprop; do
  if ! command -v "$tool" >/dev/null; then
    echo "$tool missing: skipped"
    exit 77
  fi
done

# Settings, kept tape and socket folders of its own, never the user's or
# another test's Numra; the tape is kept.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p -m 700 "$home/run" "$home/config/numra"
printf '[tape]\nkeep=true\n' >"$home/config/numra/numra.conf"
export NUMRA XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run HOME_OF_TEST=$home

help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$NUMRA" --help)
grep -q -- '--zwischenablage' <<<"$help" || { echo "FAIL: --help without a display: $help"; exit 1; }
grep -q -- '--zeigen' <<<"$help" || { echo "FAIL: --help lists no --zeigen"; exit 1; }
env -u DISPLAY -u WAYLAND_DISPLAY "$NUMRA" --version | grep -q '^numra (Numra) ' || { echo "FAIL: --version"; exit 1; }

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  APP="" WM=""
  numra() { LC_ALL=de_DE.UTF-8 "$NUMRA" "$@"; }
  fail() { echo "FAIL: $*"; kill $APP $WM 2>/dev/null; exit 1; }
  # Waits up to 5 s for a condition.
  eventually() { for _ in $(seq 250); do eval "$1" && return 0; sleep 0.02; done; return 1; }
  windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null; }
  tape=$XDG_DATA_HOME/numra/rechenstreifen.tsv
  rows() { grep -c "^[0-9a-f]\{16\}	" "$tape" 2>/dev/null || true; }
  clipboard() { xclip -o -selection clipboard 2>/dev/null; }
  state() { xprop -id "$WID" WM_STATE | sed -n "s/.*window state: //p"; }

  openbox >/dev/null 2>&1 & WM=$!
  sleep 0.5
  numra 2>/dev/null & APP=$!
  eventually "[ -n \"\$(windows Numra)\" ]" || fail "no window"
  WID=$(windows Numra | head -1)

  numra || fail "a second start ended with $?"
  kill -0 $APP || fail "the first Numra ended"
  [ "$(windows Numra | wc -l)" -eq 1 ] || fail "a second window"
  echo "second start: handed over, one window"

  printf "12+5*2" | xclip -selection clipboard
  numra --zwischenablage || fail "--zwischenablage ended with $?"
  eventually "[ \"\$(clipboard)\" = 22 ]" || fail "clipboard: $(clipboard)"
  eventually "grep -sqP \"\\t12\\+5\\*2\\t22\\tZwischenablage\\t\" \"$tape\"" || fail "kept tape: $(cat "$tape")"
  echo "clipboard 12+5*2: 22, and the kept tape has the row with its note"

  before=$(rows)
  printf "1,234.56" | xclip -selection clipboard
  numra --zwischenablage || fail "--zwischenablage ended with $?"
  eventually "[ -n \"\$(windows Fehler)\" ]" || fail "no message for 1,234.56"
  [ "$(clipboard)" = "1,234.56" ] || fail "the clipboard changed: $(clipboard)"
  xdotool windowactivate --sync "$(windows Fehler | head -1)" key Return
  eventually "[ -z \"\$(windows Fehler)\" ]" || fail "the message stays"
  sleep 0.7
  [ "$(rows)" = "$before" ] || fail "a row was added: $(cat "$tape")"
  echo "clipboard 1,234.56: unchanged, with a message"

  numra || fail "a start to the front"
  eventually "[ \"\$(xdotool getactivewindow)\" = $WID ]" || fail "Numra is not the active window"
  numra --zeigen
  eventually "[ \"\$(state)\" = Iconic ]" || fail "--zeigen did not minimise: $(state)"
  numra --zeigen
  eventually "[ \"\$(state)\" = Normal ] && [ \"\$(xdotool getactivewindow)\" = $WID ]" \
    || fail "--zeigen did not restore: $(state)"
  echo "--zeigen twice: minimised, restored"

  document=$HOME_OF_TEST/Miete.rstr
  printf "Numra-Rechenstreifen-Dokument 1\nDezimaltrennzeichen\t,\nArt\tFormel\tErgebnis\tNotiz\tRunden\tSatz\tBezug\nErgebnis\t800+120\t920\tMiete März\t\t\t\n" >"$document"
  numra "$document" || fail "numra FILE ended with $?"
  eventually "grep -sqP \"\\t800\\+120\\t920\\tMiete März\\t\" \"$tape\"" || fail "the document did not open: $(cat "$tape")"
  echo "numra FILE: the tape document opened in the running Numra"

  kill -KILL $APP
  wait $APP 2>/dev/null
  [ -S "$XDG_RUNTIME_DIR/org.example.Numra.socket" ] || fail "the killed Numra left no socket"
  numra 2>/dev/null & APP=$!
  eventually "[ -n \"\$(windows Numra)\" ]" || fail "no window after a killed Numra"
  numra || fail "a start after the new Numra ended with $?"
  [ "$(windows Numra | wc -l)" -eq 1 ] || fail "a second window after the take-over"
  echo "a socket left by a killed Numra: taken over"

  kill $APP $WM 2>/dev/null
  wait $APP 2>/dev/null
  echo "1 passed, 0 failed"
'
