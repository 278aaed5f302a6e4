#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end checks of numra-eval as a process: output and exit status.
# usage: test_numra_eval.sh PATH/TO/numra-eval
set -u
EVAL=$1
failures=0
checks=0

# check NAME EXPECTED_STATUS EXPECTED_OUTPUT [STDIN] -- ARGS...
check() {
    local name=$1 want_status=$2 want_output=$3 input=$4
    shift 5
    local output status
    output=$(printf '%s' "$input" | "$EVAL" "$@" 2>/dev/null)
    status=$?
    checks=$((checks + 1))
    if [ "$output" != "$want_output" ] || [ "$status" != "$want_status" ]; then
        failures=$((failures + 1))
        echo "FAIL: $name"
        echo "  args:   $*"
        echo "  want ($want_status):"; printf '%s\n' "$want_output" | sed 's/^/    /'
        echo "  got  ($status):"; printf '%s\n' "$output" | sed 's/^/    /'
    fi
}

DE=--decimal-separator=,

# Formula mode, arguments.
check "results, subtotal, blank" 0 $'22\nZwischensumme: 5,00\n\n0,333333333333333\n1E15' "" -- \
    $DE "12+5*2" "5+" " " "1/3" "10^15"
check "English subtotal" 0 "Subtotal: 0,33" "" -- $DE --lang=en "1/3+"
check "rounding" 0 $'0,13\n2,68\n1,01' "" -- $DE --round "1/8" "2.675*1" "1.005*1"
check "point separator" 0 $'2.5\n0.333333333333333' "" -- --decimal-separator=. "1.5+1" "1/3"
check "comma in formula under point separator" 0 "5" "" -- --decimal-separator=. "2,5*2"
check "error makes status 1, later formulas still run" 1 $'Fehler: Gleitkommaüberlauf.\n3' "" -- \
    $DE "10^5000" "1+2"
check "formula starting with a minus" 0 "-3" "" -- $DE "-5+2"
check "double dash ends options" 0 "1" "" -- $DE -- "--1"

check "percent typed after a number" 0 $'110\n180\n3,3\n20\n2000\n0,5\n220\n4,4' "" -- \
    $DE "100+10%" "200-10%" "1+2+10%" "200*10%" "200/10%" "50%" "(100+10%)*2" "2^2+10%"
check "percent not after a number is a subtotal" 0 "Zwischensumme: 110,00" "" -- $DE "(100+10)%"
check "what the language cannot mean is refused, in German" 1 \
    $'Fehler: Operator oder Semikolon fehlt.\nFehler: Operator oder Semikolon fehlt.\nFehler: Ausdruck erwartet, aber \'*\' gefunden.\nFehler: Ausdruck erwartet, aber \'*\' gefunden.' \
    "" -- $DE "2(3+4)" "5 not 3" "*5" "1+2+*3"
check "formula errors with --lang=en as they always were" 1 \
    $'Fehler: Missing operator or semicolon.\nFehler: Expression expected but \'*\' found.\nFehler: \')\' expected but End of File found.\nFehler: Undeclared Identifier \'x1\'\nFehler: Syntax error in expression.\nFehler: Missing \')\' in expression.\nFehler: Division durch Null.' \
    "" -- $DE --lang=en "2(3+4)" "*5" "(1+2" "x1" "2^" "(2^2" "1 div 0"
check "power-formula errors in German" 1 $'Fehler: Syntaxfehler im Ausdruck.\nFehler: \')\' fehlt im Ausdruck.' "" -- \
    $DE "2^" "(2^2"

# Formula mode, standard input.
check "lines of standard input" 0 $'3\nZwischensumme: 7,00\n\n4' $'1+2\n7*\n\n2^2' -- $DE
check "CR LF line breaks" 0 $'3\n4' $'1+2\r\n2*2\r\n' -- $DE
check "last line without break" 0 $'1\n2' $'1\n2' -- $DE
check "a sum of 100,000 amounts" 0 "150000" "1,5$(printf '+1,5%.0s' $(seq 99999))" -- $DE
check "last line with CR and without LF" 0 "3" $'1+2\r' -- $DE

