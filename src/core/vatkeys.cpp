// SPDX-License-Identifier: GPL-3.0-or-later
// "Ust+" and "Ust-": VAT on the entry at the chosen rate, shown in the VAT
// window, in which the user may choose another rate.

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
    setRoundingChecked(true);
    const std::optional<std::int64_t> entered = enteredCents();
    const std::optional<VatWindowInput> input = entered ? vatCalculation({direction, *entered}) : std::nullopt;
    if (!input) {
        showError(text(TextId::InvalidInputMessage));
        return;
    }
    openVatWindow_ = VatCalculation{direction, *entered};
    const std::optional<QString> copied = ui_.showVatWindow(*input);
    openVatWindow_.reset();
    if (copied)
        memory_ = MemoryRegister{MemoryRegister::State::Text, *copied};
    subtotalShown_ = false; // the VAT window clears it when it closes
    formula_.clear();
}

// At the chosen rate, shown in the entry and recorded on the tape; nothing
// when an amount reaches the limit.
std::optional<VatWindowInput> Calculator::vatCalculation(VatCalculation calculation)
{
    const bool fromNet = calculation.direction == VatDirection::FromNet;
    const int rate = vatRates_.chosen;
    const std::optional<VatCents> cents =
        fromNet ? vatFromNet(calculation.enteredCents, rate) : vatFromGross(calculation.enteredCents, rate);
    if (!cents)
        return std::nullopt;

    VatWindowInput input;
    input.language = language_;
    input.amounts = {formatHundredths(cents->net, separator_), formatHundredths(cents->tax, separator_),
                     formatHundredths(cents->gross, separator_)};
    input.taxCaption = text(fromNet ? TextId::TaxLabelVatFromNet : TextId::TaxLabelVatFromGross);
    input.rateText = formatVatRate(rate, separator_);
    input.rateChoices = vatRateChoices(vatRates_, separator_);
    setEntryText(fromNet ? input.amounts.gross : input.amounts.net);
    recordVatOnTape(fromNet ? TapeRowKind::VatFromNet : TapeRowKind::VatFromGross, input.amounts, rate);
    return input;
}

// A rate chosen in the open VAT window applies to the amount the user typed:
// the calculation is made again, as a new row of the tape, since the user
// has seen both.
bool Calculator::setVatRates(const VatRates& rates)
{
    const VatRates before = vatRates_;
    vatRates_ = rates;
    if (!openVatWindow_)
        return true;
    if (const std::optional<VatWindowInput> input = vatCalculation(*openVatWindow_)) {
        ui_.updateVatWindow(*input);
        return true;
    }
    vatRates_ = before;
    showError(text(TextId::InvalidInputMessage));
    return false;
}

} // namespace numra
