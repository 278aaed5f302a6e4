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
    KeyCase{"trailing operator is a subtotal", "5 + =", "", "", "Zwischensumme: 5,00"},
    KeyCase{"= after a result", "1 2 + 5 = =", "17", ""},
    KeyCase{"nothing pending, nothing typed", "=", "", ""},
    KeyCase{"point separator", "1 . 5 + 1 =", "2.5", "", "", u'.'}));

INSTANTIATE_TEST_SUITE_P(EditMode, Calculate, ::testing::Values(
    KeyCase{"comma becomes point", "Edit text:2,5*2 =", "5", "2.5*2"},
    KeyCase{"subtotal keeps entry and formula", "Edit text:5+ =", "5+", "5+", "Zwischensumme: 5,00"},
    KeyCase{"subtotal then the rest", "Edit text:5+ = text:3 =", "8", "5+3", "Zwischensumme: 5,00"},
    KeyCase{"subtotal has two decimals", "Edit text:1/3+ =", "1/3+", "1/3+", "Zwischensumme: 0,33"},
    KeyCase{"closing parenthesis ends a formula", "Edit text:3*(1+2) =", "9", "3*(1+2)"},
    KeyCase{"one third", "Edit text:1/3 =", "0,333333333333333", "1/3"},
    KeyCase{"two thirds", "Edit text:2/3 =", "0,666666666666667", "2/3"},
    KeyCase{"double sum", "Edit text:0.1+0.2 =", "0,3", "0.1+0.2"},
    KeyCase{"small scientific", "Edit text:1/100000 =", "1E-5", "1/100000"},
    KeyCase{"small fixed", "Edit text:1/10000 =", "0,0001", "1/10000"},
    KeyCase{"Boolean true is -1", "Edit text:1<2 =", "-1", "1<2"},
    KeyCase{"power branch", "Edit text:10^15 =", "1E15", "10^15"},
    KeyCase{"power branch with comma", "Edit text:2,5^2 =", "6,25", "2.5^2"},
    KeyCase{"point separator", "Edit text:1/3 =", "0.333333333333333", "1/3", "", u'.'},
    KeyCase{"comma under point separator", "Edit text:2,5*2 =", "5", "2.5*2", "", u'.'}));

INSTANTIATE_TEST_SUITE_P(Rounding, Calculate, ::testing::Values(
    KeyCase{"eighth", "Runden Edit text:1/8 =", "0,13", "1/8"},
    KeyCase{"negative eighth", "Runden Edit text:-1/8 =", "-0,13", "-1/8"},
    KeyCase{"the shown half rounds up", "Runden Edit text:2.675*1 =", "2,68", "2.675*1"},
    KeyCase{"1,005", "Runden Edit text:1.005*1 =", "1,01", "1.005*1"},
    KeyCase{"no sign on zero", "Runden Edit text:-1/1000 =", "0,00", "-1/1000"},
    KeyCase{"power branch too", "Runden Edit text:2^0.5 =", "1,41", "2^0.5"},
    KeyCase{"subtotal unaffected", "Runden Edit text:1/3+ =", "1/3+", "1/3+", "Zwischensumme: 0,33"},
    KeyCase{"subtotals round the shown digits", "Edit text:2,675+ =", "2,675+", "2.675+", "Zwischensumme: 2,68"}));

// A "%" directly after a number means what the "%" key means; it is no
// subtotal. Other texts with "%" are subtotals as before.
INSTANTIATE_TEST_SUITE_P(TypedPercent, Calculate, ::testing::Values(
    KeyCase{"share of the sum", "Edit text:100+10% =", "110", "100+10%"},
    KeyCase{"off the sum", "Edit text:200-10% =", "180", "200-10%"},
    KeyCase{"share of the whole sum before", "Edit text:1+2+10% =", "3,3", "1+2+10%"},
    KeyCase{"of a product", "Edit text:200*10% =", "20", "200*10%"},
    KeyCase{"as divisor", "Edit text:200/10% =", "2000", "200/10%"},
    KeyCase{"alone", "Edit text:50% =", "0,5", "50%"},
    KeyCase{"inside a group", "Edit text:(100+10%)*2 =", "220", "(100+10%)*2"},
    KeyCase{"with decimals", "Edit text:100+12,5% =", "112,5", "100+12.5%"},
    KeyCase{"in a power formula", "Edit text:2^2+10% =", "4,4", "2^2+10%"},
    KeyCase{"not after a number: subtotal", "Edit text:(100+10)% =", "(100+10)%", "(100+10)%",
            "Zwischensumme: 110,00"},
    KeyCase{"after a tab: subtotal", "Edit text:100+10\t% =", "100+10\t%", "100+10\t%",
            "Zwischensumme: 110,00"}));

TEST(Calculate, BlankFormulaDoesNothing)
{
    CalculatorRig rig;
    rig.keys("Edit");
    rig.calculator.setEntryText(QStringLiteral(" \t "));
    rig.keys("=");
    EXPECT_EQ(rig.calculator.display().entryText, QStringLiteral(" \t "));
    EXPECT_EQ(rig.transcript(), QString());
    EXPECT_EQ(rig.ui.subtotalLabel, QString()) << "no evaluation, so no label either";
}

