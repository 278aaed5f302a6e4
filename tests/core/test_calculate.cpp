// SPDX-License-Identifier: GPL-3.0-or-later
// "=" and Calculate: both evaluators, subtotals, number forms, and the state
// left behind by errors.

#include "support/keyscript.h"

#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

class Calculate : public ::testing::TestWithParam<KeyCase> {};

TEST_P(Calculate, LeavesEntryFormulaAndWindows) { expectKeyCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Keypad, Calculate, ::testing::Values(
    KeyCase{"precedence", "1 2 + 5 * 2 =", "22", ""},
    KeyCase{"decimal key", "1 . 5 + 1 =", "2,5", ""},
    KeyCase{"decimal key by its other name", "1 , 5 + 1 =", "2,5", ""},
    KeyCase{"trailing operator is a subtotal, which stays pending", "5 + =", "", "5+", "Zwischensumme: 5,00"},
    KeyCase{"= after a result", "1 2 + 5 = =", "17", ""},
    KeyCase{"nothing pending, nothing typed", "=", "", ""},
    KeyCase{"point separator", "1 . 5 + 1 =", "2.5", "", "", u'.'}));

INSTANTIATE_TEST_SUITE_P(EditMode, Calculate, ::testing::Values(
    KeyCase{"the formula keeps its comma", "Edit text:2,5*2 =", "5", "2,5*2"},
    KeyCase{"subtotal keeps entry and formula", "Edit text:5+ =", "5+", "5+", "Zwischensumme: 5,00"},
    KeyCase{"subtotal then the rest", "Edit text:5+ = text:3 =", "8", "5+3", "Zwischensumme: 5,00"},
    KeyCase{"subtotal has two decimals", "Edit text:1/3+ =", "1/3+", "1/3+", "Zwischensumme: 0,33"},
    KeyCase{"closing parenthesis ends a formula", "Edit text:3*(1+2) =", "9", "3*(1+2)"},
    KeyCase{"one third", "Edit text:1/3 =", "0,333333333333333", "1/3"},
    KeyCase{"two thirds", "Edit text:2/3 =", "0,666666666666667", "2/3"},
    KeyCase{"double sum", "Edit text:0.1+0.2 =", "0,3", "0.1+0.2"},
    // "+" and "-" are one level, taken from the left: 0,1+(0,2-0,3) would
    // show 2,77555756156289E-17.
    KeyCase{"sum and difference from the left", "Edit text:0,1+0,2-0,3 =", "5,55111512312578E-17", "0,1+0,2-0,3"},
    KeyCase{"div of a whole real at the top of the integer range", "Edit text:2147483647,0\tdiv\t2 =", "1073741823",
            "2147483647,0\tdiv\t2"},
    KeyCase{"small scientific", "Edit text:1/100000 =", "1E-5", "1/100000"},
    KeyCase{"small fixed", "Edit text:1/10000 =", "0,0001", "1/10000"},
    KeyCase{"Boolean true is -1", "Edit text:1<2 =", "-1", "1<2"},
    KeyCase{"power branch", "Edit text:10^15 =", "1E15", "10^15"},
    KeyCase{"power branch with comma", "Edit text:2,5^2 =", "6,25", "2,5^2"},
    KeyCase{"point separator", "Edit text:1/3 =", "0.333333333333333", "1/3", "", u'.'},
    KeyCase{"comma under point separator", "Edit text:2,5*2 =", "5", "2,5*2", "", u'.'}));

INSTANTIATE_TEST_SUITE_P(Rounding, Calculate, ::testing::Values(
    KeyCase{"eighth", "Runden Edit text:1/8 =", "0,13", "1/8"},
    KeyCase{"negative eighth", "Runden Edit text:-1/8 =", "-0,13", "-1/8"},
    KeyCase{"the shown half rounds up", "Runden Edit text:2.675*1 =", "2,68", "2.675*1"},
    KeyCase{"1,005", "Runden Edit text:1.005*1 =", "1,01", "1.005*1"},
    KeyCase{"no sign on zero", "Runden Edit text:-1/1000 =", "0,00", "-1/1000"},
    KeyCase{"power branch too", "Runden Edit text:2^0.5 =", "1,41", "2^0.5"},
    KeyCase{"subtotal unaffected", "Runden Edit text:1/3+ =", "1/3+", "1/3+", "Zwischensumme: 0,33"},
    KeyCase{"subtotals round the shown digits", "Edit text:2,675+ =", "2,675+", "2,675+", "Zwischensumme: 2,68"}));