# Streaming: each answer arrives while the pipe stays open, before the next
# line is written (the timeout only ends a hang).
checks=$((checks + 1))
coproc STREAM { "$EVAL" --decimal-separator=, 2>/dev/null; }
# Bash unsets STREAM_PID as soon as it reaps the process, which may be
# before the wait below.
stream_pid=$STREAM_PID
for pair in "1+2|3" "7*|Zwischensumme: 7,00" "2*3|6"; do
    printf '%s\n' "${pair%%|*}" >&"${STREAM[1]}"
    answer=""
    if ! IFS= read -r -t 60 answer <&"${STREAM[0]}" || [ "$answer" != "${pair#*|}" ]; then
        failures=$((failures + 1))
        echo "FAIL: streaming: '${pair%%|*}' gave '$answer'"
        break
    fi
done
exec {STREAM[1]}>&-
wait "$stream_pid" 2>/dev/null

# Lines beyond the limit are answered with an error line, without being held;
# the lines after them are answered as usual. The limit counts the bytes
# without the line break.
limit=1048576
at_limit="10$(printf '+0%.0s' $(seq $(((limit - 2) / 2))))"
check "a line of exactly the limit" 0 $'10\n2' "$at_limit"$'\n2' -- $DE
check "a line of one byte more" 1 $'Fehler: Die Zeile ist länger als 1048576 Bytes.\n2' "${at_limit}0"$'\n2' -- $DE
check "CR LF does not count" 0 "10" "$at_limit"$'\r\n' -- $DE
check "a long last line without break" 1 $'2\nFehler: Die Zeile ist länger als 1048576 Bytes.' $'2\n'"$(head -c 3000000 /dev/zero | tr '\0' 1)" -- $DE

