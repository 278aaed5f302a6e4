// SPDX-License-Identifier: GPL-3.0-or-later
// "Genau rechnen (dezimal)" through the calculator: the balances, sums and
// quotients whose binary digits an office sees come out exact; every key
// that computes takes the mode and fails where the binary arithmetic fails;
// the tape's grand total adds the results as shown.

#include "support/keyscript.h"

#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

class ExactMode : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ExactMode, LeavesEntryFormulaAndWindows) { expectKeyCase(GetParam()); }

// A row without "Genau" shows what the binary arithmetic shows for the same
// keys, which stays as it was.
INSTANTIATE_TEST_SUITE_P(Formulas, ExactMode, ::testing::Values(
    KeyCase{"balance", "Genau Edit text:86251,76-86250,82 =", "0,94", "86251,76-86250,82"},
    KeyCase{"balance, binary", "Edit text:86251,76-86250,82 =", "0,939999999987776", "86251,76-86250,82"},
    KeyCase{"a balance that is zero", "Genau Edit text:504,99-375-35-5-30-59,99 =", "0", "504,99-375-35-5-30-59,99"},
    KeyCase{"a balance that is zero, binary", "Edit text:504,99-375-35-5-30-59,99 =", "7,105427357601E-15",
            "504,99-375-35-5-30-59,99"},
    KeyCase{"cents of a large amount", "Genau Edit text:12345678,91-12345678 =", "0,91", "12345678,91-12345678"},
    KeyCase{"net from gross", "Genau Edit text:8922/1,07 =", "8338,31775700935", "8922/1,07"},
    KeyCase{"net from gross, binary", "Edit text:8922/1,07 =", "8338,31775700934", "8922/1,07"},
    KeyCase{"a third times three", "Genau Edit text:1/3*3 =", "1", "1/3*3"},
    KeyCase{"keypad", "Genau 0 , 1 + 0 , 2 - 0 , 3 =", "0", ""},
    KeyCase{"power formula", "Genau Edit text:1000*1,035^10 =", "1410,59876062112", "1000*1,035^10"},
    KeyCase{"subtotal", "Genau Edit text:554,77-650,32+ =", "554,77-650,32+", "554,77-650,32+",
            "Zwischensumme: -95,55"},
    KeyCase{"percent key", "Genau 5 5 4 , 7 7 + 1 9 %", "660,1763", ""},
    KeyCase{"rounded result", "Genau Runden Edit text:2,675*1 =", "2,68", "2,675*1"},
    KeyCase{"point separator", "Genau Edit text:86251.76-86250.82 =", "0.94", "86251.76-86250.82", "", u'.'},
    KeyCase{"division by zero", "Genau Edit text:1,5/0 =", "1,5/0", "1,5/0", "Fehler: Gleitkommadivision durch Null."},
    KeyCase{"zero by zero", "Genau Edit text:0/0 =", "0/0", "0/0", "Fehler: Ungültige Gleitkommaoperation."},
    KeyCase{"beyond the extended range", "Genau Edit text:10^5000 =", "10^5000", "10^5000",
            "Fehler: Gleitkommaüberlauf."},
    // 0,1+0,2-0,3 is exactly zero here, not 5,55111512312578E-17.
    KeyCase{"a divisor that is exactly zero", "Genau Edit text:1/(0,1+0,2-0,3) =", "1/(0,1+0,2-0,3)",
            "1/(0,1+0,2-0,3)", "Fehler: Gleitkommadivision durch Null."},
    KeyCase{"switched off again", "Genau Genau Edit text:8922/1,07 =", "8338,31775700934", "8922/1,07"}));

