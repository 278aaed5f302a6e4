// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calculator.h"

#include "core/rowcalculator.h"
#include "eval/textcopy.h"

#include <algorithm>

namespace numra {

Calculator::Calculator(QChar decimalSeparator)
    : separator_(decimalSeparator), interpreter_(ValueContext{decimalSeparator}), tape_(decimalSeparator)
{
}

Calculator::~Calculator() = default;

// What a command did once starts empty; so does the selection, which only
// marks an error until the next command.
void Calculator::beginCommand()
{
    Outcome& outcome = state_.outcome;
    outcome.messages.clear();
    outcome.subtotalShown = false;
    outcome.vatCalculated = false;
    outcome.clipboard.reset();
    outcome.focusEntry = false;
    outcome.result.reset();
    outcome.tapeRow.reset();
    outcome.notice.clear();
    roundingAtStart_ = display_.roundingChecked;
    display_.selection = {};
    state_.formulaError.reset();
}

void Calculator::reportError(const std::exception& error)
{
    showError(errorBoxTextOf(error, state_.language));
}

void Calculator::reportFailure()
{
    const Status failure = std::exchange(failure_, Status());
    reportError(failure.error());
}

void Calculator::showMessage(MessageKind kind, const QString& text)
{
    state_.outcome.messages.push_back({kind, text});
}

// The platform steps of start-up (warning beep, NumLock) are the window's.
const CalculatorState& Calculator::start(const QString& dataFolder)
{
    return run([&] {
        state_.language = Language::German;
        state_.inputMode = InputMode::Keypad;
        state_.lastWasSubtotal = false;
        state_.powerBase.clear();
        setEntry(QString());
        display_.editIndicatorVisible = false;
        wishEntryFocus();
        state_.dataFolder = dataFolder;
    });
}

const CalculatorState& Calculator::press(Key key)
{
    return run([&] { pressKey(key); });
}

// The caret goes to the end also when the key failed.
const CalculatorState& Calculator::pressFromKeyboard(std::optional<Key> key)
{
    run([&] {
        if (key)
            pressKey(*key);
    });
    if (display_.selection.length == 0)
        moveCaretToEnd();
    return state_;
}

void Calculator::pressKey(Key key)
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
    case Key::VatFromNet: vatKey(true); break;
    case Key::VatFromGross: vatKey(false); break;
    case Key::Clipboard: copyEntry(); break;
    default: break; // digits and the decimal key are handled above
    }
}

const CalculatorState& Calculator::pressClearingKey(ClearingKey key)
{
    return run([&] { clearingKey(key); });
}

const CalculatorState& Calculator::setRoundingChecked(bool checked)
{
    return run([&] { changeRounding(checked); });
}

const CalculatorState& Calculator::setEntryText(QStringView text, int caret)
{
    return run([&] { setEntry(text, caret); });
}

const CalculatorState& Calculator::setCaretPosition(int caret)
{
    return run([&] { display_.caret = std::clamp(caret, 0, int(display_.entryText.size())); });
}

const CalculatorState& Calculator::appendToEntry(QStringView text)
{
    return run([&] {
        appendToEntryText(text);
        wishEntryFocus();
    });
}

const CalculatorState& Calculator::setLanguage(Language language)
{
    return run([&] { state_.language = language; });
}

const CalculatorState& Calculator::setArithmetic(Arithmetic arithmetic)
{
    return run([&] {
        state_.arithmetic = arithmetic;
        tape_.setArithmetic(arithmetic);
    });
}

const CalculatorState& Calculator::closeSubtotalWindow()
{
    return run([&] { state_.subtotal.open = false; });
}

// A result shown in the entry stays one to go on from while the entry
// starts with it.
void Calculator::setEntry(QStringView text, int caret)
{
    state_.resultShown = false;
    operandKeyed_ = false;
    if (resultInEntry_ && !text.startsWith(resultInEntry_->text))
        resultInEntry_.reset();
    copyInto(display_.entryText, text);
    display_.caret = std::clamp(caret < 0 ? int(display_.entryText.size()) : caret, 0, int(display_.entryText.size()));
}

void Calculator::ensureRoomFor(qsizetype length) const
{
    if (length > kMaxTextLength)
        throw Error(kTextTooLong);
}

// A value put in place of the entry is taken whole: a digit typed next
// replaces it too.
void Calculator::putOperand(const QString& text)
{
    if (state_.inputMode == InputMode::Keypad) {
        setEntry(text);
        markResultShown();
    } else {
        appendToEntryText(text);
    }
}

void Calculator::appendToEntryText(QStringView text)
{
    ensureRoomFor(display_.entryText.size() + text.size());
    state_.resultShown = false;
    operandKeyed_ = false;
    display_.entryText += text;
    moveCaretToEnd();
}

void Calculator::moveCaretToEnd() { display_.caret = int(display_.entryText.size()); }

} // namespace numra
