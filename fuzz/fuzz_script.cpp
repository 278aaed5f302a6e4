// SPDX-License-Identifier: GPL-3.0-or-later
// A whole script run on any text, as the "=" key does it: setSource, run,
// then toDouble and both display forms on the result. A run ends in a value
// or one of the calculator's errors, and the same text run again gives the
// same outcome.

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

Outcome run(Interpreter& interpreter, const QString& source)
{
    Outcome outcome;
    interpreter.setSource(source);
    const std::optional<QString> failure = failureOf([&] { interpreter.run(); });
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

void check(Interpreter& interpreter, const QString& source, QChar separator)
{
    const Outcome first = run(interpreter, source);
    require(run(interpreter, source) == first);
    if (!first.ok)
        return;
    double number = 0;
    if (guarded([&] { number = toDouble(interpreter.result(), ValueContext{separator}); }))
        checkShownValue(number, separator);
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
