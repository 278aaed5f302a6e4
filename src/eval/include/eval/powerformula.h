// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Evaluator for formulas that contain "^": numbers, + - * / ^, leading signs,
// parentheses and a "%" directly after a number (as in the script language),
// in extended precision. "^" is computed as e^(y * ln x).

#include <QString>

namespace numra {

// Returns the formula's value or throws Error (syntax), ArithmeticError
// (floating-point faults) or ConvertError (a number beyond the extended range).
long double evaluatePowerFormula(const QString& formula);

} // namespace numra
