// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calculator.h"

#include "eval/textcopy.h"

#include <algorithm>

namespace numra {

Calculator::Calculator(CalculatorUi& ui, QChar decimalSeparator)
    : ui_(ui), separator_(decimalSeparator), interpreter_(ValueContext{decimalSeparator}), tape_(decimalSeparator)
{
}

// The platform steps of start-up (warning beep, NumLock) are the window's.
void Calculator::start(const QString& dataFolder)
{
    language_ = Language::German;
    inputMode_ = InputMode::Keypad;
    subtotalShown_ = false;
    powerBase_.clear();
    setEntryText(QString());
    display_.editIndicatorVisible = false;
    focusEntry();
    dataFolder_ = dataFolder;
}

void Calculator::press(Key key)
{
    if (const auto c = keyCharacter(key, separator_)) {
        appendCharacter(*c);
        return;
    }
    switch (key) {
    case Key::Plus: operatorKey(u'+'); break;
    case Key::Minus: operatorKey(u'-'); break;
    case Key::Multiply: operatorKey(u'*'); break;
    case Key::Divide: operatorKey(u'/'); break;
    case Key::ClearEntry: clearEntry(); break;
    case Key::Edit: toggleEditMode(); break;
    case Key::Equals: equals(); break;
    case Key::Percent: percent(); break;
    case Key::SignChange: signChange(); break;
    case Key::Reciprocal: reciprocal(); break;
    case Key::SquareRoot: squareRoot(); break;
    case Key::Power: startPower(); break;
    case Key::CutDecimals: cutDecimals(); break;
    case Key::MemoryIn: memoryIn(); break;
    case Key::MemoryOut: memoryOut(); break;
    case Key::MemoryClear: memoryClear(); break;
    case Key::HexToInt: hexToIntKey(); break;
    case Key::IntToHex: intToHexKey(); break;
    case Key::VatFromNet: vatKey(VatDirection::FromNet); break;
    case Key::VatFromGross: vatKey(VatDirection::FromGross); break;
    case Key::Clipboard: copyEntry(); break;
    default: break; // digits and the decimal key are handled above
    }
}

void Calculator::setRoundingChecked(bool checked)
{
    if (checked == display_.roundingChecked)
        return;
    display_.roundingChecked = checked;
    roundingChanged();
}

void Calculator::setEntryText(QStringView text, int caret)
{
    copyInto(display_.entryText, text);
    setCaretPosition(caret < 0 ? int(display_.entryText.size()) : caret);
}

void Calculator::setCaretPosition(int caret)
{
    display_.caret = std::clamp(caret, 0, int(display_.entryText.size()));
}

void Calculator::setLanguage(Language language)
{
    language_ = language;
}

void Calculator::ensureRoomFor(qsizetype length) const
{
    if (length > kMaxTextLength)
        throw Error(kTextTooLong);
}

void Calculator::putOperand(const QString& text)
{
    if (inputMode_ == InputMode::Keypad) {
        setEntryText(text);
    } else {
        appendToEntryText(text);
    }
}

void Calculator::appendToEntryText(QStringView text)
{
    ensureRoomFor(display_.entryText.size() + text.size());
    display_.entryText += text;
    moveCaretToEnd();
}

void Calculator::moveCaretToEnd() { display_.caret = int(display_.entryText.size()); }

void Calculator::focusEntry() { ui_.focusEntry(); }

void Calculator::showError(const QString& message)
{
    ui_.showMessage(MessageKind::Error, message);
}

} // namespace numra
