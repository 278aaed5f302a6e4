// SPDX-License-Identifier: GPL-3.0-or-later
// "numra --zwischenablage": what the user selected and copied elsewhere is
// computed, and the result goes back to the clipboard, ready to paste.

#include "core/calculator.h"

#include "core/rowcalculator.h"
#include "eval/pastedtext.h"

namespace numra {

namespace {

// German in both languages, as the messages of Ctrl+V are.
const QString kClipboardEmpty = QStringLiteral("Die Zwischenablage ist leer.");
const QString kClipboardWithoutText = QStringLiteral("Die Zwischenablage enthält keinen Text.");
constexpr qsizetype kLongestQuote = 40; // characters of the clipboard that a message shows

QString failedMessage(const QString& formula, const QString& error)
{
    const QString shown = formula.size() <= kLongestQuote ? formula : formula.first(kLongestQuote) + u'…';
    return QStringLiteral("\u201E%1\u201C aus der Zwischenablage lässt sich nicht ausrechnen: %2").arg(shown, error);
}

} // namespace

const CalculatorState& Calculator::computeClipboard(const std::optional<QString>& text)
{
    return run([&] {
        if (!text) {
            showError(kClipboardWithoutText);
            return;
        }
        PastedText pasted = readPastedText(*text, separator_);
        switch (pasted.kind) {
        case PastedText::Kind::Empty:
            showError(kClipboardEmpty);
            return;
        case PastedText::Kind::Refused:
            showError(pasted.message);
            return;
        case PastedText::Kind::Amounts:
            if (pasted.amounts.size() > 1)
                askToAddAmounts(std::move(pasted.amounts), true);
            else
                computeClipboardFormula(pasted.amounts.front());
            return;
        case PastedText::Kind::Formula:
            computeClipboardFormula(pasted.formula);
            return;
        }
    });
}

// Computed as a formula typed into the tape's last row is: by the
// calculator's own rules, with the rounding box as it is now, and without
// touching the formula the user has begun.
void Calculator::computeClipboardFormula(const QString& formula)
{
    ensureRoomFor(formula.size());
    TapeRow row{TapeRowKind::Result, formula, QString(), kClipboardNote};
    row.recipe.twoDecimals = display_.roundingChecked;
    ComputedRow computed = rowCalculator().compute(row);
    if (!computed.row.error.isEmpty()) {
        showError(failedMessage(formula, computed.row.error));
        return;
    }
    const QString result = computed.row.result;
    const bool subtotal = computed.row.kind == TapeRowKind::Subtotal;
    std::optional<TapeRowId> id;
    if (tapeRecording_)
        id = tape_.add(std::move(computed.row), computed.value);
    giveBackToClipboard(result, subtotal ? std::nullopt : id);
}

// In keypad mode the result is the entry, and a calculation that goes on
// from it links to its row.
void Calculator::giveBackToClipboard(const QString& result, std::optional<TapeRowId> row)
{
    state_.outcome.clipboard = result;
    state_.outcome.notice = result + QStringLiteral(" kopiert");
    if (state_.inputMode == InputMode::Keypad) {
        setEntry(result);
        markResultShown();
        if (row)
            recorded(*row);
    }
    wishEntryFocus();
}

} // namespace numra
