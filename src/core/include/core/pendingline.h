// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small line above the entry field that says what "=" will compute: the
// pending formula, which keypad mode otherwise keeps out of sight, and
// short marks of what applies to the calculation (the VAT rate of the VAT
// keys). Edit mode shows the formula in the field itself.

#include "core/calculatorstate.h"

#include <QString>
#include <vector>

namespace numra {

struct PendingLine {
    std::vector<QString> marks; // "USt 19 %"; each mode of calculating adds its own
    QString formula;            // as the user built it; "2^" while x^n waits for its exponent
    QString notice;             // what the last command did, until the next ("22 kopiert")
    bool operator==(const PendingLine&) const = default;
};

PendingLine pendingLine(const CalculatorState& state, QChar decimalSeparator);

} // namespace numra
