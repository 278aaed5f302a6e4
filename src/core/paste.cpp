// SPDX-License-Identifier: GPL-3.0-or-later
// Ctrl+V: amounts as people write them, one or a column of them.

#include "core/calculator.h"

#include "eval/fpu.h"
#include "eval/pastedtext.h"

namespace numra {

namespace {

QString addQuestion(std::size_t count)
{
    return QStringLiteral("Die Zwischenablage enthält %1 Beträge. Alle addieren? Jeder Betrag wird eine Zeile des "
                          "Rechenstreifens, die Summe kommt ins Eingabefeld.")
        .arg(count);
}

// The amounts as they read, added in the arithmetic chosen; the sum fails
// as "=" would beyond the range.
Number sumOf(const std::vector<QString>& amounts, QChar separator, Arithmetic arithmetic)
{
    if (arithmetic == Arithmetic::Decimal) {
        Decimal sum = Decimal::fromInteger(0);
        for (const QString& amount : amounts)
            sum = sum + parseNumber(amount, separator, arithmetic).decimalValue();
        if (exceedsRange(sum, BinaryRange::Extended))
            throw ArithmeticError(fpu::kOverflow);
        return Number::decimal(sum);
    }
    long double sum = 0;
    for (const QString& amount : amounts)
        sum = fpu::add(sum, parseNumber(amount, separator, arithmetic).binaryValue());
    return Number::binary(sum);
}

} // namespace

const CalculatorState& Calculator::paste(const QString& text)
{
    return run([&] {
        PastedText pasted = readPastedText(text, separator_);
        const bool editing = state_.inputMode == InputMode::Edit;
        switch (pasted.kind) {
        case PastedText::Kind::Empty:
            break;
        case PastedText::Kind::Refused:
            showError(pasted.message);
            break;
        case PastedText::Kind::Formula:
            if (editing)
                insertAtCaret(pasted.formula);
            else
                showError(pasted.message);
            break;
        case PastedText::Kind::Amounts:
            if (pasted.amounts.size() > 1) {
                askToAddAmounts(std::move(pasted.amounts), false);
            } else if (editing) {
                insertAtCaret(pasted.amounts.front());
            } else {
                setEntry(pasted.amounts.front());
                markResultShown();
            }
            break;
        }
        wishEntryFocus();
    });
}

void Calculator::askToAddAmounts(std::vector<QString> amounts, bool fromClipboard)
{
    pastedAmounts_ = std::move(amounts);
    amountsFromClipboard_ = fromClipboard;
    state_.question = Question{Question::Kind::AddPastedAmounts, addQuestion(pastedAmounts_.size())};
}

// Each amount becomes a row, the sum a result shown in the entry; from the
// clipboard, the rows have its note and the sum goes back to it.
const CalculatorState& Calculator::answerAddPastedAmounts(bool add)
{
    return run([&] {
        state_.question = Question{};
        const std::vector<QString> amounts = std::exchange(pastedAmounts_, {});
        const bool fromClipboard = std::exchange(amountsFromClipboard_, false);
        if (!add || amounts.empty())
            return;
        const ShownNumber shown =
            shownForm(sumOf(amounts, separator_, state_.arithmetic), resultFormat(), separator_);
        if (tapeRecording_) {
            for (const QString& amount : amounts)
                tape_.add({TapeRowKind::Result, amount, amount, fromClipboard ? kClipboardNote : QString()});
        }
        if (fromClipboard) {
            giveBackToClipboard(shown.text.toString(), std::nullopt);
        } else if (state_.inputMode == InputMode::Edit) {
            insertAtCaret(shown.text.toString());
        } else {
            setEntry(shown.text.view());
            markResultShown();
        }
        wishEntryFocus();
    });
}

void Calculator::insertAtCaret(const QString& text)
{
    const TextSpan selected = display_.selection;
    const int start = selected.length > 0 ? selected.start : display_.caret;
    ensureRoomFor(display_.entryText.size() - selected.length + text.size());
    QString entry = display_.entryText;
    entry.replace(start, selected.length, text);
    display_.selection = TextSpan{};
    setEntry(entry, start + int(text.size()));
}

} // namespace numra
