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
    const std::optional<TapeRowLink> link = entryLink(0);
    if (digits.isEmpty()) {
        showError(text(TextId::InvalidInputMessage));
        return;
    }
    // A formula pending in keypad mode comes along into the field, before
    // the converted number.
    QString pending;
    if (state_.inputMode != InputMode::Edit) {
        pending = state_.inputMode == InputMode::Keypad ? formula_ : QString();
        toggleEditMode();
        if (state_.inputMode != InputMode::Edit) // the field was still editable after x^n
            pending.clear();
    }
    const std::optional<std::int32_t> value = parseHexInt32(digits);
    if (!value) // the entry shows 0 behind the box
        showError(text(TextId::ConvertErrorMessage));
    setEntry(pending + QString::number(value.value_or(0)));
    if (value) {
        if (pending.isEmpty())
            markResultShown();
        recordOperation(TapeRowKind::HexToInt, digits, link);
    }
}

// Int->Hex takes the integer part as Ganzzahl takes it; a value
// outside the 32-bit range is refused rather than shown wrapped around.
void Calculator::intToHexKey()
{
    if (isBlankText(display_.entryText))
        return;
    const IntegerPart part = integerPartOf(display_.entryText, separator_, state_.arithmetic);
    if (part.status != IntegerPart::Status::Ok || part.value < INT32_MIN || part.value > INT32_MAX) {
        showError(text(TextId::InvalidInputMessage));
        return;
    }
    const QString operand = trimBlanks(display_.entryText);
    const std::optional<TapeRowLink> link = entryLink(0);
    setEntry(intToHexText(std::int32_t(part.value)));
    markResultShown();
    recordOperation(TapeRowKind::IntToHex, operand, link);
}

} // namespace numra