TEST(Calculate, LoadedTextWithLineBreakIsASubtotal)
{
    CalculatorRig rig;
    rig.keys("Edit");
    rig.calculator.setEntryText(QStringLiteral("12+5\r\n"));
    rig.keys("=");
    EXPECT_EQ(rig.transcript(), QStringLiteral("Zwischensumme: 17,00"));
    EXPECT_EQ(rig.calculator.display().entryText, QStringLiteral("12+5\r\n"));
    EXPECT_TRUE(rig.calculator.subtotalShown());
}

TEST(Calculate, LabelIsSetForEveryScriptFormulaInTheLanguage)
{
    CalculatorRig rig;
    rig.keys("Edit text:2^2 =");
    EXPECT_EQ(rig.ui.subtotalLabel, QString()) << "the power branch leaves the formula window alone";
    rig.keys("CE text:1+1 =");
    EXPECT_EQ(rig.ui.subtotalLabel, QStringLiteral("Zwischensumme"));
    rig.calculator.setLanguage(Language::English);
    rig.keys("CE text:1+ =");
    EXPECT_EQ(rig.ui.subtotals.back(), QStringLiteral("1,00"));
    EXPECT_EQ(rig.ui.subtotalLabel, QStringLiteral("Subtotal"));
    EXPECT_EQ(rig.transcript(), QStringLiteral("Subtotal: 1,00"));
}

TEST(CalculateErrors, KeypadFailureKeepsTheFailedFormula)
{
    CalculatorRig rig;
    rig.keys("1 / 0 =");
    ASSERT_EQ(rig.ui.transcript.size(), 1u);
    EXPECT_TRUE(rig.ui.transcript[0].startsWith(u"Fehler: ")) << rig.transcript().toStdString();
    EXPECT_EQ(rig.calculator.formula(), QStringLiteral("1/0"));
    EXPECT_EQ(rig.calculator.display().entryText, QStringLiteral("0"));
    rig.keys("=");
    EXPECT_EQ(rig.calculator.formula(), QStringLiteral("1/00")) << "the entry is appended again";
    rig.keys("CE 2 =");
    EXPECT_EQ(rig.calculator.display().entryText, QStringLiteral("2"));
}

TEST(CalculateErrors, FailedSubtotalLosesItsLastCharacter)
{
    CalculatorRig rig;
    rig.keys("Edit text:1,5/0+ =");
    ASSERT_EQ(rig.ui.transcript.size(), 1u);
    EXPECT_TRUE(rig.ui.transcript[0].startsWith(u"Fehler: "));
    EXPECT_EQ(rig.calculator.formula(), QStringLiteral("1.5/0"));
    EXPECT_TRUE(rig.calculator.subtotalShown());
    EXPECT_EQ(rig.calculator.display().entryText, QStringLiteral("1,5/0+"));
}

TEST(CalculateErrors, PowerBranchFailureKeepsTheFormulaWithPoints)
{
    CalculatorRig rig;
    rig.keys("text:7 Edit text:2,5^ =");
    ASSERT_EQ(rig.ui.transcript.size(), 1u);
    EXPECT_TRUE(rig.ui.transcript[0].startsWith(u"Fehler: "));
    EXPECT_EQ(rig.calculator.formula(), QStringLiteral("2.5^"));
    EXPECT_EQ(rig.calculator.display().entryText, QStringLiteral("2,5^"));
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
    EXPECT_EQ(rig.calculator.display().entryText, QStringLiteral("1250000")) << rig.transcript().toStdString();

    CalculatorRig keypad;
    for (int i = 1; i < amounts; ++i)
        keypad.keys("1 2 . 5 +");
    keypad.keys("1 2 . 5 =");
    EXPECT_EQ(keypad.calculator.display().entryText, QStringLiteral("1250000")) << keypad.transcript().toStdString();

    rig.keys("CE");
    rig.calculator.setEntryText(QString(1000, u'(') + u'1' + QString(1000, u')'));
    rig.keys("=");
    EXPECT_EQ(rig.transcript(), QStringLiteral("Fehler: Stack overflow."));
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
    EXPECT_TRUE(rig.calculator.display().entryText == QString::number(sum.size() / 2 + 1) ||
                rig.ui.transcript.size() == 1)
        << "neither a value nor a message for a sum of " << sum.size() << " characters";

    const std::size_t messagesBefore = rig.ui.transcript.size();
    const QString nested = QString(500'000, u'(') + u'1' + QString(500'000, u')');
    rig.calculator.setEntryText(nested);
    rig.keys("=");
    EXPECT_TRUE(rig.calculator.display().entryText == u"1" || rig.ui.transcript.size() == messagesBefore + 1)
        << "neither a value nor a message for deep parentheses";
}

} // namespace
