// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator core driven by key presses decoded from the bytes, with the
// fake user of the tests answering its windows. Each byte picks a key, a "text:" insertion, the
// rounding check box, an edit of the entry field, a change of language and
// VAT rate, or "Genau rechnen (dezimal)" switched on or off.
// After every step the state must be one the calculator can be in, every
// message has a text, a VAT window's amounts add up in cents, and a key that
// fails adds no row to the tape.

#include "fuzzcheck.h"
#include "support/fakeuser.h"

#include "core/calculator.h"

#include <QRegularExpression>
#include <array>

using namespace numra;
using namespace numra::fuzz;

namespace {

// What a byte stands for, by range: below kTextByte a key (byte modulo the
// number of keys), then typed text, the rounding check box, an edit of the
// entry field, a change of language and rate, "=", a change of arithmetic,
// and keys again.
constexpr std::uint8_t kTextByte = 64;
constexpr std::uint8_t kRoundingByte = 88;
constexpr std::uint8_t kEditByte = 96;
constexpr std::uint8_t kLanguageByte = 104;
constexpr std::uint8_t kEqualsByte = 108;
constexpr std::uint8_t kArithmeticByte = 116;
constexpr std::uint8_t kMoreKeysByte = 120;

// Typed text is mostly formula material; bytes from 0xC0 on stand for
// themselves (Latin-1 letters such as "ä").
constexpr std::string_view kAlphabet = "0123456789+-*/()., ^'$#{}<>=:;[]\r\n\tabcdefxEnotdivmodbeginend%";

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool atEnd() const { return position_ >= size_; }
    std::uint8_t next() { return atEnd() ? 0 : data_[position_++]; }

