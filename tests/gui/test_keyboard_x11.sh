#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Real key presses on a virtual X server with the German layout, dead "^"
# included, through to the entry field; read back by the clipboard key. Then
# formulas typed by character (xdotool) under German, Swiss German, Austrian
# and US layouts, read back from the kept tape.
#   test_keyboard_x11.sh <numra> <x11state>
set -euo pipefail
NUMRA=$1 STATE=$2
if ! command -v xvfb-run >/dev/null || ! command -v setxkbmap >/dev/null || ! command -v xdotool >/dev/null; then
  echo "xvfb-run, setxkbmap or xdotool missing: skipped"
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
  unset QT_IM_MODULE   # Numra as it starts without an input method chosen
  EDIT_KEY=key:Edit CLIPBOARD_KEY=key:Kopieren RETURN=36
  passed=0 failed=0
  "$STATE" hold & HOLD=$!
  sleep 0.3
  setxkbmap de
  check() { # name, expected entry, input events...
    local name=$1 expected=$2; shift 2
    "$NUMRA" 2>/dev/null & local app=$!
    for _ in $(seq 100); do
      sleep 0.1
      [ "$("$STATE")" = "bell 0 numlock 1" ] && break   # shown, NumLock on
    done
    "$STATE" input "$@" "$CLIPBOARD_KEY" "$RETURN"
    local entry="(no clipboard)"
    for _ in $(seq 20); do                                # a loaded machine is slow
      entry=$("$STATE" clipboard) && break || entry="(no clipboard)"
      sleep 0.2
    done
    kill "$app"; wait "$app" || true
    if [ "$entry" = "$expected" ]; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1)); echo "FAIL $name: entry \"$entry\", expected \"$expected\""
    fi
  }
  # keycodes (evdev, German layout): 2=11 3=12 7=16 8=17 ^=49 (dead key)
  # Shift=50 Return=36 keypad: 6=85 7=79 *=63 Enter=104
  check "main-block digits, dead circumflex and Return: x^n" 8 11 49 12 "$RETURN"
  check "numeric keypad digits, * and Enter" 42 79 63 85 104
  check "Shift+7 types / and divides" 4 17 50+16 11 "$RETURN"
  check "edit mode: the dead circumflex types ^ at once" "2^3" "$EDIT_KEY" 11 49 12
  check "edit mode: Return evaluates the typed formula" 8 "$EDIT_KEY" 11 49 12 "$RETURN"

  # Typed by character, as a user types: each layout puts "+", "*" and "/"
  # elsewhere, most behind Shift. The tape, kept in a file, shows each "=".
  typed() { # layout
    local layout=$1 home
    home=$(mktemp -d)
    mkdir -p "$home/config/numra" "$home/data/numra"
    mkdir -m 700 "$home/run"
    printf "[tape]\nkeep=true\n" > "$home/config/numra/numra.conf"
    printf "Numra-Rechenstreifen 1\n" > "$home/data/numra/rechenstreifen.tsv"   # kept, empty
    setxkbmap "$layout"
    XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_RUNTIME_DIR=$home/run "$NUMRA" 2>/dev/null & local app=$!
    timeout 10 xdotool search --sync --onlyvisible --name Numra >/dev/null || true
    sleep 1                                      # shown, focused, NumLock set
    xdotool type --delay 60 "6+7"; xdotool key Return
    xdotool type --delay 60 "6*7"; xdotool key Return
    xdotool type --delay 60 "8/2"; xdotool key KP_Enter
    xdotool type --delay 60 "12-5="
    sleep 0.3
    kill "$app"; wait "$app" || true           # the tape is written at the end
    local want got
    want=$(printf "Ergebnis\t%s\n" "6+7\t13" "6*7\t42" "8/2\t4" "12-5\t7")
    want=$(printf "%b" "$want")
    # kind, formula and result of each row, after its id
    got=$(grep -v "^Numra-Rechenstreifen" "$home/data/numra/rechenstreifen.tsv" 2>/dev/null | cut -f2-4)
    if [ "$got" = "$want" ]; then
      passed=$((passed + 1))
    else
      failed=$((failed + 1)); echo "FAIL typed under layout $layout:"; echo "$got"
    fi
    rm -rf "$home"
  }
  for layout in de ch at us; do typed "$layout"; done
  kill "$HOLD"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
'
