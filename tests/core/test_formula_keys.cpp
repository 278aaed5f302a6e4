// SPDX-License-Identifier: GPL-3.0-or-later
// Formula building: digits, point, operators, CE, Edit, the memory keys,
// the clipboard key, start-up, the language table and the key table.

#include "core/languagetable.h"
#include "core/pendingline.h"
#include "support/keyscript.h"

#include <gtest/gtest.h>
#include <vector>

using namespace numra;
using namespace numra::testing;

namespace {

class KeySequence : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeySequence, LeavesEntryFormulaAndMessages) { expectKeyCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(FormulaBuilding, KeySequence, ::testing::Values(
    KeyCase{"operator moves the operand into the formula", "1 2 + 5", "5", "12+"},
    KeyCase{"second operator", "1 2 + 5 * 3", "3", "12+5*"},
    KeyCase{"empty entry appends only the operator", "1 2 + +", "", "12++"},
    KeyCase{"no validation of the entry", "1 . .", "1,,", ""},
    KeyCase{"leading zeros stay", "0 0 7", "007", ""},
    KeyCase{"decimal key writes the separator", "2 . 5", "2,5", ""},
    KeyCase{"decimal key where the separator is a point", "2 , 5", "2.5", "", "", u'.'},
    KeyCase{"edit mode shows the whole formula", "Edit text:12 +", "12+", "12+"},
    KeyCase{"edit mode appends the operator to the formula as shown", "Edit text:12 + text:5 *", "12+5*",
            "12+5*"},
    KeyCase{"edit mode takes edits of the shown formula", "Edit text:12 + text:5", "12+5", "12+"},
    KeyCase{"edit mode: = evaluates the shown formula", "Edit text:12 + text:5 * text:2 =", "22", "12+5*2"},
    KeyCase{"CE clears entry and formula", "1 2 + 5 CE", "", ""},
    KeyCase{"digits go to the end in edit mode", "Edit text:1+ 2", "1+2", ""}));

// After a finished calculation a digit or the decimal key starts a new
// number; an operator goes on from the result. A subtotal finishes nothing.
INSTANTIATE_TEST_SUITE_P(NewNumberAfterAResult, KeySequence, ::testing::Values(
    KeyCase{"a digit after =", "1 2 + 3 = 4 5 =", "45", ""},
    KeyCase{"the decimal key after =", "1 2 + 3 = . 5", ",5", ""},
    KeyCase{"an operator goes on from the result", "1 2 + 3 = + 5 =", "20", ""},
    KeyCase{"a digit after a VAT key", "1 0 0 Ust+ 5 + =", "", "5+",
            "MwSt: Netto=100,00 Steuer=19,00 Brutto=119,00 (Umsatzsteuer) | Zwischensumme: 5,00"},
    KeyCase{"a digit after %", "2 0 0 + 1 0 % 5", "5", ""},
    KeyCase{"a digit after the square root", "9 \u221A 4", "4", ""},
    KeyCase{"a digit after x^n's result", "2 x^n 3 = 4", "4", ""},
    KeyCase{"a digit after 1/x", "4 1/x 2", "2", ""},
    KeyCase{"a digit after +/-", "5 +/- 3", "3", ""},
    KeyCase{"a digit after Ganzzahl", "3 . 7 Ganzzahl 2", "2", ""},
    KeyCase{"a digit after Int->Hex", "2 5 5 Int->Hex 1", "1", ""},
    KeyCase{"a digit after Hex->Int, whose result is shown in edit mode", "1 0 Hex->Int 5", "5", ""},
    KeyCase{"a digit after a memory recall keeps the pending formula", "1 2 M+ CE 5 + M- 3 =", "8", ""},
    KeyCase{"a digit after = in edit mode", "Edit text:2*3 = 4", "4", "2*3"},
    KeyCase{"the rounding box leaves a result a result", "1 0 / 3 = Runden 5", "5", ""},
    KeyCase{"a subtotal finishes nothing", "5 + = 3 =", "8", "", "Zwischensumme: 5,00"},
    KeyCase{"a keypad subtotal stays pending", "5 + 3 + =", "", "5+3+", "Zwischensumme: 8,00"},
    KeyCase{"Backspace makes a result a number being typed", "1 2 + 3 = Backspace 6", "16", ""},
    KeyCase{"an error shows no result: the entry goes on", "1 / 0 = 5", "05", "1/0",
            "Fehler: Gleitkommadivision durch Null."}));

// Nothing stays pending that the field does not show.
INSTANTIATE_TEST_SUITE_P(SwitchingModes, KeySequence, ::testing::Values(
    KeyCase{"edit mode shows the pending formula and the entry", "1 2 + 5 Edit", "12+5", ""},
    KeyCase{"edit mode shows the pending formula", "1 2 + Edit", "12+", ""},
    KeyCase{"edit mode shows a result", "1 2 + 3 = Edit", "15", ""},
    KeyCase{"the shown formula is evaluated by =", "1 2 + 5 Edit * text:2 =", "22", "12+5*2"},
    KeyCase{"keypad mode takes a number from the field", "Edit text:42 Edit 5", "425", ""},
    KeyCase{"keypad mode takes a result, which a digit replaces", "Edit text:12+5*2+1 = Edit 1 0 0 0 + 1 0 =",
            "1010", ""},
    KeyCase{"keypad mode drops a formula it cannot show", "Edit text:12+5 Edit", "", ""},
    KeyCase{"keypad mode drops the formula of an operator key", "Edit text:12 + Edit 3 =", "3", ""}));

// Backspace, Delete and Escape: keys of the keyboard without a button.
INSTANTIATE_TEST_SUITE_P(ClearingKeys, KeySequence, ::testing::Values(
    KeyCase{"Backspace removes the last character", "1 2 3 Backspace", "12", ""},
    KeyCase{"Backspace on an empty entry", "1 + Backspace", "", "1+"},
    KeyCase{"Backspace in edit mode", "Edit text:12+3 Backspace", "12+", ""},
    KeyCase{"Delete empties the entry", "1 2 + 3 Delete", "", "12+"},
    KeyCase{"Escape clears like CE", "1 2 + 5 Escape", "", ""},
    KeyCase{"Escape leaves the memory", "4 2 M+ CE 7 Escape M-", "42", ""},
    KeyCase{"Escape closes the subtotal window first", "5 + = 3 Escape", "3", "5+", "Zwischensumme: 5,00"},
    KeyCase{"then clears", "5 + = 3 Escape Escape", "", "", "Zwischensumme: 5,00"}));

INSTANTIATE_TEST_SUITE_P(Memory, KeySequence, ::testing::Values(
    KeyCase{"recall in keypad mode replaces", "1 2 M+ CE 3 M-", "12", ""},
    KeyCase{"recall in edit mode appends text", "1 2 M+ CE Edit text:5+ M-", "5+12", ""},
    KeyCase{"numbers are concatenated in edit mode", "1 2 M+ CE Edit 5 M-", "512", ""},
    KeyCase{"recall after MC does nothing", "1 2 M+ MC 3 M-", "123", ""},
    KeyCase{"recall before any store empties the keypad entry", "5 M-", "", ""},
    KeyCase{"empty memory leaves the edit entry", "Edit 5 M-", "5", ""},
    KeyCase{"a formula is stored as text", "Edit text:1+2 M+ Edit M-", "1+2", ""},
    KeyCase{"recall with x^n pending appends", "1 2 M+ 2 x^n 3 M-", "312", ""}));

INSTANTIATE_TEST_SUITE_P(Clipboard, KeySequence, ::testing::Values(
    KeyCase{"copies the entry", "text:14,88 Kopieren", "14,88", "",
            "Information: Daten kopiert. Einfügen mit STRG+V"},
    KeyCase{"empty entry", "Kopieren", "", "", "Fehler: Ergebnisfeld ist leer!"},
    KeyCase{"blanks only", "text:\t Kopieren", "\t", "", "Fehler: Ergebnisfeld ist leer!"}));

// M+ and M- in edit mode double the entry. Held down, they used to exhaust
// the memory; past kMaxTextLength the key is now refused with a message and
// leaves the state as it was.
TEST(TextLength, KeysThatDoubleATextStopAtTheBound)
{
    struct Growth {
        const char* name;
        const char* start;
        const char* repeated;
    };
    const Growth cases[] = {
        {"memory recall in edit mode", "Edit text:12", "M+ M-"},
    };
    const QString refused = QStringLiteral("Fehler: ") + kTextTooLong;
    for (const Growth& c : cases) {
        CalculatorRig rig;
        rig.keys(QString::fromUtf8(c.start));
        for (int press = 0; press < 40; ++press)
            rig.keys(QString::fromUtf8(c.repeated));
        const Calculator& calculator = rig.calculator;
        EXPECT_LE(calculator.state().formula.size(), kMaxTextLength) << c.name;
        EXPECT_LE(calculator.state().display.entryText.size(), kMaxTextLength) << c.name;
        ASSERT_FALSE(rig.user.transcript.empty()) << c.name;
        EXPECT_EQ(rig.user.transcript.back(), refused) << c.name;

        const QString formula = calculator.state().formula;
        const QString entry = calculator.state().display.entryText;
        rig.keys(QString::fromUtf8(c.repeated));
        EXPECT_EQ(calculator.state().formula, formula) << c.name;
        EXPECT_EQ(calculator.state().display.entryText, entry) << c.name;
    }
}

// What the window's pending-formula line shows: what "=" will compute.
TEST(PendingLine, ShowsTheFormulaKeypadModeKeepsOutOfSight)
{
    const struct {
        const char* keys;
        const char* formula;
    } cases[] = {
        {"1 2 + 5", "12+"},
        {"1 2 + 5 =", ""},
        {"5 + =", "5+"},
        {"2 x^n 3", "2^"},
        {"1 2 + Edit", ""}, // the field shows it
    };
    for (const auto& c : cases) {
        CalculatorRig rig;
        rig.keys(QString::fromUtf8(c.keys));
        const PendingLine line = pendingLine(rig.state(), u',');
        EXPECT_EQ(line.formula, QString::fromUtf8(c.formula)) << c.keys;
        EXPECT_EQ(line.marks, std::vector<QString>{QStringLiteral("USt 19 %")}) << c.keys;
    }
    CalculatorRig rig;
    rig.calculator.setVatRates(VatRates{kReducedVatRate, std::nullopt});
    EXPECT_EQ(pendingLine(rig.state(), u',').marks, std::vector<QString>{QStringLiteral("USt 7 %")});
}

TEST(Startup, IsKeypadModeWithEverythingEmpty)
{
    CalculatorRig rig;
    const Calculator& c = rig.calculator;
    EXPECT_EQ(c.state().inputMode, InputMode::Keypad);
    EXPECT_TRUE(c.state().display.entryReadOnly);
    EXPECT_FALSE(c.state().display.editIndicatorVisible);
    EXPECT_FALSE(c.state().display.roundingChecked);
    EXPECT_EQ(c.state().memory.state, MemoryRegister::State::Empty);
    EXPECT_EQ(c.state().language, Language::German);
    EXPECT_EQ(c.text(TextId::InvalidInputMessage), QStringLiteral("Ungültige Eingabe"));
    EXPECT_EQ(c.state().dataFolder, QStringLiteral("/home/user/.config/morvane/"));
    EXPECT_TRUE(c.state().outcome.focusEntry);
}

TEST(Startup, StartKeepsFormulaMemoryAndReadOnlyState)
{
    CalculatorRig rig;
    rig.keys("1 2 M+ Edit text:7 +");
    rig.calculator.setLanguage(Language::English);
    rig.calculator.start(QStringLiteral("/data/"));
    const Calculator& c = rig.calculator;
    EXPECT_EQ(c.state().formula, QStringLiteral("127+"));
    EXPECT_EQ(c.state().memory.text, QStringLiteral("12"));
    EXPECT_FALSE(c.state().display.entryReadOnly);
    EXPECT_EQ(c.state().inputMode, InputMode::Keypad);
    EXPECT_EQ(c.state().display.entryText, QString());
    EXPECT_FALSE(c.state().display.editIndicatorVisible);
    EXPECT_EQ(c.state().language, Language::German);
    EXPECT_EQ(c.text(TextId::ConvertErrorMessage), QStringLiteral("Konvertierungsfehler!"));
}

TEST(EditKey, DecidesByTheReadOnlyStateNotByTheMode)
{
    CalculatorRig rig;
    Calculator& c = rig.calculator;
    rig.keys("Edit");
    EXPECT_FALSE(c.state().display.entryReadOnly);
    EXPECT_TRUE(c.state().display.editIndicatorVisible);
    EXPECT_EQ(c.state().inputMode, InputMode::Edit);

    // x^n in edit mode, then "=": the field stays editable in keypad mode.
    rig.keys("text:2 x^n text:3 =");
    EXPECT_EQ(c.state().display.entryText, QStringLiteral("8"));
    EXPECT_EQ(c.state().inputMode, InputMode::Keypad);
    EXPECT_FALSE(c.state().display.entryReadOnly);
    EXPECT_TRUE(c.state().display.editIndicatorVisible);

    rig.keys("Edit");
    EXPECT_TRUE(c.state().display.entryReadOnly);
    EXPECT_FALSE(c.state().display.editIndicatorVisible);
    EXPECT_EQ(c.state().inputMode, InputMode::Keypad);
}

TEST(EditKey, EndsAPendingPower)
{
    CalculatorRig rig;
    rig.keys("2 x^n Edit");
    EXPECT_EQ(rig.calculator.state().inputMode, InputMode::Edit);
    EXPECT_EQ(rig.calculator.state().powerBase, QString());
}

TEST(ClearEntry, KeepsPendingPowerAndEditMode)
{
    CalculatorRig rig;
    rig.keys("2 x^n 5 CE");
    EXPECT_EQ(rig.calculator.state().inputMode, InputMode::Power);
    EXPECT_EQ(rig.calculator.state().powerBase, QStringLiteral("2"));
    rig.keys("3 =");
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("8"));
}