    QString text()
    {
        const int length = next() % 16;
        QString text;
        for (int i = 0; i < length && !atEnd(); ++i) {
            const std::uint8_t b = next();
            text += b >= 0xC0 ? QChar(char16_t(b)) : QChar(kAlphabet[b % kAlphabet.size()]);
        }
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// The calculator together with what the harness knows about its history.
struct Rig {
    Calculator calculator{u','};
    testing::FakeUser user{calculator};
    // x^n was pressed while the entry field was editable, and the field has
    // stayed editable since: only then is it editable outside edit mode.
    bool powerWhileEditable = false;
};

void checkState(const Rig& rig)
{
    const Calculator& c = rig.calculator;
    const int mode = int(c.state().inputMode);
    require(mode >= int(InputMode::Keypad) && mode <= int(InputMode::Power));
    require(c.state().display.entryReadOnly != c.state().display.editIndicatorVisible);
    if (c.state().inputMode == InputMode::Edit)
        require(!c.state().display.entryReadOnly);
    if (!c.state().display.entryReadOnly && c.state().inputMode != InputMode::Edit)
        require(rig.powerWhileEditable);
    if (c.state().inputMode != InputMode::Power)
        require(c.state().powerBase.isEmpty());
    require(c.state().display.caret >= 0 && c.state().display.caret <= c.state().display.entryText.size());
    require(c.tape().size() <= kMaxTapeRows && c.tape().itemCount() <= c.tape().size());
    for (const Message& message : rig.user.messages)
        require(!message.text.isEmpty());
    require(!c.state().vat && c.state().question.kind == Question::Kind::None);
}

// The state a key was pressed in.
struct Before {
    QString entry;
    QString formula;
    InputMode mode;
    bool resultShown;
    bool readOnly;
};

// What a key must have done when it returned without an error.
void checkKeyEffect(Key key, const Calculator& c, const Before& before)
{
    const QString& entryBefore = before.entry;
    const QString& formulaBefore = before.formula;
    const InputMode modeBefore = before.mode;
    if (const auto character = keyCharacter(key, c.decimalSeparator())) {
        // After a result a digit starts a new number.
        require(c.state().display.entryText == (before.resultShown ? QString() : entryBefore) + *character);
        return;
    }
    switch (key) {
    case Key::Plus:
    case Key::Minus:
    case Key::Multiply:
    case Key::Divide: {
        // In edit mode the entry shows the whole pending formula.
        const QString before = modeBefore == InputMode::Edit ? entryBefore : formulaBefore + entryBefore;
        require(c.state().formula == before + keyInfo(key).caption.toString());
        require(c.state().display.entryText == (c.state().inputMode == InputMode::Edit ? c.state().formula : QString()));
        break;
    }
    case Key::ClearEntry:
        require(c.state().display.entryText.isEmpty() && c.state().formula.isEmpty());
        break;
    case Key::Edit:
        // Nothing stays pending out of sight: entering shows it in the field,
        // leaving keeps a number.
        require(c.state().formula.isEmpty());
        if (before.readOnly)
            require(c.state().display.entryText
                    == (modeBefore == InputMode::Keypad ? formulaBefore + entryBefore : entryBefore));
        else
            require(c.state().display.entryText == entryBefore || c.state().display.entryText.isEmpty());
        break;
    case Key::Equals:
        // A subtotal finishes nothing.
        if (modeBefore == InputMode::Keypad && !c.state().lastWasSubtotal)
            require(c.state().formula.isEmpty());
        break;
    case Key::Percent:
    case Key::Reciprocal:
        require(c.state().formula.isEmpty());
        break;
    case Key::Power:
        require(c.state().inputMode == InputMode::Power && c.state().powerBase == entryBefore && c.state().display.entryText.isEmpty());
        break;
    case Key::MemoryClear:
        require(c.state().memory.state == MemoryRegister::State::Null);
        break;
    case Key::MemoryIn:
        require(c.state().memory.state == MemoryRegister::State::Text && c.state().memory.text == entryBefore);
        break;
    default:
        break;
    }
}

// A VAT amount as the window shows it, "-1234,56", in cents.
std::int64_t centsOf(const QString& amount)
{
    static const QRegularExpression form(QStringLiteral("^-?[0-9]+,[0-9][0-9]$"));
    require(form.match(amount).hasMatch());
    QString digits = amount;
    digits.remove(u',');
    bool ok = false;
    const std::int64_t cents = digits.toLongLong(&ok);
    require(ok);
    return cents;
}

// The VAT window's three amounts add up in cents, and the entry shows the
// result amount.
void checkVatWindow(const VatCalculation& window, Key key, const Calculator& c)
{
    const VatAmounts& a = window.amounts;
    require(centsOf(a.net) + centsOf(a.tax) == centsOf(a.gross));
    require(c.state().display.entryText == (key == Key::VatFromNet ? a.gross : a.net));
}

void pressKey(Rig& rig, Key key, Reader& in)
{
    Calculator& c = rig.calculator;
    if (key == Key::VatFromNet || key == Key::VatFromGross)
        rig.user.vatChoices.push_back(VatField(int(in.next() % 4) - 1));
    const Before before{c.state().display.entryText, c.state().formula, c.state().inputMode, c.state().resultShown,
                        c.state().display.entryReadOnly};
    const bool wasEditable = !c.state().display.entryReadOnly;
    const std::size_t vatWindowsBefore = rig.user.vatWindows.size();
    const quint64 tapeBefore = c.tape().revision();
    const bool failed = testing::errorShown(c.press(key).outcome);
    if (!failed)
        checkKeyEffect(key, c, before);
    if (failed)
        require(c.tape().revision() == tapeBefore); // errors add no row to the tape
    rig.user.take(c.state());
    if (rig.user.vatWindows.size() > vatWindowsBefore)
        checkVatWindow(rig.user.vatWindows.back(), key, c);
    if (key == Key::Power && wasEditable)
        rig.powerWhileEditable = true;
}

void step(Rig& rig, Reader& in)
{
    Calculator& c = rig.calculator;
    const bool wasReadOnly = c.state().display.entryReadOnly;
    const std::uint8_t b = in.next();
    if (b < kTextByte) {
        pressKey(rig, Key(b % keyCount), in);
    } else if (b < kRoundingByte) {
        c.setEntryText(c.state().display.entryText + in.text()); // "text:"
    } else if (b < kEditByte) {
        rig.user.take(c.setRoundingChecked(!c.state().display.roundingChecked));
    } else if (b < kLanguageByte) {
        // The user edits the field: replaces it, cuts its end, moves the
        // caret, or presses Backspace, Delete or Escape.
        switch (in.next() % 4) {
        case 0: c.setEntryText(in.text()); break;
        case 1: c.setEntryText(c.state().display.entryText.left(c.state().display.entryText.size() / 2)); break;
        case 2: c.setCaretPosition(int(in.next()) - 8); break;
        default: rig.user.take(c.pressClearingKey(ClearingKey(in.next() % 3))); break;
        }
    } else if (b < kEqualsByte) {
        // Besides the language a rate up to 99,06 %, or the rate as it is.
        const std::uint8_t choice = in.next();
        c.setLanguage(choice % 2 == 0 ? Language::German : Language::English);
        if (const int rate = choice / 2 * 78; rate > 0)
            require(c.setVatRates(withOwnRate(c.state().vatRates, rate)).vatRates.chosen == rate);
    } else if (b < kArithmeticByte) {
        pressKey(rig, Key::Equals, in);
    } else if (b < kMoreKeysByte) {
        const bool exact = c.state().arithmetic == Arithmetic::Binary;
        require(c.setArithmetic(exact ? Arithmetic::Decimal : Arithmetic::Binary).arithmetic
                == (exact ? Arithmetic::Decimal : Arithmetic::Binary));
    } else {
        pressKey(rig, Key(b % keyCount), in);
    }
    if (wasReadOnly && !c.state().display.entryReadOnly)
        rig.powerWhileEditable = false;
    checkState(rig);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Rig rig;
    rig.calculator.start(QStringLiteral("/tmp/morvane/"));
    checkState(rig);
    Reader in(data, size);
    while (!in.atEnd())
        step(rig, in);
    return 0;
}
