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
    Number value;
    if (!tryParseNumber(amount, separator_, state_.arithmetic, value))
        return std::nullopt;
    return hundredthsOf(value);
}

// The entry and the VAT window show the amounts computed in cents; a pending
// formula is dropped. The amount is taken in cents before the rounding box
// is checked, which would round it to the selected places (0 places would
// make 12,50 an amount of 13).
void Calculator::vatKey(bool fromNet)
{
    vatInput_ = {trimBlanks(display_.entryText), display_.roundingChecked, entryLink(0)};
    const std::optional<std::int64_t> entered = enteredCents();
    changeRounding(true);
    std::optional<VatCalculation> calculation = entered ? vatCalculation(fromNet, *entered) : std::nullopt;
    if (!calculation) {
        showError(text(TextId::InvalidInputMessage));
        return;
    }
    state_.vat = std::move(calculation);
    dropFormula();
}

// At the chosen rate, shown in the entry and recorded on the tape; nothing
// when an amount reaches the limit.
std::optional<VatCalculation> Calculator::vatCalculation(bool fromNet, std::int64_t typedCents)
{
    const int rate = state_.vatRates.chosen;
    const std::optional<VatCents> cents = fromNet ? vatFromNet(typedCents, rate) : vatFromGross(typedCents, rate);
    if (!cents)
        return std::nullopt;

    VatCalculation calculation;
    calculation.fromNet = fromNet;
    calculation.typedCents = typedCents;
    calculation.language = state_.language;
    calculation.amounts = {formatHundredths(cents->net, separator_), formatHundredths(cents->tax, separator_),
                           formatHundredths(cents->gross, separator_)};
    calculation.taxCaption = text(fromNet ? TextId::TaxLabelVatFromNet : TextId::TaxLabelVatFromGross);
    calculation.rateText = formatVatRate(rate, separator_);
    calculation.rateChoices = vatRateChoices(state_.vatRates, separator_);
    setEntry(fromNet ? calculation.amounts.gross : calculation.amounts.net);
    markResultShown();
    recordVatOnTape(fromNet ? TapeRowKind::VatFromNet : TapeRowKind::VatFromGross, calculation.amounts, rate);
    state_.outcome.vatCalculated = true;
    return calculation;
}

const CalculatorState& Calculator::setVatRates(const VatRates& rates)
{
    return run([&] { takeVatRates(rates); });
}

const CalculatorState& Calculator::chooseVatRate(std::optional<int> rate)
{
    return run([&] {
        if (rate) {
            takeVatRates(withOwnRate(state_.vatRates, *rate));
            return;
        }
        state_.question = {Question::Kind::OwnVatRate, QString()};
    });
}

const CalculatorState& Calculator::answerOwnVatRate(std::optional<int> rate)
{
    return run([&] {
        state_.question = {};
        if (rate)
            takeVatRates(withOwnRate(state_.vatRates, *rate));
    });
}

const CalculatorState& Calculator::switchVatRate()
{
    return run([&] { takeVatRates(switchedStandardReduced(state_.vatRates)); });
}

// A rate chosen in the open VAT window applies to the amount the user typed:
// the calculation is made again, as a new row of the tape, since the user
// has seen both.
void Calculator::takeVatRates(const VatRates& rates)
{
    const VatRates before = state_.vatRates;
    state_.vatRates = rates;
    if (!state_.vat)
        return;
    if (std::optional<VatCalculation> calculation = vatCalculation(state_.vat->fromNet, state_.vat->typedCents)) {
        state_.vat = std::move(calculation);
        return;
    }
    state_.vatRates = before;
    showError(text(TextId::InvalidInputMessage));
}

// The memory register takes the amount as "M+" takes the entry.
const CalculatorState& Calculator::copyAmount(VatField field, const QString& shownText)
{
    return run([&] {
        if (field != VatField::None) {
            // The window shows the amounts grouped; the clipboard and the
            // memory take them as a program reads them. A text the user
            // changed in the field is taken as it is.
            QString copied = trimBlanks(shownText);
            if (state_.vat) {
                const QString amount = vatFieldText(state_.vat->amounts, field);
                if (copied == readableAmount(amount, state_.amountFormat.grouping, separator_))
                    copied = amount;
            }
            state_.memory = MemoryRegister{MemoryRegister::State::Text, copied};
            state_.outcome.clipboard = copied == trimBlanks(shownText) ? shownText : copied;
            showMessage(MessageKind::Plain, vatCopyNotice(copied));
        }
        closeVat();
    });
}

const CalculatorState& Calculator::closeVatWindow()
{
    return run([&] { closeVat(); });
}

// Closing the VAT window, whichever way, clears the subtotal flag.
void Calculator::closeVat()
{
    state_.vat.reset();
    state_.lastWasSubtotal = false;
}

} // namespace numra
