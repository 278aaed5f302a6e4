#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# numra-eval over 10,000 typical office formulas, one per line, as one
# process: reports microseconds per formula, start-up included (best of 5).
# usage: bench/numra_eval_bench.sh [PATH/TO/numra-eval]
set -euo pipefail
EVAL=${1:-build/src/numra-eval/numra-eval}
COUNT=10000
RUNS=5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Amounts with cents, VAT, discounts, sums of a few items, shares, and a
# subtotal now and then: what an office calculator sees.
awk -v n="$COUNT" 'BEGIN {
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
}' > "$work/formulas.txt"

best=""
for _ in $(seq "$RUNS"); do
    start=$(date +%s%N)
    "$EVAL" --decimal-separator=, < "$work/formulas.txt" > "$work/out.txt" || true
    end=$(date +%s%N)
    elapsed=$((end - start))
    if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
done

lines=$(wc -l < "$work/out.txt")
errors=$(grep -c '^Fehler' "$work/out.txt" || true)
awk -v ns="$best" -v n="$COUNT" -v lines="$lines" -v errors="$errors" 'BEGIN {
    printf "numra-eval: %d formulas in %.1f ms (best of 5): %.2f us per formula, start-up included\n",
           n, ns / 1e6, ns / 1e3 / n;
    printf "output lines: %d, errors: %d\n", lines, errors;
}'
