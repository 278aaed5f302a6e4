// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator and its tape: the rows the operations add, what links a
// calculation to the result it went on from, and what the tape window gives
// back to the calculator.

#include "core/calculator.h"

#include "core/rowcalculator.h"
#include "core/vatamounts.h"
#include "eval/fpu.h"


namespace numra {

namespace {

// A character that would make the entry another number or name than the
// result it starts with ("15" in "150", "15,5" or "15abc").
bool continuesOperand(QChar c, QChar separator)
{
    return c.isLetterOrNumber() || c == u'.' || c == u',' || c == u'_' || c == separator;
}

} // namespace

std::optional<TapeRowLink> Calculator::entryLink(int offset) const
{
    if (!resultInEntry_)
        return std::nullopt;
    const QString& result = resultInEntry_->text;
    const QString& entry = display_.entryText;
    if (result.isEmpty() || !entry.startsWith(result))
        return std::nullopt;
    if (entry.size() > result.size() && continuesOperand(entry[result.size()], separator_))
        return std::nullopt;
    return TapeRowLink{resultInEntry_->row, {offset, int(result.size())}};
}

void Calculator::dropFormula()
{
    formula_.clear();
    formulaLink_.reset();
}

// The row's result is what the entry shows now: the next calculation may go
// on from it.
void Calculator::recorded(TapeRowId row)
{
    resultInEntry_ = ResultInEntry{row, display_.entryText};
}

// Called right after a calculation has shown its result; a thrown error
// skips the call. The row holds the formula as the user built it and the
// value shown, which the grand total adds. A subtotal leaves the entry as it
// was.
void Calculator::recordOnTape(TapeRowKind kind)
{
    const std::optional<ShownValue>& result = state_.outcome.result;
    if (!tapeRecording_ || !result)
        return; // nothing was evaluated
    const bool subtotal = state_.lastWasSubtotal;
    TapeRow row{subtotal ? TapeRowKind::Subtotal : kind, formula_, result->text};
    row.rounded = result->rounded;
    row.recipe.twoDecimals = roundingAtStart_;
    const TapeRowId id = tape_.add(std::move(row), result->value, formulaLink_);
    if (!subtotal)
        recorded(id);
}

// Called right after an operation on the entry alone has shown its result;
// formula is what it worked on, as the user typed it.
void Calculator::recordOperation(TapeRowKind kind, const QString& formula, std::optional<TapeRowLink> link)
{
    if (!tapeRecording_)
        return;
    TapeRow row{kind, formula, display_.entryText};
    row.recipe.twoDecimals = roundingAtStart_;
    recorded(tape_.add(std::move(row), std::nullopt, link));
}

// One row with the three amounts the VAT window shows and the rate they were
// computed with.
void Calculator::recordVatOnTape(TapeRowKind kind, const VatAmounts& amounts, int rate)
{
    if (!tapeRecording_)
        return;
    TapeRow row{kind,
                QStringLiteral("Netto %1 · Steuer %2 %3 · Brutto %4")
                    .arg(amounts.net, formatVatRate(rate, separator_), amounts.tax, amounts.gross),
                display_.entryText};
    row.recipe = TapeRecipe{vatInput_.twoDecimals, rate, vatInput_.amount};
    recorded(tape_.add(std::move(row), std::nullopt, vatInput_.link));
}

const CalculatorState& Calculator::recallGrandTotal()
{
    return run([&] {
        if (tape_.totalOverflows())
            throw ArithmeticError(fpu::kOverflow);
        const QString before = display_.entryText;
        putOperand(tape_.totalText());
        tapeHistory_.record(tapestep::TakeOver{before, display_.entryText});
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
        resultInEntry_.reset();
        wishEntryFocus();
    });
}

} // namespace numra
