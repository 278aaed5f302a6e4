// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Adds the location (unit name and line) to errors of the statement layer
// and of built-in functions.

#include "eval/interpretererror.h"
#include "eval/lexer.h"

namespace numra {

class ErrorLocator {
public:
    explicit ErrorLocator(const Lexer& lexer) : lexer_(lexer) {}

    // Called inside a catch block: rethrows the current exception. An
    // InterpreterError without location gets the current token's end as
    // unknown position and, with a unit name, the message "Error in unit
    // '...' on line ... : ..."; any other exception travels unchanged.
    [[noreturn]] void addErrorLocation(const QString& unitName);

private:
    int lineOf(int position) const;

    const Lexer& lexer_;
};

} // namespace numra
