#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# numra-eval over 100,000 typical office formulas, one per line, as one
# process: microseconds per formula, start-up included (best of 5), beside
# `bc -l` on the same formulas in the same run (bc reads "." and has no
# subtotals, so it gets the formulas with "." and without a trailing
# operator), and with --exact ("Genau rechnen (dezimal)", target: at most
# 1.5 times the binary time). Then the peak memory over 1,000,000 formulas;
# a failing formula against a good one (200,000 "1/0" against 200,000 "1/3",
# best of 5 each; target: at most twice as long); and time and peak memory
# of the largest inputs (target: under 64 MiB, a 50 MB line refused within
# a second).
# usage: bench/numra_eval_bench.sh [PATH/TO/numra-eval]
set -euo pipefail
EVAL=${1:-build/src/numra-eval/numra-eval}
COUNT=100000
LARGE_COUNT=1000000
RUNS=5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Amounts with cents, VAT, discounts, sums of a few items, shares, and a
# subtotal now and then: what an office calculator sees.
formulas() {
    awk -v n="$1" 'BEGIN {
        srand(42);
        for (i = 0; i < n; i++) {
            a = sprintf("%d,%02d", int(rand() * 5000), int(rand() * 100));
            b = sprintf("%d,%02d", int(rand() * 900), int(rand() * 100));
            c = int(rand() * 40) + 2;
            k = i % 8;
            if (k == 0) print a "*1,19";
            else if (k == 1) print a "/1,19";
            else if (k == 2) print a "+" b "+" c "*4,95";
            else if (k == 3) print "(" a "-" b ")*0,97";
            else if (k == 4) print a "/" c;
            else if (k == 5) print a "*" c "-" b;
            else if (k == 6) print "(" a "+" b ")*(1+0,19)";
            else print a "+" b "+";
        }
    }'
}
formulas "$COUNT" > "$work/formulas.txt"
sed 's/,/./g; s/+$//' "$work/formulas.txt" > "$work/formulas.bc"

# wall_ns INPUT COMMAND...: the wall time of one run, in nanoseconds.
wall_ns() {
    local input=$1 start end
    shift
    start=$(date +%s%N)
    "$@" < "$input" > "$work/out.txt" || true
    end=$(date +%s%N)
    echo $((end - start))
}

# The programs take turns, so all meet the same load of the machine.
eval_best="" exact_best="" bc_best=""
for _ in $(seq "$RUNS"); do
    e=$(wall_ns "$work/formulas.txt" "$EVAL" --decimal-separator=,)
    x=$(wall_ns "$work/formulas.txt" "$EVAL" --decimal-separator=, --exact)
    b=$(wall_ns "$work/formulas.bc" bc -l)
    if [ -z "$eval_best" ] || [ "$e" -lt "$eval_best" ]; then eval_best=$e; fi
    if [ -z "$exact_best" ] || [ "$x" -lt "$exact_best" ]; then exact_best=$x; fi
    if [ -z "$bc_best" ] || [ "$b" -lt "$bc_best" ]; then bc_best=$b; fi
done

"$EVAL" --decimal-separator=, < "$work/formulas.txt" > "$work/out.txt" || true
lines=$(wc -l < "$work/out.txt")
errors=$(grep -c '^Fehler' "$work/out.txt" || true)

formulas "$LARGE_COUNT" > "$work/large.txt"
peak_kib=$( { /usr/bin/time -f '%M' "$EVAL" --decimal-separator=, < "$work/large.txt" > /dev/null; } 2>&1 | tail -n 1)

# failing against good formulas, the two taking turns
awk 'BEGIN { for (i = 0; i < 200000; i++) print "1/0" }' > "$work/failing.txt"
awk 'BEGIN { for (i = 0; i < 200000; i++) print "1/3" }' > "$work/good.txt"
fail_best="" good_best=""
for _ in $(seq "$RUNS"); do
    f=$(wall_ns "$work/failing.txt" "$EVAL" --decimal-separator=,)
    g=$(wall_ns "$work/good.txt" "$EVAL" --decimal-separator=,)
    if [ -z "$fail_best" ] || [ "$f" -lt "$fail_best" ]; then fail_best=$f; fi
    if [ -z "$good_best" ] || [ "$g" -lt "$good_best" ]; then good_best=$g; fi