TEST(Caret, GoesAfterTheLastCharacterOnKeys)
{
    CalculatorRig rig;
    rig.keys("Edit text:12+3");
    rig.calculator.setCaretPosition(1);
    rig.keys("4");
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("12+34"));
    EXPECT_EQ(rig.calculator.state().display.caret, 5);
    rig.calculator.setEntryText(QStringLiteral("abc"), 7);
    EXPECT_EQ(rig.calculator.state().display.caret, 3);
}

// In keypad mode every key of the keyboard leaves the caret at the end, also
// one that is bound to no key; a click on a key that leaves the text leaves
// the caret where it was.
TEST(Caret, GoesToTheEndAfterEveryKeyOfTheKeyboardInKeypadMode)
{
    CalculatorRig rig;
    rig.keys("1 2 3");
    rig.calculator.setCaretPosition(1);
    EXPECT_EQ(rig.calculator.press(Key::MemoryIn).display.caret, 1);
    EXPECT_EQ(rig.calculator.pressFromKeyboard(Key::MemoryIn).display.caret, 3);
    rig.calculator.setCaretPosition(0);
    EXPECT_EQ(rig.calculator.pressFromKeyboard(std::nullopt).display.caret, 3);
}

TEST(RoundingBox, ReactsOnlyToAChange)
{
    CalculatorRig rig;
    rig.calculator.setRoundingChecked(true);
    rig.calculator.setEntryText(QStringLiteral("3,14159"));
    rig.calculator.setRoundingChecked(true);
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("3,14159"));
}

