// SPDX-License-Identifier: GPL-3.0-or-later
// A whole script run on any text, as the "=" key does it: setSource, run,
// then toNumber and both display forms on the result, in the binary and in
// the exact arithmetic. A run ends in a value or one of the calculator's
// errors, the same text run again gives the same outcome, and the two
// arithmetics fail alike wherever no value decides it.

#include "numbercheck.h"

#include "eval/interpreter.h"

#include <cstring>

using namespace numra;
using namespace numra::fuzz;

namespace {

struct Outcome {
    bool ok = false;
    ValueKind kind = ValueKind::Empty;
    std::int64_t intPayload = 0;
    double realPayload = 0;
    QString text; // the text payload, or the error's message

    bool operator==(const Outcome& other) const
    {
        return ok == other.ok && kind == other.kind && intPayload == other.intPayload
            && std::memcmp(&realPayload, &other.realPayload, sizeof realPayload) == 0
            && text == other.text;
    }
};

Outcome run(Interpreter& interpreter, const QString& source, Arithmetic arithmetic)
{
    Outcome outcome;
    interpreter.setSource(source);
    const std::optional<QString> failure = failureOf([&] { interpreter.run(arithmetic); });
    if (failure) {
        outcome.text = *failure;
        return outcome;
    }
    outcome.ok = true;
    const ScriptValue& result = interpreter.result();
    outcome.kind = result.kind();
    outcome.intPayload = result.intPayload();
    outcome.realPayload = result.realPayload();
    outcome.text = result.textPayload();
    return outcome;
}

// The outcome's failure: its message, or nothing when the run and the
// conversion to a number succeeded.
std::optional<QString> checkIn(Interpreter& interpreter, const QString& source, QChar separator,
                               Arithmetic arithmetic)
{
    const Outcome first = run(interpreter, source, arithmetic);
    require(run(interpreter, source, arithmetic) == first);
    if (!first.ok)
        return first.text;
    Number number;
    const std::optional<QString> failure =
        failureOf([&] { number = toNumber(interpreter.result(), ValueContext{separator, arithmetic}); });
    if (!failure) {
        require(number.isDecimal() == (arithmetic == Arithmetic::Decimal));
        checkShownValue(number, separator);
    }
    return failure;
}

void check(Interpreter& interpreter, const QString& source, QChar separator)
{
    checkSameFailure(checkIn(interpreter, source, separator, Arithmetic::Binary),
                     checkIn(interpreter, source, separator, Arithmetic::Decimal));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // One interpreter per separator for the whole fuzzing run, as the window
    // keeps one for its lifetime: nothing may carry over from one run to the next.
    static Interpreter comma(ValueContext{u','});
    static Interpreter point(ValueContext{u'.'});
    check(comma, utf8Text(data, size), u',');
    check(point, utf16Text(data, size), u'.');
    return 0;
}