// The keys that act on the entry read it exactly and keep the binary
// arithmetic's limits and messages.
INSTANTIATE_TEST_SUITE_P(EntryKeys, ExactMode, ::testing::Values(
    KeyCase{"+/- of a formula", "Genau Edit text:86251,76-86250,82 +/-", "-0,94", ""},
    KeyCase{"1/x", "Genau 8 1/x", "0,125", ""},
    KeyCase{"1/x of a formula that is zero", "Genau Edit text:0,1+0,2-0,3 1/x", "0,1+0,2-0,3", "",
            "Fehler: Gleitkommadivision durch Null."},
    KeyCase{"square root", "Genau 2 √", "1,4142135623731", ""},
    KeyCase{"square root of minus zero", "Genau text:-0 √", "0", ""},
    KeyCase{"square root of a negative number", "Genau text:-4 √", "-4", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"x^n", "Genau text:1,1 x^n 2 =", "1,21", ""},
    // The base is 1 in extended precision.
    KeyCase{"x^n of a base of many digits", "Genau text:1,00000000000000000001 x^n text:10000000000000000000 =",
            "1,10517091807565", ""},
    KeyCase{"x^n of a base of many digits, binary", "text:1,00000000000000000001 x^n text:10000000000000000000 =",
            "1", ""},
    KeyCase{"x^n: zero to a negative power", "Genau 0 x^n text:-1 =", "-1", "",
            "Fehler: Gleitkommadivision durch Null."},
    KeyCase{"x^n: negative base, fractional exponent", "Genau text:-8 x^n text:0,5 =", "0,5", "",
            "Fehler: Ungültige Gleitkommaoperation."},
    KeyCase{"x^n beyond the double range", "Genau 1 0 x^n 3 0 9 =", "309", "", "Fehler: Gleitkommaüberlauf."},
    // 0,5^20000 lies below the extended range: zero, whose reciprocal fails.
    KeyCase{"x^n: a reciprocal of a power too small", "Genau text:0,5 x^n text:-20000 =", "-20000", "",
            "Fehler: Gleitkommadivision durch Null."},
    KeyCase{"x^n that underflows", "Genau text:0,5 x^n 2 0 0 0 0 =", "0", ""},
    KeyCase{"Ganzzahl", "Genau text:2,99999999999999999999 Ganzzahl", "2", ""},
    KeyCase{"Ganzzahl, binary", "text:2,99999999999999999999 Ganzzahl", "3", ""},
    KeyCase{"Ganzzahl beyond 64 bits", "Genau text:1E19 Ganzzahl", "1E19", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"Int->Hex just below 2^31", "Genau text:2147483647,99999999999999999999 Int->Hex", "7FFFFFFF", ""},
    KeyCase{"rounding box", "Genau text:0,1249999999999999999 Runden", "0,12", ""},
    KeyCase{"rounding box, binary", "text:0,1249999999999999999 Runden", "0,13", ""},
    KeyCase{"rounding box on a half cent", "Genau text:4908,325 Runden", "4908,33", ""},
    KeyCase{"rounding box beyond the double range", "Genau text:1E400 Runden", "1E400", ""},
    KeyCase{"VAT on the amount as typed", "Genau text:0,1249999999999999999 Ust+", "0,14", "",
            "MwSt: Netto=0,12 Steuer=0,02 Brutto=0,14 (Umsatzsteuer)"},
    KeyCase{"memory holds the result shown", "Genau Edit text:86251,76-86250,82 = M+ Edit M-", "0,94",
            ""}));

// The entry after a formula typed in edit mode and "="; keys go first.
QString shownFor(const QString& keys, const QString& formula)
{
    CalculatorRig rig;
    rig.keys(keys + QStringLiteral(" Edit"));
    rig.calculator.setEntryText(formula);
    rig.keys(QStringLiteral("="));
    return rig.state().display.entryText;
}

// 100,000 times 12,34 in one formula.
TEST(ExactSums, ALongSumOfAmountsHasNoStrayDigits)
{
    QString formula = QStringLiteral("12,34");
    for (int i = 1; i < 100000; ++i)
        formula += QStringLiteral("+12,34");
    EXPECT_EQ(shownFor(QStringLiteral("Genau"), formula), QStringLiteral("1234000"));
    EXPECT_EQ(shownFor(QString(), formula), QStringLiteral("1234000,00000035"));
}

