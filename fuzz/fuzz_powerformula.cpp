// SPDX-License-Identifier: GPL-3.0-or-later
// The power-formula evaluator on any text: the bytes as UTF-8 and as raw
// UTF-16. Each evaluation gives a finite value or one of the calculator's
// errors, and evaluating again gives the same outcome (no fault leaks into
// the next calculation).

#include "numbercheck.h"

#include "eval/powerformula.h"

#include <cstring>

using namespace numra;
using namespace numra::fuzz;

namespace {

struct Outcome {
    bool ok = false;
    long double value = 0;
    QString message;

    bool operator==(const Outcome& other) const
    {
        return ok == other.ok && message == other.message
            && std::memcmp(&value, &other.value, 10) == 0; // the 80 bits of the x87 value
    }
};

Outcome evaluate(const QString& formula)
{
    Outcome outcome;
    const std::optional<QString> failure = failureOf([&] { outcome.value = evaluatePowerFormula(formula); });
    outcome.ok = !failure;
    outcome.message = failure.value_or(QString());
    return outcome;
}

void check(const QString& formula)
{
    const Outcome first = evaluate(formula);
    require(evaluate(formula) == first);
    if (first.ok) {
        checkShownValue(first.value, u',');
        checkShownValue(first.value, u'.');
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    check(utf8Text(data, size));
    check(utf16Text(data, size));
    return 0;
}
