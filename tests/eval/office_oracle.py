#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Office formulas against Python's decimal module.

Generates office formulas (sums of amounts with cents, VAT, percentages,
quantities times prices, divisions by counts, averages, percentage changes,
compound interest, roots and powers), computes each with the decimal module
at 34 digits rounded half to even, in the order the evaluators compute it,
and compares what "=" shows in the exact mode (the general and the
two-decimal form) with the reference, digit for digit.

    office_oracle.py --driver build/tests/eval/formula_forms [--count N] [--seed S]
    office_oracle.py --numra-eval build/src/numra-eval/numra-eval [--count N] [--seed S]
    office_oracle.py --driver ... --binary     # how often the binary arithmetic differs

--driver asks the evaluators alone; --numra-eval asks the calculator as a
user has it, each formula typed in edit mode and "=" pressed, once as it is
(the general form) and once with "auf 2 Nachkommastellen runden" checked.

The suite runs a few thousand formulas with a fixed seed; longer runs take
--count 100000 and any seed. Exit status 1 when any formula differs.
"""

import argparse
import random
import subprocess
import sys
from collections import Counter
from decimal import ROUND_HALF_EVEN, ROUND_HALF_UP, Context, Decimal, DivisionByZero, InvalidOperation, Overflow

CTX = Context(prec=34, rounding=ROUND_HALF_EVEN, Emax=6144, Emin=-6143,
              traps=[InvalidOperation, DivisionByZero, Overflow])
SHOWN = Context(prec=15, rounding=ROUND_HALF_UP, Emax=999999, Emin=-999999)
WIDE = Context(prec=60, rounding=ROUND_HALF_UP, Emax=999999, Emin=-999999)


class Term:
    """A piece of formula text and its value."""

    def __init__(self, text, value):
        self.text = text
        self.value = value

    def __add__(self, other):
        return Term(f"{self.text}+{other.text}", CTX.add(self.value, other.value))

    def __sub__(self, other):
        return Term(f"{self.text}-{other.text}", CTX.subtract(self.value, other.value))

    def __mul__(self, other):
        return Term(f"{self.text}*{other.text}", CTX.multiply(self.value, other.value))

    def __truediv__(self, other):
        return Term(f"{self.text}/{other.text}", CTX.divide(self.value, other.value))

    def group(self):
        return Term(f"({self.text})", self.value)


def number(text):
    return Term(text, Decimal(text))


def amount(rng):
    """An amount with cents, from 0,01 to millions, most in the hundreds."""
    digits = rng.choices([1, 2, 3, 4, 5, 6, 7, 8], weights=[8, 14, 22, 22, 16, 10, 6, 2])[0]
    whole = rng.randrange(10 ** (digits - 1), 10 ** digits) if digits > 1 else rng.randrange(0, 10)
    cents = rng.randrange(0, 100)
    if whole == 0 and cents == 0:
        cents = 1
    return number(f"{whole}.{cents:02d}")


def count_of_amounts(rng):
    kind = rng.random()
    if kind < 0.70:
        return rng.randint(2, 10)
    if kind < 0.95:
        return rng.randint(11, 100)
    return rng.randint(101, 1000)


def sum_of_amounts(rng):
    total = amount(rng)
    for _ in range(count_of_amounts(rng) - 1):
        total = total + amount(rng) if rng.random() < 0.85 else total - amount(rng)
    return total


def balance(rng):
    """A total less its parts: zero, or nearly."""
    parts = [amount(rng) for _ in range(rng.randint(2, 12))]
    total = sum((p.value for p in parts), Decimal(0))
    if rng.random() < 0.3:
        total += Decimal(rng.randint(-99, 99)) / 100
    term = number(f"{total:.2f}")
    for part in parts:
        term = term - part
    return term


def vat(rng):
    x = amount(rng)
    rate = rng.choice(["1.19", "1.07"])
    choice = rng.randrange(6)
    if choice == 0:
        return x * number(rate)
    if choice == 1:
        return x / number(rate)
    if choice == 2:  # the tax in a gross amount
        return x - x / number(rate)
    if choice == 3:
        return x / number(rate) * number("0." + rate[2:])
    if choice == 4:  # "+19%": a share of the sum before it
        p = number(rate[2:].lstrip("0"))
        return Term(f"{x.text}+{p.text}%", CTX.add(x.value, CTX.divide(CTX.multiply(x.value, p.value), 100)))
    return (x + amount(rng)).group() * number(rate)


def percent(rng):
    x = amount(rng)
    p = rng.choice([number(str(rng.randint(1, 50))), number(f"{rng.randint(0, 20)}.{rng.choice([5, 25, 75])}")])
    share = CTX.divide(CTX.multiply(x.value, p.value), 100)
    choice = rng.randrange(3)
    if choice == 0:
        return Term(f"{x.text}+{p.text}%", CTX.add(x.value, share))
    if choice == 1:
        return Term(f"{x.text}-{p.text}%", CTX.subtract(x.value, share))
    return Term(f"{x.text}*{p.text}%", CTX.multiply(x.value, CTX.divide(p.value, 100)))


def quantities(rng):
    def line():
        q = number(str(rng.randint(1, 100))) if rng.random() < 0.8 else number(f"{rng.randint(0, 20)}.{rng.randint(1, 999):03d}")
        return q * amount(rng)
    total = line()
    for _ in range(rng.randint(0, 15)):
        total = total + line()
    return total


def division_by_count(rng):
    return amount(rng) / number(str(rng.choice([2, 3, 4, 6, 7, 9, 11, 12, 13, 30, 52, 365])))


def average(rng):
    n = rng.randint(2, 30)
    total = amount(rng)
    for _ in range(n - 1):
        total = total + amount(rng)
    return total.group() / number(str(n))


def percentage_change(rng):
    a, b = amount(rng), amount(rng)
    return (b - a).group() / a * number("100")


def compound_interest(rng):
    """k*(1+p/100)^n or k*1.0p^n, read by the power-formula reader."""
    k = amount(rng)
    n = rng.randint(1, 40)
    p = rng.choice(["1", "2", "2.5", "3", "3.5", "4", "4.25", "5", "6", "7.5"])
    if rng.random() < 0.5:
        growth = (number("1") + number(p) / number("100")).group()
    else:
        growth = number(str(CTX.add(1, CTX.divide(Decimal(p), 100))))
    power = CTX.power(growth.value, n)
    return Term(f"{k.text}*{growth.text}^{n}", CTX.multiply(k.value, power))


def root_or_power(rng):
    x = amount(rng)
    choice = rng.randrange(5)
    if choice == 0:
        return Term(f"{x.text}^0.5", CTX.sqrt(x.value))
    if choice == 1:  # a perfect square: the root is exact
        r = amount(rng)
        square = CTX.multiply(r.value, r.value)
        return Term(f"{square}^0.5", CTX.sqrt(square))
    if choice == 2:
        n = rng.randint(2, 4)
        return Term(f"{x.text}^{n}", CTX.power(x.value, n))
    if choice == 3:
        n = rng.randint(1, 6)
        return Term(f"{x.text}^-{n}", CTX.power(x.value, -n))
    third = CTX.divide(1, 3)
    return Term(f"{x.text}^(1/3)", CTX.power(x.value, third))


def discount(rng):
    x = amount(rng)
    choice = rng.randrange(3)
    if choice == 0:
        return x * (number("1") - number(rng.choice(["0.02", "0.03", "0.1", "0.15", "0.25"]))).group()
    if choice == 1:
        return x - x * number(str(rng.randint(1, 5))) / number("100")
    return x * amount(rng) / amount(rng)


KINDS = {
    "sums": sum_of_amounts,
    "balances": balance,
    "VAT": vat,
    "percentages": percent,
    "quantities": quantities,
    "divisions": division_by_count,
    "averages": average,
    "changes": percentage_change,
    "compound interest": compound_interest,
    "roots and powers": root_or_power,
    "discounts": discount,
}


def general_form(value):
    if value.is_zero():
        return "0"
    shown = SHOWN.plus(value)
    exponent = shown.adjusted()
    sign = "-" if shown.is_signed() else ""
    digits = "".join(map(str, shown.as_tuple().digits)).rstrip("0") or "0"
    if -4 <= exponent < 15:
        if exponent < 0:
            text = "0," + "0" * (-exponent - 1) + digits
        elif len(digits) <= exponent + 1:
            text = digits + "0" * (exponent + 1 - len(digits))
        else:
            text = digits[: exponent + 1] + "," + digits[exponent + 1:]
    else:
        text = digits[0] + ("," + digits[1:] if len(digits) > 1 else "") + "E" + str(exponent)
    return sign + text


def two_decimal_form(value):
    if abs(value) >= Decimal(10) ** 18:
        return general_form(value)
    rounded = value.quantize(Decimal("0.01"), rounding=ROUND_HALF_UP, context=WIDE)
    if rounded.is_zero():
        return "0,00"
    return f"{rounded:f}".replace(".", ",")


def generate(count, seed):
    rng = random.Random(seed)
    names = list(KINDS)
    for _ in range(count):
        kind = rng.choice(names)
        term = KINDS[kind](rng)
        yield kind, term.text, f"{general_form(term.value)}\t{two_decimal_form(term.value)}"


def shown_lines(args, formulas):
    """What the driver or numra-eval shows for each formula: the general and
    the two-decimal form, separated by a tab."""
    def run(command):
        result = subprocess.run(command, input=formulas, capture_output=True, text=True)
        if result.returncode not in (0, 1):  # 1: a formula failed, which the comparison shows
            sys.exit(f"{command[0]} ended with status {result.returncode}: {result.stderr}")
        return result.stdout.split("\n")
    if args.driver:
        return run([args.driver] + (["--binary"] if args.binary else []))
    command = [args.numra_eval, "--decimal-separator=,"] + ([] if args.binary else ["--exact"])
    return [f"{general}\t{rounded}" for general, rounded in zip(run(command), run(command + ["--round"]))]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    asked = parser.add_mutually_exclusive_group(required=True)
    asked.add_argument("--driver", help="the formula_forms program")
    asked.add_argument("--numra-eval", help="the numra-eval program")
    parser.add_argument("--count", type=int, default=3000)
    parser.add_argument("--seed", type=int, default=24)
    parser.add_argument("--binary", action="store_true", help="compare the binary arithmetic instead (expect differences)")
    parser.add_argument("--show", type=int, default=10, help="differences to print")
    args = parser.parse_args()

    cases = list(generate(args.count, args.seed))
    formulas = "".join(text + "\n" for _, text, _ in cases)
    lines = shown_lines(args, formulas)[: len(cases)]
    if len(lines) != len(cases):
        sys.exit(f"the driver answered {len(lines)} of {len(cases)} formulas")

    differences = Counter()
    totals = Counter()
    for (kind, text, expected), shown in zip(cases, lines):
        totals[kind] += 1
        if shown == expected:
            continue
        differences[kind] += 1
        if sum(differences.values()) <= args.show:
            print(f"{kind}: {text[:120]}\n  oracle {expected}\n  shown  {shown}")
    for kind in KINDS:
        if totals[kind]:
            print(f"{kind:>18}: {differences[kind]:6} of {totals[kind]:6} differ "
                  f"({100 * differences[kind] / totals[kind]:.2f} %)")
    different = sum(differences.values())
    print(f"{len(cases) - different} formulas agree, {different} differ "
          f"({100 * different / len(cases):.2f} %), seed {args.seed}")
    return 1 if different and not args.binary else 0


if __name__ == "__main__":
    sys.exit(main())