// The average of 40 amounts is exactly 7743960,665: the binary sum comes
// to 7743960,66499999, which rounds down.
TEST(ExactSums, AnAverageOnAHalfCentRoundsUpWithTheBoxChecked)
{
    const QString average = QStringLiteral(
        "(73212,36+178,74+77933288,98+4412,85+58087,04+1479164,97+647,28+63054787,9+3,09+98219,88+3,54+"
        "13522,45+1293+950,73+607209,49+1486119,17+34528,98+9,08+85,32+87,48+135937,14+303,14+964789,07+"
        "26373163,91+6,59+69352179,08+68685,06+7038402,15+14766241,22+45755335,3+10,59+73881,45+6,9+"
        "382124,72+96,34+950,09+431,15+10,08+6,89+53,4)/40");
    EXPECT_EQ(shownFor(QStringLiteral("Genau Runden"), average), QStringLiteral("7743960,67"));
    EXPECT_EQ(shownFor(QStringLiteral("Runden"), average), QStringLiteral("7743960,66"));
}

// Each amount on a row of its own, then the grand total.
QString summaryAfter(const QString& modeKeys, const QStringList& amounts)
{
    CalculatorRig rig;
    rig.keys(modeKeys + QStringLiteral(" Edit"));
    for (const QString& amount : amounts)
        rig.keys(QStringLiteral("CE text:") + amount + QStringLiteral(" ="));
    return rig.calculator.tape().summary();
}

TEST(ExactTape, TheGrandTotalAddsTheResultsAsShown)
{
    const QStringList amounts{QStringLiteral("0,1"), QStringLiteral("0,1"), QStringLiteral("0,1"),
                              QStringLiteral("-0,3"), QStringLiteral("86251,76"), QStringLiteral("-86250,82")};
    EXPECT_EQ(summaryAfter(QStringLiteral("Genau"), amounts), QStringLiteral("Summe: 0,94 · 6 Posten"));
    EXPECT_EQ(summaryAfter(QString(), amounts), QStringLiteral("Summe: 0,939999999999998 · 6 Posten"));
}

// Rows made in one arithmetic count in the other as their texts read.
TEST(ExactTape, SwitchingTheModeAddsTheRowsAgain)
{
    CalculatorRig rig;
    rig.keys(QStringLiteral("Edit"));
    for (const char* amount : {"0,1", "0,1", "0,1", "-0,3"})
        rig.keys(QStringLiteral("CE text:") + QString::fromUtf8(amount) + QStringLiteral(" ="));
    const Tape& tape = rig.calculator.tape();
    EXPECT_EQ(tape.totalText(), QStringLiteral("-6,7762635780344E-21"));
    rig.keys(QStringLiteral("Genau"));
    EXPECT_EQ(tape.totalText(), QStringLiteral("0"));
    rig.keys(QStringLiteral("CE text:1/3 ="));
    EXPECT_EQ(tape.totalText(), QStringLiteral("0,333333333333333"));
    rig.keys(QStringLiteral("Genau"));
    EXPECT_EQ(tape.totalText(), QStringLiteral("0,333333333333333"));
}

// A full tape drops its oldest row for each new one. A row far larger than
// the others leaves a total that is no exact sum of them; when it goes, the
// small rows must still count.
TEST(ExactTape, ALargeRowLeavingTheTapeLeavesTheSmallOnes)
{
    for (const bool exact : {false, true}) {
        CalculatorRig rig;
        rig.keys(exact ? QStringLiteral("Genau Edit text:10^40 =") : QStringLiteral("Edit text:10^40 ="));
        for (qsizetype i = 0; i < kMaxTapeRows; ++i)
            rig.keys(QStringLiteral("CE text:0,01 ="));
        const Tape& tape = rig.calculator.tape();
        EXPECT_EQ(tape.summary(), QStringLiteral("Summe: 100 · 10000 Posten")) << (exact ? "exact" : "binary");
    }
}

} // namespace
