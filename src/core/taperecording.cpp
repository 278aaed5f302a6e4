// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator and its tape: the rows the operations add, and what the tape
// window gives back to the calculator.

#include "core/calculator.h"

#include "core/vatamounts.h"
#include "eval/fpu.h"


namespace numra {

// Called right after a calculation has shown its result; a thrown error
// skips the call. The row holds the formula as the user built it and the
// value shown, which the grand total adds.
void Calculator::recordOnTape(TapeRowKind kind)
{
    const std::optional<ShownValue>& result = state_.outcome.result;
    if (!tapeRecording_ || !result)
        return; // nothing was evaluated
    tape_.add({state_.lastWasSubtotal ? TapeRowKind::Subtotal : kind, formula_, result->text, result->rounded},
              result->value);
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

const CalculatorState& Calculator::recallGrandTotal()
{
    return run([&] {
        if (tape_.totalOverflows())
            throw ArithmeticError(fpu::kOverflow);
        putOperand(tape_.totalText());
        wishEntryFocus();
    });
}

const CalculatorState& Calculator::recallResult(const QString& result)
{
    return run([&] {
        putOperand(result);
        wishEntryFocus();
    });
}

// Also from a pending x^n: the formula is what the user asked to edit.
const CalculatorState& Calculator::editFormula(const QString& formula)
{
    return run([&] {
        ensureRoomFor(formula.size());
        if (state_.inputMode != InputMode::Edit)
            enterEditMode();
        setEntry(formula);
        wishEntryFocus();
    });
}

} // namespace numra
