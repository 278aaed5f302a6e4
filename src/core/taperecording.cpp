// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator and its tape: the rows the operations add, and what the tape
// window gives back to the calculator.

#include "core/calculator.h"

#include "core/vatamounts.h"
#include "eval/fpu.h"

#include <cmath>

namespace numra {

// Called right after a calculation has shown its result; a thrown error
// skips the call. The row holds the formula that was evaluated.
void Calculator::recordOnTape(TapeRowKind kind)
{
    if (!tapeRecording_ || isBlankText(formula_))
        return; // nothing was evaluated
    if (subtotalShown_)
        tape_.add({TapeRowKind::Subtotal, withRegionalSeparator(formula_), subtotalText_});
    else
        tape_.add({kind, withRegionalSeparator(formula_), display_.entryText});
}

// Called right after an operation on the entry alone has shown its result;
// formula is what it worked on, as the user typed it.
void Calculator::recordOperation(TapeRowKind kind, const QString& formula)
{
    if (tapeRecording_)
        tape_.add({kind, formula, display_.entryText});
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
    appendToEntryText(text);
    focusEntry();
}

} // namespace numra
