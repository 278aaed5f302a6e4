// SPDX-License-Identifier: GPL-3.0-or-later
// The keys that act on the value in the entry field: %, +/-, 1/x, square
// root, x^n, Ganzzahl, the rounding check box, memory and clipboard.

#include "core/calculator.h"

#include "core/entrymath.h"
#include "eval/fpu.h"
#include "eval/numbertext.h"
#include "eval/shownform.h"

namespace numra {

namespace {

const QString kCopied = QStringLiteral("Daten kopiert. Einfügen mit STRG+V");
const QString kEntryEmpty = QStringLiteral("Ergebnisfeld ist leer!");

// The entry as one operand of the formula a tape row shows: a formula typed
// in edit mode is put in parentheses ("(1+2)*-1"), so that the row gives its
// result again.
QString asOperand(const QString& entry, QChar separator)
{
    long double value = 0;
    if (tryParseNumber(entry, separator, value))
        return entry;
    return u'(' + entry + u')';
}

} // namespace

// A "%" finishes the formula, and directly after a number it means what it
// means typed in a formula: after "+" or "-" a share of everything before
// ("1+2+" and 10 give 3,3), otherwise the entry's hundredths ("200/" and 10
// give 2000).
void Calculator::percent()
{
    appendToFormula(u'%');
    if (!calculate())
        return;
    recordOnTape(TapeRowKind::Percent);
    dropFormula();
    wishEntryFocus();
}

// +/- and 1/x act on the entry's value, a formula typed in edit mode
// evaluated whole, and drop whatever was pending; when that fails, the
// pending formula stays. They compute as a formula does (entrymath.h).
void Calculator::signChange()
{
    if (!isBlankText(display_.entryText)) {
        const QString operand = asOperand(display_.entryText, separator_);
        const std::optional<TapeRowLink> link = entryLink(operand == display_.entryText ? 0 : 1);
        showResult(negated(valueOfEntry()));
        dropFormula();
        recordOperation(TapeRowKind::SignChange, operand + QStringLiteral("*-1"), link);
    }
    moveCaretToEnd();
    wishEntryFocus();
}

// 1/x of an empty entry gives the subtotal of "1/".
void Calculator::reciprocal()
{
    if (isBlankText(display_.entryText)) {
        dropFormula();
        formula_ = QStringLiteral("1/");
        if (!calculate())
            return;
        recordOnTape(TapeRowKind::Reciprocal);
    } else {
        const QString operand = asOperand(display_.entryText, separator_);
        const std::optional<TapeRowLink> link = entryLink(operand == display_.entryText ? 2 : 3);
        showResult(numra::reciprocal(valueOfEntry()));
        recordOperation(TapeRowKind::Reciprocal, QStringLiteral("1/") + operand, link);
    }
    dropFormula();
    wishEntryFocus();
}

void Calculator::squareRoot()
{
    if (isBlankText(display_.entryText))
        return;
    if (const auto root = squareRootOf(display_.entryText, separator_, state_.arithmetic)) {
        const QString operand = trimBlanks(display_.entryText);
        const std::optional<TapeRowLink> link = entryLink(0);
        setEntry(generalForm(*root, separator_).view());
        markResultShown();
        dropFormula();
        recordOperation(TapeRowKind::SquareRoot, operand, link);
    } else {
        showError(text(TextId::InvalidInputMessage));
    }
    moveCaretToEnd();
    wishEntryFocus();
}

// x^n keeps the base as typed; "=" completes the power.
void Calculator::startPower()
{
    dropFormula();
    powerBaseLink_ = entryLink(0);
    state_.powerBase = display_.entryText;
    state_.inputMode = InputMode::Power;
    setEntry(QString());
    wishEntryFocus();
}

// Ganzzahl ignores text that is no number silently; a number whose integer
// part does not fit into 64 bits is refused with a message.
void Calculator::cutDecimals()
{
    changeRounding(false);
    const IntegerPart part = integerPartOf(trimBlanks(display_.entryText), separator_, state_.arithmetic);
    if (part.status == IntegerPart::Status::NotANumber)
        return;
    if (part.status == IntegerPart::Status::OutOfRange) {
        showError(text(TextId::InvalidInputMessage));
        return;
    }
    const QString operand = trimBlanks(display_.entryText);
    const std::optional<TapeRowLink> link = entryLink(0);
    setEntry(QString::number(part.value));
    markResultShown();
    recordOperation(TapeRowKind::CutDecimals, operand, link);
}

// The box reacts only to a change of its state.
void Calculator::changeRounding(bool checked)
{
    if (checked == display_.roundingChecked)
        return;
    display_.roundingChecked = checked;
    roundingChanged();
}

// Unchecking does not bring back decimals cut off before. The box holds the
// entry as a double, as it always has.
void Calculator::roundingChanged()
{
    if (isBlankText(display_.entryText) || !display_.roundingChecked)
        return;
    Number parsed;
    if (!tryParseNumber(display_.entryText, separator_, state_.arithmetic, parsed))
        return;
    if (parsed.isDecimal()) {
        if (exceedsRange(parsed.decimalValue(), BinaryRange::Double))
            return;
    } else {
        try {
            parsed = Number::binary(fpu::toDouble(parsed.binaryValue()));
        } catch (const ArithmeticError&) {
            return; // beyond the double range: no number for this box
        }
    }
    const AmountFormat& format = state_.amountFormat;
    const bool result = state_.resultShown;
    setEntry(placesForm(parsed, roundedPlaces(format.selector), format.rounding, separator_).text.view());
    state_.resultShown = result;
}

// M+ stores the entry text as it is, a formula included.
void Calculator::memoryIn()
{
    state_.memory = MemoryRegister{MemoryRegister::State::Text, display_.entryText};
    wishEntryFocus();
}

// M- replaces the entry in keypad mode, appends to it otherwise.
void Calculator::memoryOut()
{
    if (state_.memory.state == MemoryRegister::State::Null)
        return;
    putOperand(state_.memory.text);
    wishEntryFocus();
}

void Calculator::memoryClear()
{
    state_.memory = MemoryRegister{MemoryRegister::State::Null, QString()};
    wishEntryFocus();
}

// The two notices are German in both languages.
void Calculator::copyEntry()
{
    if (isBlankText(display_.entryText)) {
        showError(kEntryEmpty);
        return;
    }
    state_.outcome.clipboard = display_.entryText;
    showMessage(MessageKind::Information, kCopied);
}

} // namespace numra