TEST(LanguageTable, SwitchesTheMessages)
{
    CalculatorRig rig;
    rig.calculator.setLanguage(Language::English);
    EXPECT_EQ(rig.calculator.text(TextId::InvalidInputMessage), QStringLiteral("Invalid input"));
    EXPECT_EQ(rig.calculator.text(TextId::NoCalculationMessage),
              QStringLiteral("No calculation found! Activate edit mode and enter a calculation"));
    EXPECT_EQ(rig.calculator.text(TextId::ConvertErrorMessage), QStringLiteral("Convert error!"));
    rig.calculator.setLanguage(Language::German);
    EXPECT_EQ(rig.calculator.text(TextId::NoCalculationMessage),
              QStringLiteral("Keine Berechnung vorhanden! Aktivieren Sie den Bearbeitungsmodus und "
                             "geben Sie eine Berechnung ein"));
}

TEST(KeyTable, ThirteenHintsFollowTheLanguageTheOthersStayGerman)
{
    auto hint = [](Key key, Language language, int vatRate = kStandardVatRate) {
        return keyHint(keyInfo(key), language, vatRate, u',');
    };
    const std::vector<Key> following = {Key::Point, Key::Multiply, Key::ClearEntry, Key::Edit, Key::Equals,
                                        Key::Percent, Key::SignChange, Key::Reciprocal, Key::SquareRoot,
                                        Key::Power, Key::MemoryIn, Key::MemoryOut, Key::MemoryClear};
    std::vector<Key> switching;
    for (const KeyInfo& info : keyTable())
        if (hint(info.key, Language::German) != hint(info.key, Language::English))
            switching.push_back(info.key);
    EXPECT_EQ(switching, following);
    EXPECT_EQ(hint(Key::Percent, Language::German), u"Prozent [F8]");
    EXPECT_EQ(hint(Key::ClearEntry, Language::German), u"Eingabe löschen [F9]");
    EXPECT_EQ(hint(Key::Percent, Language::English), u"Percent");
    EXPECT_EQ(hint(Key::Divide, Language::English), u"Division") << "'/' keeps its hint";
    EXPECT_TRUE(hint(Key::Digit5, Language::German).isEmpty());
}

