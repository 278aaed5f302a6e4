// SPDX-License-Identifier: GPL-3.0-or-later
// The power-formula evaluator on any text: the bytes as UTF-8 and as raw
// UTF-16, in the binary and in the exact arithmetic. Each evaluation gives a
// finite value or one of the calculator's errors, evaluating again gives the
// same outcome (no fault leaks into the next calculation), and the two
// arithmetics fail alike wherever no value decides it.

#include "numbercheck.h"

#include "eval/powerformula.h"

#include <cstring>

using namespace numra;
using namespace numra::fuzz;

namespace {

struct Outcome {
    std::optional<QString> failure;
    Number value;

    bool operator==(const Outcome& other) const
    {
        if (failure != other.failure || value.isDecimal() != other.value.isDecimal())
            return false;
        if (value.isDecimal()) {
            const Decimal a = value.decimalValue();
            const Decimal b = other.value.decimalValue();
            return a.lowWord() == b.lowWord() && a.highWord() == b.highWord();
        }
        const long double a = value.binaryValue();
        const long double b = other.value.binaryValue();
        return std::memcmp(&a, &b, 10) == 0; // the 80 bits of the x87 value
    }
};

Outcome evaluate(const QString& formula, Arithmetic arithmetic)
{
    Outcome outcome;
    outcome.failure = failureOf([&] { outcome.value = evaluatePowerFormula(formula, arithmetic); });
    return outcome;
}

std::optional<QString> checkIn(const QString& formula, Arithmetic arithmetic)
{
    const Outcome first = evaluate(formula, arithmetic);
    require(evaluate(formula, arithmetic) == first);
    if (!first.failure) {
        require(first.value.isDecimal() == (arithmetic == Arithmetic::Decimal));
        checkShownValue(first.value, u',');
        checkShownValue(first.value, u'.');
    }
    return first.failure;
}

void check(const QString& formula)
{
    checkSameFailure(checkIn(formula, Arithmetic::Binary), checkIn(formula, Arithmetic::Decimal));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    check(utf8Text(data, size));
    check(utf16Text(data, size));
    return 0;
}
