// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The formula script interpreter as the calculator uses it: assign the source,
// run it, read the value. Errors leave run() as exceptions (InterpreterError,
// ArithmeticError, ValueError, ConvertError) carrying the exact message;
// tryRun() hands the common ones back as values.

#include "eval/fallible.h"
#include "eval/scriptvalue.h"

#include <QString>
#include <memory>

namespace numra {

class Interpreter {
public:
    explicit Interpreter(ValueContext context = {});
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    void setSource(const QString& source);
    const QString& source() const;
    // Runs in the arithmetic of the context given at construction, or in the
    // one given, for this run only; toNumber(result(), ...) in the same
    // arithmetic gives the number the calculator shows.
    void run();
    void run(Arithmetic arithmetic);
    // The same, with an arithmetic fault or a common syntax error of a
    // formula handed back as a failure; the rarer errors are thrown.
    Status tryRun(Arithmetic arithmetic);
    // The value of the last run; Empty after a run that failed.
    const ScriptValue& result() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace numra
