// SPDX-License-Identifier: GPL-3.0-or-later
// The keys that build the pending formula: digits, the decimal key,
// operators, CE, Edit and "=".

#include "core/calculator.h"

#include "core/entrymath.h"
#include "eval/numbertext.h"
#include "eval/textcopy.h"

namespace numra {

// Digits and the decimal separator are appended at the end wherever the
// caret is; the entry is not validated ("1,," stays as typed).
void Calculator::appendCharacter(QChar c)
{
    appendToEntryText(QStringView(&c, 1));
    wishEntryFocus();
}

// In edit mode the entry holds the whole pending formula, elsewhere the
// operand after it; either way the formula as shown gets c.
void Calculator::appendToFormula(QChar c)
{
    if (state_.inputMode == InputMode::Edit) {
        ensureRoomFor(display_.entryText.size() + 1);
        formula_ = display_.entryText + c;
    } else {
        ensureRoomFor(formula_.size() + display_.entryText.size() + 1);
        formula_ += display_.entryText + c;
    }
}

// Edit mode shows the pending formula in the entry, the other modes an
// empty entry for the next operand.
void Calculator::operatorKey(QChar op)
{
    appendToFormula(op);
    setEntry(state_.inputMode == InputMode::Edit ? formula_ : QString());
}

// A pending x^n and edit mode survive CE.
void Calculator::clearEntry()
{
    setEntry(QString());
    formula_.clear();
    wishEntryFocus();
}

// Edit decides by the read-only state, not by the input mode: after x^n and
// "=" in edit mode the field is still editable while the mode is keypad, and
// this key then switches to keypad mode.
void Calculator::toggleEditMode()
{
    if (display_.entryReadOnly)
        enterEditMode();
    else
        leaveEditMode();
    wishEntryFocus();
}

void Calculator::enterEditMode()
{
    display_.entryReadOnly = false;
    display_.editIndicatorVisible = true;
    state_.inputMode = InputMode::Edit;
    state_.powerBase.clear();
    setEntry(QString());
}

void Calculator::leaveEditMode()
{
    display_.entryReadOnly = true;
    setEntry(QString());
    display_.editIndicatorVisible = false;
    state_.inputMode = InputMode::Keypad;
    state_.powerBase.clear();
}

// When the evaluation throws, the rest is skipped: in keypad mode the failed
// formula stays pending.
void Calculator::equals()
{
    switch (state_.inputMode) {
    case InputMode::Power:
        computePendingPower();
        break;
    case InputMode::Edit:
        copyInto(formula_, display_.entryText);
        calculate();
        recordOnTape(TapeRowKind::Result);
        state_.powerBase.clear();
        break;
    case InputMode::Keypad:
        ensureRoomFor(formula_.size() + display_.entryText.size());
        formula_ += display_.entryText;
        calculate();
        recordOnTape(TapeRowKind::Result);
        formula_.clear();
        break;
    }
}

// "=" with x^n pending: the result is shown in the general form whatever the
// check box says.
void Calculator::computePendingPower()
{
    if (isBlankText(state_.powerBase))
        return;
    const Number base = parseNumber(state_.powerBase, separator_, state_.arithmetic);
    const Number exponent = parseNumber(display_.entryText, separator_, state_.arithmetic);
    const QString formula = trimBlanks(state_.powerBase) + u'^' + trimBlanks(display_.entryText);
    setEntry(generalForm(power(base, exponent), separator_).view());
    recordOperation(TapeRowKind::Power, formula);
    state_.powerBase.clear();
    state_.inputMode = InputMode::Keypad;
}

} // namespace numra
