// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Evaluator for formulas that contain "^": numbers, + - * / ^, leading signs,
// parentheses and a "%" directly after a number (as in the script language),
// in extended precision. "^" is computed as e^(y * ln x).

#include <QString>

namespace numra {

// Returns the formula's value or throws Error (syntax), ArithmeticError
// (floating-point faults) or ConvertError (a number beyond the extended
// range), each placed where it happened (Error::where): the character that
// breaks the syntax, the operator that faulted, the number.
long double evaluatePowerFormula(const QString& formula);

} // namespace numra
