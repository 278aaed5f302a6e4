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

    // The error as it leaves a unit: one without a place gets the current
    // token's end as its place and, with a unit name, the message "Error in
    // unit '...' on line ... : ..."; one that names its unit already is
    // returned as it is.
    InterpreterError located(const InterpreterError& error, const QString& unitName) const;

private:
    int lineOf(int position) const;

    const Lexer& lexer_;
};

} // namespace numra