// A "%" directly after a number means what the "%" key means; it is no
// subtotal. Other texts with "%" are subtotals as before.
INSTANTIATE_TEST_SUITE_P(TypedPercent, Calculate, ::testing::Values(
    KeyCase{"share of the sum", "Edit text:100+10% =", "110", "100+10%"},
    KeyCase{"off the sum", "Edit text:200-10% =", "180", "200-10%"},
    KeyCase{"off the whole sum before", "Edit text:100+50-10% =", "135", "100+50-10%"},
    KeyCase{"share of the whole sum before", "Edit text:1+2+10% =", "3,3", "1+2+10%"},
    KeyCase{"of a product", "Edit text:200*10% =", "20", "200*10%"},
    KeyCase{"as divisor", "Edit text:200/10% =", "2000", "200/10%"},
    KeyCase{"alone", "Edit text:50% =", "0,5", "50%"},
    KeyCase{"inside a group", "Edit text:(100+10%)*2 =", "220", "(100+10%)*2"},
    KeyCase{"with decimals", "Edit text:100+12,5% =", "112,5", "100+12,5%"},
    KeyCase{"in a power formula", "Edit text:2^2+10% =", "4,4", "2^2+10%"},
    KeyCase{"not after a number: subtotal", "Edit text:(100+10)% =", "(100+10)%", "(100+10)%",
            "Zwischensumme: 110,00"},
    KeyCase{"after a tab: subtotal", "Edit text:100+10\t% =", "100+10\t%", "100+10\t%",
            "Zwischensumme: 110,00"}));

// The pending formula stays as the user built it, also when it fails: the
// evaluators work on a copy. In keypad mode the failed formula stays pending
// and "=" appends the entry again, until CE.
INSTANTIATE_TEST_SUITE_P(Errors, Calculate, ::testing::Values(
    KeyCase{"keypad failure keeps the failed formula", "1 / 0 =", "0", "1/0",
            "Fehler: Gleitkommadivision durch Null."},
    KeyCase{"CE after a failure starts anew", "1 / 0 = CE 2 =", "2", "",
            "Fehler: Gleitkommadivision durch Null."},
    KeyCase{"a failed subtotal keeps its formula as typed", "Edit text:1,5/0+ =", "1,5/0+", "1,5/0+",
            "Fehler: Gleitkommadivision durch Null."},
    KeyCase{"a failed power formula keeps its formula as typed", "Edit text:2,5^ =", "2,5^", "2,5^",
            "Fehler: Syntaxfehler im Ausdruck."},
    KeyCase{"a failed keypad subtotal keeps its operator", "1 / 0 + =", "", "1/0+",
            "Fehler: Gleitkommadivision durch Null."},
    KeyCase{"a result after a failure", "Edit text:1/0 = CE text:2,5*2 =", "5", "2,5*2",
            "Fehler: Gleitkommadivision durch Null."}));

TEST(Calculate, BlankFormulaDoesNothing)
{
    CalculatorRig rig;
    rig.keys("Edit");
    rig.calculator.setEntryText(QStringLiteral(" \t "));
    rig.keys("=");
    EXPECT_EQ(rig.state().display.entryText, QStringLiteral(" \t "));
    EXPECT_EQ(rig.transcript(), QString());
    EXPECT_EQ(rig.state().subtotal.caption, QString()) << "no evaluation, so no caption either";
}

TEST(Calculate, LoadedTextWithLineBreakIsASubtotal)
{
    CalculatorRig rig;
    rig.keys("Edit");
    rig.calculator.setEntryText(QStringLiteral("12+5\r\n"));
    rig.keys("=");
    EXPECT_EQ(rig.transcript(), QStringLiteral("Zwischensumme: 17,00"));
    EXPECT_EQ(rig.state().display.entryText, QStringLiteral("12+5\r\n"));
    EXPECT_TRUE(rig.state().lastWasSubtotal);
    EXPECT_TRUE(rig.state().subtotal.open);
}

TEST(Calculate, CaptionIsSetForEveryScriptFormulaInTheLanguage)
{
    CalculatorRig rig;
    rig.keys("Edit text:2^2 =");
    EXPECT_EQ(rig.state().subtotal.caption, QString()) << "the power branch leaves the formula window alone";
    rig.keys("CE text:1+1 =");
    EXPECT_EQ(rig.state().subtotal.caption, QStringLiteral("Zwischensumme"));
    rig.calculator.setLanguage(Language::English);
    rig.keys("CE text:1+ =");
    EXPECT_EQ(rig.user.subtotals.back(), QStringLiteral("1,00"));
    EXPECT_EQ(rig.state().subtotal.caption, QStringLiteral("Subtotal"));
    EXPECT_EQ(rig.transcript(), QStringLiteral("Subtotal: 1,00"));
}

