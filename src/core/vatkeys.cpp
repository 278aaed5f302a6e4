// SPDX-License-Identifier: GPL-3.0-or-later
// "Ust+" and "Ust-": VAT on the entry, shown in the VAT window.

#include "core/calculator.h"

#include "eval/numbertext.h"

namespace numra {

// The amount typed, in cents as the two-decimal form rounds it; nothing for a
// text that is no number. The keypad's "." stands for the decimal separator
// here, as it did before the decimal key wrote the separator: typed "12.5" is
// read as 12,5, "1.000,50" is refused.
std::optional<std::int64_t> Calculator::enteredCents() const
{
    QString amount = trimBlanks(display_.entryText);
    if (const qsizetype point = amount.indexOf(u'.'); point >= 0)
        amount[point] = separator_;
    long double value = 0;
    if (!tryParseNumber(amount, separator_, value))
        return std::nullopt;
    return hundredthsOf(value);
}

// The entry and the VAT window show the amounts computed in cents; a pending
// formula is dropped.
void Calculator::vatKey(VatDirection direction)
{
    const bool fromNet = direction == VatDirection::FromNet;
    setRoundingChecked(true);
    const int rate = kStandardVatRate;
    std::optional<VatCents> cents;
    if (const std::optional<std::int64_t> entered = enteredCents())
        cents = fromNet ? vatFromNet(*entered, rate) : vatFromGross(*entered, rate);
    if (!cents) {
        showError(text(TextId::InvalidInputMessage));
        return;
    }

    VatWindowInput input;
    input.language = language_;
    input.amounts = {formatHundredths(cents->net, separator_), formatHundredths(cents->tax, separator_),
                     formatHundredths(cents->gross, separator_)};
    input.taxLabel = text(fromNet ? TextId::TaxLabelVatFromNet : TextId::TaxLabelVatFromGross);
    setEntryText(fromNet ? input.amounts.gross : input.amounts.net);
    recordVatOnTape(fromNet ? TapeRowKind::VatFromNet : TapeRowKind::VatFromGross, input.amounts, rate);
    if (const std::optional<QString> copied = ui_.showVatWindow(input))
        memory_ = MemoryRegister{MemoryRegister::State::Text, *copied};
    subtotalShown_ = false; // the VAT window clears it when it closes
    formula_.clear();
}

} // namespace numra
