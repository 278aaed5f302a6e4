#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# numra-eval over 100,000 typical office formulas, one per line, as one
# process: microseconds per formula, start-up included (best of 5), beside
# `bc -l` on the same formulas in the same run (bc reads "." and has no
# subtotals, so it gets the formulas with "." and without a trailing
# operator), and with --exact ("Genau rechnen (dezimal)", target: at most
# 1.5 times the binary time). Then the peak memory over 1,000,000 formulas.
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