// An evaluator's error names the place of the formula it belongs to; in edit
// mode the entry field, which shows the formula, selects it, and the next key
// leaves no selection behind.
TEST(ErrorPlace, IsSelectedInTheEntryInEditMode)
{
    const struct {
        const char* keys;
        const char* message;
        const char* selected; // the selected text, or "|" and the caret where nothing is
    } cases[] = {
        {"text:12+*3 =", "Fehler: Ausdruck erwartet, aber '*' gefunden.", "*"},
        {"text:1/0 =", "Fehler: Gleitkommadivision durch Null.", "/"},
        {"text:2*x+1 =", "Fehler: Unbekannter Bezeichner 'x'", "x"},
        {"text:2\t3 =", "Fehler: Operator oder Semikolon fehlt.", "3"},
        {"text:'a'*2 =", "Fehler: Typkonflikt.", "*"},
        {"text:2*(3+4 =", "Fehler: ')' erwartet, aber Ende der Formel gefunden.", "|6"},
        {"text:2^3abc =", "Fehler: Syntaxfehler im Ausdruck.", "a"},
        {"text:2*-8^0,5 =", "Fehler: Ungültige Gleitkommaoperation.", "^"},
        {"text:2^(3 =", "Fehler: ')' fehlt im Ausdruck.", "|4"},
        {"text:1+2*3-1/0+ =", "Fehler: Gleitkommadivision durch Null.", "/"},
        {"text:200+x %", "Fehler: Unbekannter Bezeichner 'x'", "x"},
        {"text:1++ +/-", "Fehler: Ausdruck erwartet, aber Ende der Formel gefunden.", "|3"},
        {"text:4/0 1/x", "Fehler: Gleitkommadivision durch Null.", "/"},
        {"text:(7)mod(0) =", "Fehler: Division durch Null.", "mod"},
        {"text:-(1/0)+2 =", "Fehler: Gleitkommadivision durch Null.", "/"},
        {"text:2+double(1/0) =", "Fehler: Gleitkommadivision durch Null.", "/"},
        {"Genau text:2+1,5/0 =", "Fehler: Gleitkommadivision durch Null.", "/"},
        {"Genau text:2+(3*4)div(0) =", "Fehler: Division durch Null.", "div"},
        {"Genau text:double(0/0)+1 =", "Fehler: Ungültige Gleitkommaoperation.", "/"},
    };
    for (const auto& c : cases) {
        CalculatorRig rig;
        rig.keys(QStringLiteral("Edit ") + QString::fromUtf8(c.keys));
        const Display& display = rig.state().display;
        const QString selected = display.selection.length > 0
            ? display.entryText.mid(display.selection.start, display.selection.length)
            : QStringLiteral("|%1").arg(display.caret);
        EXPECT_EQ(rig.transcript(), QString::fromUtf8(c.message)) << c.keys;
        EXPECT_EQ(selected, QString::fromUtf8(c.selected)) << c.keys;

        rig.keys("1");
        EXPECT_EQ(rig.state().display.selection.length, 0) << c.keys << ": a key after the error";
        EXPECT_EQ(rig.state().display.caret, rig.state().display.entryText.size()) << c.keys;
    }
}

// In keypad mode the entry shows no formula: the place stays with the
// pending formula, for whatever shows that.
TEST(ErrorPlace, StaysWithThePendingFormulaInKeypadMode)
{
    CalculatorRig rig;
    rig.keys("1 2 + 1 / 0 =");
    EXPECT_EQ(rig.state().formula, QStringLiteral("12+1/0"));
    ASSERT_TRUE(rig.state().formulaError.has_value());
    EXPECT_EQ(*rig.state().formulaError, (TextSpan{4, 1}));
    EXPECT_EQ(rig.state().display.selection.length, 0);
    rig.keys("CE");
    EXPECT_FALSE(rig.state().formulaError.has_value());
}

// A sum of 100,000 amounts is a formula like any other, typed or built with
// the keypad; only nesting is bounded.
TEST(CalculateLimits, LongSumsEvaluate)
{
    const int amounts = 100'000;
    QString typed = QStringLiteral("12,5");
    for (int i = 1; i < amounts; ++i)
        typed += QStringLiteral("+12,5");
    CalculatorRig rig;
    rig.keys("Edit");
    rig.calculator.setEntryText(typed);
    rig.keys("=");
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("1250000")) << rig.transcript().toStdString();

    CalculatorRig keypad;
    for (int i = 1; i < amounts; ++i)
        keypad.keys("1 2 . 5 +");
    keypad.keys("1 2 . 5 =");
    EXPECT_EQ(keypad.calculator.state().display.entryText, QStringLiteral("1250000")) << keypad.transcript().toStdString();

    rig.keys("CE");
    rig.calculator.setEntryText(QString(1000, u'(') + u'1' + QString(1000, u')'));
    rig.keys("=");
    EXPECT_EQ(rig.transcript(), QStringLiteral("Fehler: Stapelüberlauf."));
}

// A megabyte of formula gives a value or a message, never a crash.
TEST(CalculateLimits, HugeFormulasAreAnswered)
{
    CalculatorRig rig;
    QString sum = QStringLiteral("1");
    while (sum.size() < 1'000'000)
        sum += QStringLiteral("+1");
    rig.keys("Edit");
    rig.calculator.setEntryText(sum);
    rig.keys("=");
    EXPECT_TRUE(rig.calculator.state().display.entryText == QString::number(sum.size() / 2 + 1) ||
                rig.user.transcript.size() == 1)
        << "neither a value nor a message for a sum of " << sum.size() << " characters";

    const std::size_t messagesBefore = rig.user.transcript.size();
    const QString nested = QString(500'000, u'(') + u'1' + QString(500'000, u')');
    rig.calculator.setEntryText(nested);
    rig.keys("=");
    EXPECT_TRUE(rig.calculator.state().display.entryText == u"1" || rig.user.transcript.size() == messagesBefore + 1)
        << "neither a value nor a message for deep parentheses";
}

} // namespace
