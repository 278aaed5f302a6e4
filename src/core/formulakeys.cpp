// SPDX-License-Identifier: GPL-3.0-or-later
// The keys that build the pending formula: digits, the decimal key,
// operators, CE, Edit and "=".

#include "core/calculator.h"

#include "core/addmode.h"
#include "core/entrymath.h"
#include "eval/interpretererror.h"
#include "eval/numbertext.h"
#include "eval/pastedtext.h"
#include "eval/textcopy.h"

namespace numra {

// Digits and the decimal separator are appended at the end wherever the
// caret is; the entry is not validated ("1,," stays as typed). After a
// result they start a new number, as on a desk calculator: 12 + 3 = 4 5
// is 45, not 1545.
void Calculator::appendCharacter(QChar c)
{
    if (state_.resultShown)
        setEntry(QString());
    const bool keyed = operandKeyed_ || display_.entryText.isEmpty();
    appendToEntryText(QStringView(&c, 1));
    operandKeyed_ = keyed;
    wishEntryFocus();
}

// With ADD selected, an amount keyed in digits alone that is added or
// subtracted is taken in cents (1234 + 5 = is 12,34+0,05); the formula and
// the tape show it so.
void Calculator::applyAddMode(QChar after)
{
    if (state_.amountFormat.selector != DecimalSelector::Add || state_.inputMode != InputMode::Keypad)
        return;
    const QChar before = formula_.isEmpty() ? QChar() : formula_.back();
    display_.entryText = addModeOperand(display_.entryText, operandKeyed_, before, after, separator_);
}

// In edit mode the entry holds the whole pending formula, elsewhere the
// operand after it; either way the formula as shown gets c.
void Calculator::appendToFormula(QChar c)
{
    if (state_.inputMode == InputMode::Edit) {
        ensureRoomFor(display_.entryText.size() + 1);
        formulaLink_ = entryLink(0);
        formula_ = display_.entryText + c;
    } else {
        ensureRoomFor(formula_.size() + display_.entryText.size() + 1);
        if (!formulaLink_)
            formulaLink_ = entryLink(int(formula_.size()));
        formula_ += display_.entryText + c;
    }
}

// Edit mode shows the pending formula in the entry, the other modes an
// empty entry for the next operand.
void Calculator::operatorKey(QChar op)
{
    applyAddMode(op);
    appendToFormula(op);
    setEntry(state_.inputMode == InputMode::Edit ? formula_ : QString());
}

// A pending x^n and edit mode survive CE.
void Calculator::clearEntry()
{
    setEntry(QString());
    dropFormula();
    wishEntryFocus();
}

// Escape never touches the memory, which it once overwrote as M+.
void Calculator::clearingKey(ClearingKey key)
{
    switch (key) {
    case ClearingKey::Backspace: {
        const bool keyed = operandKeyed_;
        setEntry(QStringView(display_.entryText).chopped(display_.entryText.isEmpty() ? 0 : 1));
        operandKeyed_ = keyed;
        break;
    }
    case ClearingKey::Delete:
        setEntry(QString());
        break;
    case ClearingKey::Escape:
        if (state_.subtotal.open)
            state_.subtotal.open = false;
        else
            clearEntry();
        break;
    }
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

// The pending formula and the number after it move into the field, where
// the user sees and edits them; nothing stays pending behind it. A pending
// x^n ends: its base is not part of any formula.
void Calculator::enterEditMode()
{
    const QString shown = state_.inputMode == InputMode::Keypad ? formula_ + display_.entryText : display_.entryText;
    ensureRoomFor(shown.size());
    display_.entryReadOnly = false;
    display_.editIndicatorVisible = true;
    state_.inputMode = InputMode::Edit;
    state_.powerBase.clear();
    formula_.clear();
    setEntry(shown);
}

// Keypad mode shows no formula in the field: a number there stays the entry
// (a result stays a result), anything else is cleared with the formula.
void Calculator::leaveEditMode()
{
    long double value = 0;
    const bool number = tryParseNumber(display_.entryText, separator_, value);
    const bool result = state_.resultShown;
    display_.entryReadOnly = true;
    setEntry(number ? display_.entryText : QString());
    state_.resultShown = number && result;
    display_.editIndicatorVisible = false;
    state_.inputMode = InputMode::Keypad;
    state_.powerBase.clear();
    formula_.clear();
}

// When the evaluation fails, the rest is skipped: in keypad mode the failed
// formula stays pending.
void Calculator::equals()
{
    switch (state_.inputMode) {
    case InputMode::Power:
        computePendingPower();
        break;
    case InputMode::Edit:
        formulaLink_ = entryLink(0);
        copyInto(formula_, display_.entryText);
        if (!calculateTypedFormula())
            return;
        recordOnTape(TapeRowKind::Result);
        state_.powerBase.clear();
        break;
    case InputMode::Keypad:
        applyAddMode(u'=');
        ensureRoomFor(formula_.size() + display_.entryText.size());
        if (!formulaLink_)
            formulaLink_ = entryLink(int(formula_.size()));
        formula_ += display_.entryText;
        if (!calculate())
            return;
        recordOnTape(TapeRowKind::Result);
        if (state_.lastWasSubtotal) // finishes nothing: 5 + = 3 = is 8
            setEntry(QString());    // the entry is part of the pending formula now
        else
            dropFormula();
        break;
    }
}

// A typed text that the formula language cannot read may be an amount as
// people write it ("1.234,56 €", "−45,00", "EUR 12"): "=" then takes that
// amount, as pasting it would, and an amount that reads two ways ("1,234.56"
// beside the decimal comma) is refused with the message that says so.
// Whatever the language reads stays a formula ("2.5*2", "(45,00)"), and any
// other text fails as it did, "1e3" too.
bool Calculator::calculateTypedFormula()
{
    try {
        if (calculate())
            return true;
    } catch (const InterpreterError& error) {
        failure_ = Status::failure(error); // the rarer errors: one way with the common ones
    }
    if (!readsTypedAmounts_ || dynamic_cast<const InterpreterError*>(&failure_.error()) == nullptr)
        return false;
    const PastedText typed = readPastedText(formula_, separator_);
    if (typed.kind == PastedText::Kind::Refused && !formula_.contains(u'\n')) {
        failure_ = Status::failure(Error(typed.message));
        return false;
    }
    // Typed formulas know no exponent notation; a pasted "1,5E20" does.
    if (typed.kind != PastedText::Kind::Amounts || typed.amounts.size() != 1 ||
        typed.amounts.front().contains(u'E', Qt::CaseInsensitive))
        return false; // the formula's own error
    failure_ = Status();
    state_.formulaError.reset();
    display_.selection = TextSpan{};
    formula_ = typed.amounts.front();
    return calculate();
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
    markResultShown();
    recordOperation(TapeRowKind::Power, formula, powerBaseLink_);
    state_.powerBase.clear();
    state_.inputMode = InputMode::Keypad;
}

} // namespace numra