done

# peak_of NAME INPUT [OPTION]: wall time and peak memory of one run
peak_of() {
    local start end kib
    start=$(date +%s%N)
    kib=$( { /usr/bin/time -f '%M' "$EVAL" --decimal-separator=, ${3:-} < "$2" > /dev/null || true; } 2>&1 | tail -n 1)
    end=$(date +%s%N)
    awk -v name="$1" -v ns=$((end - start)) -v kib="$kib" \
        'BEGIN { printf "%-36s %8.1f ms %8.1f MiB\n", name, ns / 1e6, kib / 1024 }'
}
awk 'BEGIN { printf "1"; for (i = 0; i < 25000000; i++) printf "+1"; print "" }' > "$work/line50mb.txt"
awk 'BEGIN { printf "1"; for (i = 0; i < 524287; i++) printf "+1"; print "" }' > "$work/line1mib.txt"
for _ in $(seq 20); do cat "$work/line1mib.txt"; done > "$work/lines20mib.txt"
awk 'BEGIN { printf "var a: string; begin a := \x27xxxxxxxx\x27; ";
             for (i = 0; i < 40; i++) printf "a := a + a; "; print "Result := 1 end;" }' > "$work/doubling.txt"
awk 'BEGIN { printf "\x27a\x27"; for (i = 0; i < 262143; i++) printf "+\x27a\x27"; print "" }' > "$work/joined.txt"
awk 'BEGIN { for (i = 0; i < 524288; i++) printf "("; printf "1"; for (i = 0; i < 524287; i++) printf ")"; print "" }' \
    > "$work/nested.txt"

awk -v ns="$eval_best" -v exact="$exact_best" -v bc="$bc_best" -v n="$COUNT" -v lines="$lines" -v errors="$errors" \
    -v large="$LARGE_COUNT" -v peak="$peak_kib" 'BEGIN {
    printf "numra-eval: %d formulas in %.1f ms (best of 5): %.3f us per formula, start-up included\n",
           n, ns / 1e6, ns / 1e3 / n;
    printf "--exact:    %d formulas in %.1f ms (best of 5): %.3f us per formula\n", n, exact / 1e6, exact / 1e3 / n;
    printf "bc -l:      %d formulas in %.1f ms (best of 5): %.3f us per formula\n", n, bc / 1e6, bc / 1e3 / n;
    printf "ratio numra-eval / bc: %.3f\n", ns / bc;
    printf "ratio --exact / binary: %.3f (target <= 1.5)\n", exact / ns;
    printf "output lines: %d, errors: %d\n", lines, errors;
    printf "peak memory over %d formulas: %.1f MiB\n", large, peak / 1024;
}'
awk -v f="$fail_best" -v g="$good_best" 'BEGIN {
    printf "200000 failing formulas: %.1f ms, 200000 good ones: %.1f ms (best of 5): ratio %.2f (target 2)\n",
           f / 1e6, g / 1e6, f / g;
}'
echo "largest inputs:"
peak_of "a line of 50 MB (refused)" "$work/line50mb.txt"
peak_of "a line of 1 MiB, 1+1+...+1" "$work/line1mib.txt"
peak_of "a text doubled 40 times" "$work/doubling.txt"
peak_of "a line of 1 MiB of joined texts" "$work/joined.txt"
peak_of "a line of 1 MiB of parentheses" "$work/nested.txt"
peak_of "20 lines of 1 MiB, --tape" "$work/lines20mib.txt" --tape
peak_of "20 lines of 1 MiB, --tape=csv" "$work/lines20mib.txt" --tape=csv
