// SPDX-License-Identifier: GPL-3.0-or-later
// The keys that act on the value in the entry field: %, +/-, 1/x, square
// root, x^n, Ganzzahl, the rounding check box, memory and clipboard.

#include "core/calculator.h"

#include "core/entrymath.h"
#include "eval/fpu.h"
#include "eval/numbertext.h"

namespace numra {

namespace {

const QString kCopied = QStringLiteral("Daten kopiert. Einfügen mit STRG+V");
const QString kEntryEmpty = QStringLiteral("Ergebnisfeld ist leer!");

// The entry as one operand: a formula typed in edit mode is put in
// parentheses, so that +/- and 1/x act on all of it ("1+2" gives -3 and
// 0,333333333333333, not 1+2*-1 and 1/1+2).
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
    calculate();
    recordOnTape(TapeRowKind::Percent);
    formula_.clear();
    focusEntry();
}

// +/- replaces whatever was pending.
void Calculator::signChange()
{
    if (!isBlankText(display_.entryText)) {
        formula_ = asOperand(display_.entryText, separator_) + QStringLiteral("*-1");
        calculate();
        recordOnTape(TapeRowKind::SignChange);
        formula_.clear();
    }
    moveCaretToEnd();
    focusEntry();
}

// 1/x of an empty entry gives the subtotal of "1/".
void Calculator::reciprocal()
{
    formula_ = QStringLiteral("1/");
    if (!isBlankText(display_.entryText))
        formula_ += asOperand(display_.entryText, separator_);
    calculate();
    recordOnTape(TapeRowKind::Reciprocal);
    formula_.clear();
    focusEntry();
}

void Calculator::squareRoot()
{
    if (isBlankText(display_.entryText))
        return;
    if (const auto root = squareRootOf(display_.entryText, separator_)) {
        const QString operand = trimBlanks(display_.entryText);
        setEntryText(formatGeneral(*root, separator_));
        formula_.clear();
        recordOperation(TapeRowKind::SquareRoot, operand);
    } else {
        showError(text(TextId::InvalidInputMessage));
    }
    moveCaretToEnd();
    focusEntry();
}

// x^n keeps the base as typed; "=" completes the power.
void Calculator::startPower()
{
    formula_.clear();
    powerBase_ = display_.entryText;
    inputMode_ = InputMode::Power;
    setEntryText(QString());
    focusEntry();
}

// Ganzzahl ignores text that is no number silently; a number whose integer
// part does not fit into 64 bits is refused with a message.
void Calculator::cutDecimals()
{
    setRoundingChecked(false);
    const IntegerPart part = integerPartOf(trimBlanks(display_.entryText), separator_);
    if (part.status == IntegerPart::Status::NotANumber)
        return;
    if (part.status == IntegerPart::Status::OutOfRange) {
        showError(text(TextId::InvalidInputMessage));
        return;
    }
    const QString operand = trimBlanks(display_.entryText);
    setEntryText(QString::number(part.value));
    recordOperation(TapeRowKind::CutDecimals, operand);
}

// Runs only when the box changes. Unchecking does not bring back decimals
// cut off before.
void Calculator::roundingChanged()
{
    if (isBlankText(display_.entryText) || !display_.roundingChecked)
        return;
    long double parsed = 0;
    if (!tryParseNumber(display_.entryText, separator_, parsed))
        return;
    double value = 0;
    try {
        value = fpu::toDouble(parsed);
    } catch (const ArithmeticError&) {
        return; // beyond the double range: no number for this box
    }
    setEntryText(formatTwoDecimals(value, separator_));
}

// M+ stores the entry text as it is, a formula included.
void Calculator::memoryIn()
{
    memory_ = MemoryRegister{MemoryRegister::State::Text, display_.entryText};
    focusEntry();
}

// M- replaces the entry in keypad mode, appends to it otherwise.
void Calculator::memoryOut()
{
    if (memory_.state == MemoryRegister::State::Null)
        return;
    putOperand(memory_.text);
    focusEntry();
}

void Calculator::memoryClear()
{
    memory_ = MemoryRegister{MemoryRegister::State::Null, QString()};
    focusEntry();
}

// The two notices are German in both languages.
void Calculator::copyEntry()
{
    if (isBlankText(display_.entryText)) {
        showError(kEntryEmpty);
        return;
    }
    ui_.copyToClipboard(display_.entryText);
    ui_.showMessage(MessageKind::Information, kCopied);
}

} // namespace numra