// Each VAT key names its own key of the keyboard and the rate it computes with.
TEST(KeyTable, VatHintsNameTheirKeyAndTheChosenRate)
{
    auto hint = [](Key key, int vatRate) { return keyHint(keyInfo(key), Language::English, vatRate, u','); };
    EXPECT_EQ(hint(Key::VatFromNet, kStandardVatRate), u"Umsatzsteuer 19% berechnen [F7]");
    EXPECT_EQ(hint(Key::VatFromGross, kStandardVatRate), u"Umsatzsteuer 19% berechnen [F6]");
    EXPECT_EQ(hint(Key::VatFromNet, kReducedVatRate), u"Umsatzsteuer 7% berechnen [F7]");
    EXPECT_EQ(hint(Key::VatFromGross, 1650), u"Umsatzsteuer 16,5% berechnen [F6]");
    EXPECT_EQ(keyBoundTo(Qt::Key_F6), Key::VatFromGross);
    EXPECT_EQ(keyBoundTo(Qt::Key_F7), Key::VatFromNet);
    EXPECT_EQ(keyBoundTo(Qt::Key_F5), std::nullopt) << "F5 switches the rate; it clicks no key";
}

// A key of the keyboard clicks by the character it types, wherever the
// layout puts it; a key that types none by its name.
TEST(KeyTable, KeysOfTheKeyboardClickByTheirCharacter)
{
    const struct {
        int qtKey;
        std::optional<QChar> typed;
        std::optional<Key> clicked;
    } cases[] = {
        {Qt::Key_Asterisk, u'*', Key::Multiply}, {Qt::Key_Slash, u'/', Key::Divide},
        {Qt::Key_Plus, u'+', Key::Plus},         {Qt::Key_Minus, u'-', Key::Minus},
        {Qt::Key_Percent, u'%', Key::Percent},   {Qt::Key_Equal, u'=', Key::Equals},
        {Qt::Key_Comma, u',', Key::Point},       {Qt::Key_Period, u'.', Key::Point},
        {Qt::Key_7, u'7', Key::Digit7},          {Qt::Key_AsciiCircum, u'^', Key::Power},
        {Qt::Key_Exclam, u'!', std::nullopt},    {Qt::Key_Semicolon, u';', std::nullopt},
        {Qt::Key_Return, std::nullopt, Key::Equals},
        {Qt::Key_Enter, std::nullopt, Key::Equals},
        {Qt::Key_Dead_Circumflex, std::nullopt, Key::Power},
        {Qt::Key_F8, std::nullopt, Key::Percent},
        {Qt::Key_F9, std::nullopt, Key::ClearEntry},
        {Qt::Key_7, std::nullopt, std::nullopt}, // a key that types no character clicks by name only
    };
    for (const auto& c : cases)
        EXPECT_EQ(keyBoundTo(c.qtKey, c.typed), c.clicked) << c.qtKey;
    EXPECT_EQ(clearingKeyByName(u"Backspace"), ClearingKey::Backspace);
    EXPECT_EQ(clearingKeyByName(u"Escape"), ClearingKey::Escape);
    EXPECT_EQ(clearingKeyByName(u"Delete"), ClearingKey::Delete);
    EXPECT_EQ(clearingKeyByName(u"CE"), std::nullopt);
}

