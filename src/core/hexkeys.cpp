// SPDX-License-Identifier: GPL-3.0-or-later
// Hex->Int and Int->Hex of the calculator window.

#include "core/calculator.h"

#include "core/hexconversion.h"
#include "core/entrymath.h"

namespace numra {

// Letters can only be typed in edit mode, so Hex->Int switches there (as
// Edit does) after reading the entry.
void Calculator::hexToIntKey()
{
    const QString digits = trimBlanks(display_.entryText);
    if (digits.isEmpty()) {
        showError(text(TextId::InvalidInputMessage));
        return;
    }
    if (inputMode_ != InputMode::Edit)
        toggleEditMode();
    setEntryText(QString::number(hexToInt(digits)));
    recordOnTape(TapeRowKind::HexToInt);
}

// Reports a failure itself and gives 0.
std::int32_t Calculator::hexToInt(const QString& digits)
{
    if (const auto value = parseHexInt32(digits))
        return *value;
    showError(text(TextId::ConvertErrorMessage));
    return 0;
}

// Int->Hex takes the integer part as Ganzzahl takes it; a value
// outside the 32-bit range is refused rather than shown wrapped around.
void Calculator::intToHexKey()
{
    if (isBlankText(display_.entryText))
        return;
    const IntegerPart part = integerPartOf(display_.entryText, separator_);
    if (part.status != IntegerPart::Status::Ok || part.value < INT32_MIN || part.value > INT32_MAX) {
        showError(text(TextId::InvalidInputMessage));
        return;
    }
    setEntryText(intToHexText(std::int32_t(part.value)));
    recordOnTape(TapeRowKind::IntToHex);
}

} // namespace numra
