// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pendingline.h"

#include "eval/errors.h"

namespace numra {

PendingLine pendingLine(const CalculatorState& state, QChar decimalSeparator)
{
    PendingLine line;
    line.notice = state.outcome.notice;
    line.marks.push_back(QStringLiteral("USt ") + formatVatRate(state.vatRates.chosen, decimalSeparator));
    if (state.arithmetic == Arithmetic::Decimal)
        line.marks.push_back(QStringLiteral("Genau"));
    if (state.amountFormat.selector == DecimalSelector::Add)
        line.marks.push_back(QStringLiteral("ADD"));
    switch (state.inputMode) {
    case InputMode::Keypad:
        line.formula = state.formula;
        break;
    case InputMode::Power:
        line.formula = trimBlanks(state.powerBase) + u'^';
        break;
    case InputMode::Edit:
        break; // the field shows it
    }
    return line;
}

} // namespace numra