# Output that cannot be written and input that cannot be read fail the run
# with a message, whatever was answered before.
failing() { # NAME EXPECTED-MESSAGE COMMAND...
    local name=$1 message=$2 status err
    shift 2
    checks=$((checks + 1))
    err=$("$@" 2>&1 >/dev/null)
    status=$?
    if [ "$status" != 1 ] || ! grep -qF "$message" <<<"$err"; then
        failures=$((failures + 1))
        echo "FAIL: $name: status $status, message '$err'"
    fi
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failing "a full disk" "cannot write standard output: No space left on device" \
    bash -c '"$0" 1+1 >/dev/full' "$EVAL"
failing "help on a full disk" "cannot write standard output" bash -c '"$0" --help >/dev/full' "$EVAL"
failing "closed output" "cannot write standard output: Bad file descriptor" bash -c '"$0" 1+1 >&-' "$EVAL"
failing "a folder as input" "cannot read standard input: Is a directory" bash -c '"$0" <"$1"' "$EVAL" "$work"
# The file-size limit: the answers beyond it are a write error, not SIGXFSZ.
failing "a file-size limit" "cannot write standard output: File too large" \
    bash -c 'ulimit -f 1; yes 1+1 | head -n 100000 | "$0" >"$1/answers"' "$EVAL" "$work"

# Key mode.
check "keypad calculation" 0 $'Anzeige: 22\nFormel: ' "" -- $DE --keys 1 2 + 5 "*" 2 =
check "pending formula" 0 $'Anzeige: 5\nFormel: 12+' "" -- $DE --keys 1 2 + 5
check "subtotal in key mode stays pending" 0 $'Zwischensumme: 5,00\nAnzeige: \nFormel: 5+' "" -- $DE --keys 5 + =
check "a digit after = starts a new number" 0 $'Anzeige: 45\nFormel: ' "" -- $DE --keys 1 2 + 3 = 4 5 =
check "keypad mode after edit mode keeps no formula" 0 $'Anzeige: 1010\nFormel: ' "" -- \
    $DE --keys Edit text:12+5*2+1 = Edit 1 0 0 0 + 1 0 =
check "Backspace and Escape as the window has them" 0 $'Anzeige: 12\nFormel: ' "" -- \
    $DE --keys 7 M+ 4 + 1 2 3 Escape 1 2 3 Backspace
check "unknown key" 2 "" "" -- $DE --keys Entf
check "VAT window" 0 $'MwSt: Netto=12,50 Steuer=2,38 Brutto=14,88 (Umsatzsteuer)\nAnzeige: 14,88\nFormel: ' "" -- \
    $DE --keys text:12,5 Ust+
check "VAT in English" 0 $'MwSt: Netto=100,00 Steuer=19,00 Brutto=119,00 (Tax)\nAnzeige: 100,00\nFormel: ' "" -- \
    $DE --lang=en --keys 1 1 9 Ust-
check "message boxes" 1 $'Fehler: Ungültige Eingabe\nInformation: Daten kopiert. Einfügen mit STRG+V\nAnzeige: 4\nFormel: ' "" -- \
    $DE --keys text:-4 √ CE 1 6 √ Kopieren
check "VAT in cents" 0 $'MwSt: Netto=123456,78 Steuer=23456,79 Brutto=146913,57 (Umsatzsteuer)\nAnzeige: 146913,57\nFormel: ' "" -- \
    $DE --keys text:123456,78 Ust+
check "VAT beyond the amount bound" 1 $'Fehler: Ungültige Eingabe\nAnzeige: 10000000000000,00\nFormel: ' "" -- \
    $DE --keys text:10000000000000 Ust+
check "decimal key writes the separator" 0 $'Anzeige: 1,58113883008419\nFormel: ' "" -- \
    $DE --keys 2 . 5 √
check "decimal key by its other name" 0 $'Anzeige: 2.5\nFormel: ' "" -- --decimal-separator=. --keys 2 , 5
check "full precision" 0 $'Anzeige: 1,21\nFormel: ' "" -- $DE --keys text:1,1 x^n 2 =
check "Int->Hex on the largest 32-bit value" 0 $'Anzeige: 7FFFFFFF\nFormel: ' "" -- $DE --keys text:2147483647 "Int->Hex"
check "Ganzzahl beyond 32 bits" 0 $'Anzeige: 3000000000\nFormel: ' "" -- $DE --keys text:3000000000,7 Ganzzahl
check "percent of the whole pending formula" 0 $'Anzeige: 3,3\nFormel: ' "" -- $DE --keys 1 + 2 + 1 0 %
check "edit-mode operators append to the shown formula" 0 $'Anzeige: 12+5*\nFormel: 12+5*' "" -- \
    $DE --keys Edit text:12 + text:5 "*"
check "hex keys" 0 $'Anzeige: 255\nFormel: ' "" -- $DE --keys Edit text:ff "Hex->Int"
check "default error box" 1 $'Fehler: \'\' ist kein gültiger Gleitkommawert.\nAnzeige: 8\nFormel: ' "" -- \
    $DE --keys 2 x^n = 3 =
check "rounding box and Ganzzahl" 0 $'Anzeige: 3,14\nFormel: ' "" -- $DE --keys text:3,14159 Runden
check "locale separator" 0 $'Anzeige: 3,50\nFormel: ' "" -- --keys text:3,5 Runden

# VAT rates: 19 % unless --vat-rate names another; then the label names it.
vat_rate() { # NAME RATE NET-LINE GROSS-LINE
    check "$1, Ust+ on 100" 0 "$3"$'\nAnzeige: '"$(sed 's/.*Brutto=\([^ ]*\).*/\1/' <<<"$3")"$'\nFormel: ' "" -- \
        $DE ${2:+--vat-rate=$2} --keys 1 0 0 Ust+
    check "$1, Ust- on 200" 0 "$4"$'\nAnzeige: '"$(sed 's/.*Netto=\([^ ]*\).*/\1/' <<<"$4")"$'\nFormel: ' "" -- \
        $DE ${2:+--vat-rate=$2} --keys 2 0 0 Ust-
}
vat_rate "default" "" "MwSt: Netto=100,00 Steuer=19,00 Brutto=119,00 (Umsatzsteuer)" \
    "MwSt: Netto=168,07 Steuer=31,93 Brutto=200,00 (UST)"
vat_rate "19 %" 19 "MwSt: Netto=100,00 Steuer=19,00 Brutto=119,00 (Umsatzsteuer 19 %)" \
    "MwSt: Netto=168,07 Steuer=31,93 Brutto=200,00 (UST 19 %)"
vat_rate "7 %" 7 "MwSt: Netto=100,00 Steuer=7,00 Brutto=107,00 (Umsatzsteuer 7 %)" \
    "MwSt: Netto=186,92 Steuer=13,08 Brutto=200,00 (UST 7 %)"
vat_rate "own rate 16 %" 16 "MwSt: Netto=100,00 Steuer=16,00 Brutto=116,00 (Umsatzsteuer 16 %)" \
    "MwSt: Netto=172,41 Steuer=27,59 Brutto=200,00 (UST 16 %)"
vat_rate "own rate with a comma" 16,5 "MwSt: Netto=100,00 Steuer=16,50 Brutto=116,50 (Umsatzsteuer 16,5 %)" \
    "MwSt: Netto=171,67 Steuer=28,33 Brutto=200,00 (UST 16,5 %)"
vat_rate "own rate with a point" 16.5 "MwSt: Netto=100,00 Steuer=16,50 Brutto=116,50 (Umsatzsteuer 16,5 %)" \
    "MwSt: Netto=171,67 Steuer=28,33 Brutto=200,00 (UST 16,5 %)"
vat_rate "no tax" 0 "MwSt: Netto=100,00 Steuer=0,00 Brutto=100,00 (Umsatzsteuer 0 %)" \
    "MwSt: Netto=200,00 Steuer=0,00 Brutto=200,00 (UST 0 %)"
check "rate on the tape, in English" 0 $'MwSt: Netto=100,00 Steuer=7,00 Brutto=107,00 (Sales taxes 7 %)\nAnzeige: 107,00\nFormel: \nNetto 100,00 · Steuer 7 % 7,00 · Brutto 107,00\t107,00\tUst+\nSumme\t0\t0 Posten' "" -- \
    $DE --lang=en --vat-rate 7 --tape --keys 1 0 0 Ust+
for rate in 250 100 -7 16,555 abc "" "7 %x"; do
    check "invalid rate '$rate'" 2 "" "" -- $DE --vat-rate="$rate" --keys 1 0 0 Ust+
done
checks=$((checks + 1))
"$EVAL" --vat-rate=250 1 2>&1 >/dev/null | grep -q "invalid VAT rate '250'" \
    || { failures=$((failures + 1)); echo "FAIL: the message of an invalid rate"; }

# The tape, after the formulas or keys of the whole run.
check "tape after formulas" 1 $'22\nZwischensumme: 5,00\nFehler: Gleitkommadivision durch Null.\n-30\n12+5*2\t22\tErgebnis\n5+\t5,00\tZwischensumme\n-30\t-30\tErgebnis\nSumme\t-8\t2 Posten' "" -- \
    $DE --tape "12+5*2" "5+" "1/0" "-30"
check "tape after keys" 0 $'MwSt: Netto=12,50 Steuer=2,38 Brutto=14,88 (Umsatzsteuer)\nAnzeige: 4\nFormel: \nNetto 12,50 · Steuer 19 % 2,38 · Brutto 14,88\t14,88\tUst+\n16\t4\tWurzel\nSumme\t0\t0 Posten' "" -- \
    $DE --tape --keys text:12,5 Ust+ CE 1 6 √
check "tape as CSV" 0 "$(printf '6,25\n\xef\xbb\xbfFormel;Ergebnis;Art\r\n2,5^2;6,25;Ergebnis\r')" "" -- $DE --tape=csv "2,5^2"
check "CSV results with a decimal comma" 0 "$(printf '2.5\n\xef\xbb\xbfFormel;Ergebnis;Art\r\n1.5+1;2,5;Ergebnis\r')" "" -- \
    --decimal-separator=. --tape=csv "1.5+1"

# Tape documents: the run's tape with its links, and a document computed
# again, an edited formula changing every row linked to it and the total.
check "tape as a document" 0 "$(printf 'Anzeige: 20\nFormel: \nNumra-Rechenstreifen-Dokument 1\nDezimaltrennzeichen\t,\nArt\tFormel\tErgebnis\tNotiz\tRunden\tSatz\tBezug\nErgebnis\t12+3\t15\t\t\t\t\nErgebnis\t15+5\t20\t\t\t\t1:0:2')" "" -- \
    $DE --tape=rstr --keys 1 2 + 3 = + 5 =
printf 'Numra-Rechenstreifen-Dokument 1\nDezimaltrennzeichen\t,\nArt\tFormel\tErgebnis\tNotiz\tRunden\tSatz\tBezug\nErgebnis\t12+4\t15\tMiete\t\t\t\nErgebnis\t15+5\t20\t\t\t\t1:0:2\nUst+\t20\t23,80\t\t2\t19\t2:0:2\n' > "$work/edited.rstr"
check "document computed again, with its notes" 0 $'12+4\t16\tMiete\tErgebnis\n16+5\t21\t\tErgebnis\nNetto 21,00 · Steuer 19 % 3,99 · Brutto 24,99\t24,99\t\tUst+\nSumme\t37\t2 Posten' "" -- \
    $DE --tape-file="$work/edited.rstr"
check "document as CSV, with its notes" 0 "$(printf '\xef\xbb\xbfFormel;Ergebnis;Notiz;Art\r\n12+4;16;Miete;Ergebnis\r\n16+5;21;;Ergebnis\r\nNetto 21,00 · Steuer 19 %% 3,99 · Brutto 24,99;24,99;;Ust+\r')" "" -- \
    $DE --tape=csv --tape-file="$work/edited.rstr"
"$EVAL" $DE --tape=rstr --tape-file="$work/edited.rstr" > "$work/again.rstr" 2>/dev/null
check "a document printed as a document reads the same" 0 "$(cat "$work/again.rstr")" "" -- \
    $DE --tape=rstr --tape-file="$work/again.rstr"
printf '12+5\n' > "$work/other.rstr"
check "a file that is no tape document" 1 "" "" -- $DE --tape-file="$work/other.rstr"
printf 'Numra-Rechenstreifen-Dokument 1\nDezimaltrennzeichen\t,\nArt\tFormel\tErgebnis\tNotiz\tRunden\tSatz\tBezug\nErgebnis\t1/0\t\t\t\t\t\nErgebnis\t1+1\t2\t\t\t\t\n' > "$work/failing.rstr"
check "a row with an error" 1 $'1/0\tFehler: Gleitkommadivision durch Null.\tErgebnis\n1+1\t2\tErgebnis\nSumme\t2\t1 Posten' "" -- \
    $DE --tape-file="$work/failing.rstr"
check "a document and formulas" 2 "" "" -- $DE --tape-file="$work/edited.rstr" "1+1"

# "Genau rechnen (dezimal)": exact decimal values in formulas, keys and the
# tape, with the same errors.
check "exact: balances and quotients" 0 $'0,94\n0\n0,91\n8338,31775700935\n1\n1,4142135623731' "" -- \
    $DE --exact "86251,76-86250,82" "504,99-375-35-5-30-59,99" "12345678,91-12345678" "8922/1,07" "1/3*3" "2^0.5"
check "exact: a sum of 100,000 amounts" 0 "1234000" "12,34$(printf '+12,34%.0s' $(seq 99999))" -- $DE --exact
check "binary: a sum of 100,000 amounts" 0 "1234000,00000035" "12,34$(printf '+12,34%.0s' $(seq 99999))" -- $DE
average="(73212,36+178,74+77933288,98+4412,85+58087,04+1479164,97+647,28+63054787,9+3,09+98219,88+3,54"
average+="+13522,45+1293+950,73+607209,49+1486119,17+34528,98+9,08+85,32+87,48+135937,14+303,14+964789,07"
average+="+26373163,91+6,59+69352179,08+68685,06+7038402,15+14766241,22+45755335,3+10,59+73881,45+6,9"
average+="+382124,72+96,34+950,09+431,15+10,08+6,89+53,4)/40"
check "exact: an average on a half cent rounds up" 0 "7743960,67" "" -- $DE --exact --round "$average"
check "binary: the same average rounds down" 0 "7743960,66" "" -- $DE --round "$average"
check "exact: the same errors" 1 \
    $'Fehler: Gleitkommadivision durch Null.\nFehler: Ungültige Gleitkommaoperation.\nFehler: Gleitkommaüberlauf.\nZwischensumme: -95,55' \
    "" -- $DE --exact "1/0" "0/0" "10^5000" "554,77-650,32+"
check "exact keys" 0 $'Anzeige: 2\nFormel: ' "" -- $DE --exact --keys text:2,99999999999999999999 Ganzzahl
check "exact keys: square root" 0 $'Anzeige: 1,4142135623731\nFormel: ' "" -- $DE --exact --keys 2 √
check "exact keys: VAT on the amount as typed" 0 \
    $'MwSt: Netto=0,12 Steuer=0,02 Brutto=0,14 (Umsatzsteuer)\nAnzeige: 0,14\nFormel: ' "" -- \
    $DE --exact --keys text:0,1249999999999999999 Ust+
check "exact tape" 0 $'0,1\n0,1\n0,1\n-0,3\n0,1\t0,1\tErgebnis\n0,1\t0,1\tErgebnis\n0,1\t0,1\tErgebnis\n-0,3\t-0,3\tErgebnis\nSumme\t0\t4 Posten' "" -- \
    $DE --exact --tape "0,1" "0,1" "0,1" "-0,3"
check "binary tape" 0 $'0,1\n0,1\n0,1\n-0,3\n0,1\t0,1\tErgebnis\n0,1\t0,1\tErgebnis\n0,1\t0,1\tErgebnis\n-0,3\t-0,3\tErgebnis\nSumme\t-6,7762635780344E-21\t4 Posten' "" -- \
    $DE --tape "0,1" "0,1" "0,1" "-0,3"
check "exact key tape" 0 $'Anzeige: 0,94\nFormel: \n86251,76-86250,82\t0,94\tErgebnis\nSumme\t0,94\t1 Posten' "" -- \
    $DE --exact --tape --keys text:86251,76 - text:86250,82 =

# Amounts: the decimal selector, the rounding switch, thousands points where
# a person reads the output, and pasting.
check "grouping" 0 $'1.234.567,89\nZwischensumme: 1.234.567,00\n-1.234\n999\n1,5E20' "" -- \
    $DE --grouping "1234567,89" "1234567+" "-1234" "999" "10^20*1,5"
check "grouping beside a decimal point" 0 "1,234,567.89" "" -- --decimal-separator=. --grouping "1234567.89"
check "without grouping as before" 0 $'1234567,89\nZwischensumme: 1234567,00' "" -- $DE "1234567,89" "1234567+"
check "grouped VAT and entry, plain formula" 0 \
    $'MwSt: Netto=10.000,00 Steuer=1.900,00 Brutto=11.900,00 (Umsatzsteuer)\nAnzeige: 1.000\nFormel: 11900,00+' "" -- \
    $DE --grouping --keys text:10000 Ust+ + text:1000
check "grouped tape text" 0 $'1.234.567\n1234567+1-1\t1.234.567\tErgebnis\nSumme\t1.234.567\t1 Posten' "" -- \
    $DE --grouping --tape "1234567+1-1"
check "3 places, abrunden" 0 $'0,666\n-0,666' "" -- $DE --places=3 --rounding=ab "2/3" "-2/3"
check "3 places, aufrunden" 0 $'0,667\n-0,667' "" -- $DE --places=3 --rounding=auf "2/3" "-2/3"
check "3 places, 5/4" 0 $'0,667\n-0,667\nZwischensumme: 0,667' "" -- $DE --places=3 --rounding=5/4 "2/3" "-2/3" "2/3+"
check "F with --round: two places" 0 "0,67" "" -- $DE --places=F --round "2/3"
check "no places" 0 $'3\n2' "" -- $DE --places=0 "2,5*1" "1,5*1"
check "ADD: digits alone are cents" 0 $'Anzeige: 12,39\nFormel: ' "" -- $DE --places=ADD --keys 1 2 3 4 + 5 =
check "ADD: the decimal key and factors as typed" 0 $'Anzeige: 60,50\nFormel: ' "" -- \
    $DE --places=ADD --keys 1 2 , 1 "*" 5 =
check "paste an amount as people write it" 0 \
    $'Anzeige: 1.235,56\nFormel: \n1234,56+1\t1.235,56\tErgebnis\nSumme\t1.235,56\t1 Posten' "" -- \
    $DE --grouping --tape --keys "paste:1.234,56 €" + 1 =
check "paste a column" 0 \
    $'Frage: Die Zwischenablage enthält 3 Beträge. Alle addieren? Jeder Betrag wird eine Zeile des Rechenstreifens, die Summe kommt ins Eingabefeld.\nAnzeige: 1144,56\nFormel: \n1234,56\t1234,56\tErgebnis\n-45,00\t-45,00\tErgebnis\n-45,00\t-45,00\tErgebnis\nSumme\t1144,56\t3 Posten' "" -- \
    $DE --tape --keys $'paste:1.234,56\n−45,00\n(45,00)'
check "paste: an amount that reads two ways" 1 \
    $'Fehler: \'1,234.56\' ist kein eindeutiger Betrag: Das Dezimaltrennzeichen ist das Komma.\nAnzeige: \nFormel: ' "" -- \
    $DE --keys paste:1,234.56
check "paste: a formula is no amount in keypad mode" 1 $'Fehler: \'12+5*2\' ist kein Betrag.\nAnzeige: \nFormel: ' "" -- \
    $DE --keys paste:12+5*2
check "paste: a formula stays a formula in edit mode" 0 $'Anzeige: 22\nFormel: 12+5*2' "" -- $DE --keys Edit paste:12+5*2 =

# Usage.
check "bad places" 2 "" "" -- --places=5 1
check "bad rounding" 2 "" "" -- --rounding=halb 1
check "unknown option" 2 "" "" -- --frobnicate
check "unknown key" 2 "" "" -- --keys 1 Quadrat
check "bad separator" 2 "" "" -- --decimal-separator=ab 1
check "bad language" 2 "" "" -- --lang=fr 1
check "bad tape format" 2 "" "" -- --tape=ods 1
check "option values as separate arguments" 0 "Subtotal: 0,33" "" -- --decimal-separator , --lang en "1/3+"
check "option value missing" 2 "" "" -- 1 --lang
check "version" 0 $'numra-eval (Numra) 2.0\nCopyright (C) 2026 Numra' "" -- --version

# Help: both modes, options and exit status, on standard output.
checks=$((checks + 1))
help=$("$EVAL" --help) && [ "$("$EVAL" -h)" = "$help" ] \
    && grep -q '^Usage: numra-eval' <<<"$help" && grep -q -- '--keys' <<<"$help" \
    && grep -q '^Exit status:' <<<"$help" && grep -q -- '--tape=csv' <<<"$help" \
    && grep -q -- '--vat-rate=RATE' <<<"$help" \
    && grep -q -- '--exact' <<<"$help" \
    && grep -q -- '--places=F|0|1|2|3|4|ADD' <<<"$help" && grep -q -- '--grouping' <<<"$help" \
    || { failures=$((failures + 1)); echo "FAIL: --help"; }

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
