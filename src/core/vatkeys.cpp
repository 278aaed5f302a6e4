// SPDX-License-Identifier: GPL-3.0-or-later
// "Ust+" and "Ust-": VAT at 19 % on the entry, shown in the VAT window.

#include "core/calculator.h"

#include "core/singleprecision.h"
#include "eval/fpu.h"
#include "eval/numbertext.h"

namespace numra {

// The entry and the result are single-precision amounts, so the tax may differ by a cent from the
// difference of the two texts.
void Calculator::vatKey(VatDirection direction)
{
    const bool fromNet = direction == VatDirection::FromNet;
    setRoundingChecked(true);

    // The keypad's "." stands for the decimal separator here. (Reading it
    // always as "," refused every amount with decimals where the separator
    // is ".".)
    QString amount = trimBlanks(display_.entryText);
    if (const qsizetype point = amount.indexOf(u'.'); point >= 0)
        amount[point] = separator_;
    const std::optional<float> entered = parseSingle(amount, separator_);
    if (!entered) {
        showError(text(TextId::InvalidInputMessage));
        return;
    }

    formula_ = amount + (fromNet ? QStringLiteral("*1.19") : QStringLiteral("/1.19"));
    calculate();
    const QString resultText = trimBlanks(display_.entryText);
    const std::optional<float> result = parseSingle(resultText, separator_);
    if (!result)
        return;
    const float tax = fpu::toSingle(fromNet ? fpu::sub(*result, *entered) : fpu::sub(*entered, *result));

    VatWindowInput input;
    input.language = language_;
    (fromNet ? input.gross : input.net) = resultText;
    input.tax = formatTwoDecimals(tax, separator_);
    input.taxLabel = text(fromNet ? TextId::TaxLabelVatFromNet : TextId::TaxLabelVatFromGross);
    recordVatOnTape(input, QStringLiteral("19 %"));
    if (const std::optional<QString> copied = ui_.showVatWindow(input))
        memory_ = MemoryRegister{MemoryRegister::State::Text, *copied};
    subtotalShown_ = false; // the VAT window clears it when it closes
    formula_.clear();
}

} // namespace numra