TEST(KeyTable, FindsEveryKeyByItsCaption)
{
    for (const KeyInfo& info : keyTable())
        EXPECT_EQ(keyByCaption(info.caption), info.key) << info.caption.toString().toStdString();
    EXPECT_EQ(keyByCaption(u"\u221A"), Key::SquareRoot);
    EXPECT_EQ(keyByCaption(u","), Key::Point);
    EXPECT_EQ(shownCaption(keyInfo(Key::Point), u','), QStringLiteral(","));
    EXPECT_EQ(shownCaption(keyInfo(Key::Point), u'.'), QStringLiteral("."));
    EXPECT_EQ(shownCaption(keyInfo(Key::Digit7), u','), QStringLiteral("7"));
    EXPECT_FALSE(keyByCaption(u"Runden").has_value());
}

} // namespace

namespace {

// Long random sessions: every key in every state either works or fails with
// an Error, and the state stays consistent.
TEST(RandomSessions, KeepTheStateConsistent)
{
    const auto keys = keyTable();
    const QString typed[] = {QStringLiteral("12,5"), QStringLiteral("ff"), QStringLiteral("1+"),
                             QStringLiteral("(2"), QStringLiteral("-0,5"), QStringLiteral("2^"),
                             QStringLiteral("1E39"), QStringLiteral(" "), QStringLiteral("x")};
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t n) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % n;
    };
    for (char16_t separator : {u',', u'.'}) {
        CalculatorRig rig(separator);
        rig.user.vatChoices.assign(200, VatField::Tax);
        Calculator& c = rig.calculator;
        for (int step = 0; step < 20000; ++step) {
            const std::uint32_t action = next(keys.size() + 3);
            if (action < keys.size())
                rig.user.take(c.press(keys[action].key));
            else if (action == keys.size())
                c.setEntryText(c.state().display.entryText.right(20) + typed[next(std::size(typed))]);
            else if (action == keys.size() + 1)
                rig.user.take(c.setRoundingChecked(!c.state().display.roundingChecked));
            else
                c.setCaretPosition(int(next(40)));
            ASSERT_GE(c.state().display.caret, 0) << step;
            ASSERT_LE(c.state().display.caret, c.state().display.entryText.size()) << step;
            ASSERT_EQ(c.state().display.editIndicatorVisible, !c.state().display.entryReadOnly) << step;
            ASSERT_TRUE(c.state().inputMode != InputMode::Edit || !c.state().display.entryReadOnly) << step;
            ASSERT_FALSE(c.state().vat.has_value()) << step;
            if (c.state().formula.size() > 200)
                c.press(Key::ClearEntry); // keep the formulas short
        }
    }
}

} // namespace
