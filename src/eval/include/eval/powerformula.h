// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Evaluator for formulas that contain "^": numbers, + - * / ^, leading signs,
// parentheses and a "%" directly after a number (as in the script language),
// in extended precision. "^" is computed as e^(y * ln x).

#include "eval/number.h"

#include <QString>

namespace numra {

// Returns the formula's value or throws Error (syntax), ArithmeticError
// (floating-point faults) or ConvertError (a number beyond the extended
// range), each placed where it happened (Error::where): the character that
// breaks the syntax, the operator that faulted, the number.
long double evaluatePowerFormula(const QString& formula);

// The same in the arithmetic given. In the decimal one the numbers are
// held exactly and "^" is the decimal power (exact for a whole exponent
// whenever the result fits in 34 digits); it fails where the binary one
// does: on a base of zero ("Gleitkommadivision durch Null") or below
// ("Ungültige Gleitkommaoperation"), beyond the extended range, and on a
// group beyond the double range ("Gleitkommaüberlauf").
Number evaluatePowerFormula(const QString& formula, Arithmetic arithmetic);

} // namespace numra
