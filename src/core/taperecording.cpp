// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator and its tape: the rows the operations add, and what the tape
// window gives back to the calculator.

#include "core/calculator.h"

#include "core/vatamounts.h"
#include "eval/fpu.h"

#include <cmath>

namespace numra {

// Called right after an operation has shown its result; a thrown error skips
// the call, and an error box shown by the key suppresses the row.
// Calculations record the formula they evaluated, the other operations the
// entry they worked on.
void Calculator::recordOnTape(TapeRowKind kind)
{
    if (!tapeRecording_ || errorShownThisKey_)
        return;
    switch (kind) {
    case TapeRowKind::Result:
    case TapeRowKind::Percent:
    case TapeRowKind::SignChange:
    case TapeRowKind::Reciprocal:
        if (isBlankText(formula_))
            return; // nothing was evaluated
        if (subtotalShown_)
            tape_.add({TapeRowKind::Subtotal, withRegionalSeparator(formula_), subtotalText_});
        else
            tape_.add({kind, withRegionalSeparator(formula_), display_.entryText});
        return;
    case TapeRowKind::Power:
        tape_.add({kind, trimBlanks(powerBase_) + u'^' + trimBlanks(entryAtKey_), display_.entryText});
        return;
    default:
        tape_.add({kind, trimBlanks(entryAtKey_), display_.entryText});
        return;
    }
}

// One row with the three amounts the VAT window shows and the rate they were
// computed with.
void Calculator::recordVatOnTape(TapeRowKind kind, const VatAmounts& amounts, int rate)
{
    if (!tapeRecording_)
        return;
    tape_.add({kind,
               QStringLiteral("Netto %1 · Steuer %2 %3 · Brutto %4")
                   .arg(amounts.net, formatVatRate(rate, separator_), amounts.tax, amounts.gross),
               display_.entryText});
}

// Calculate has turned every "," into "."; the tape shows the formula with
// the regional separator, as the user typed it.
QString Calculator::withRegionalSeparator(QString formula) const
{
    if (separator_ != u'.')
        formula.replace(u'.', separator_);
    return formula;
}

void Calculator::recallGrandTotal()
{
    if (!std::isfinite(tape_.total()))
        throw ArithmeticError(fpu::kOverflow);
    putOperand(tape_.totalText());
    focusEntry();
}

// Also from a pending x^n: the formula is what the user asked to edit.
void Calculator::editFormula(const QString& formula)
{
    ensureRoomFor(formula.size());
    if (inputMode_ != InputMode::Edit)
        enterEditMode();
    setEntryText(formula);
    focusEntry();
}

void Calculator::appendToEntry(const QString& text)
{
    ensureRoomFor(display_.entryText.size() + text.size());
    setEntryText(display_.entryText + text);
    focusEntry();
}

} // namespace numra
