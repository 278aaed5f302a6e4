// SPDX-License-Identifier: GPL-3.0-or-later
// Hex->Int and Int->Hex of the calculator window.

#include "core/calculator.h"

#include "core/hexconversion.h"
#include "core/singleprecision.h"

namespace numra {

// ButtonHexClick. Letters can only be typed in edit mode, so the key switches
// there (by clicking Edit) after reading the entry.
void Calculator::hexToIntKey()
{
    const QString text = trimBlanks(entry_);
    if (text.isEmpty()) {
        showError(msgInvalidInput());
        return;
    }
    if (inputMode_ != InputMode::Edit)
        toggleEditMode();
    setEntryText(QString::number(hexToInt(text)));
}

// HexToInt: reports a failure itself and gives 0.
std::int32_t Calculator::hexToInt(const QString& text)
{
    if (const auto value = parseHexInt32(text))
        return *value;
    showError(msgConvertError());
    return 0;
}

// ButtonIntClick. The integer part is taken as Ganzzahl takes it; a value
// outside the 32-bit range is refused rather than shown wrapped around.
void Calculator::intToHexKey()
{
    if (isBlankText(entry_))
        return;
    const IntegerPart part = singleIntegerPart(entry_, separator_);
    if (part.status != IntegerPart::Status::Ok) {
        showError(msgInvalidInput());
        return;
    }
    setEntryText(intToHexText(part.value));
}

} // namespace numra
