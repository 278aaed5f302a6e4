// SPDX-License-Identifier: GPL-3.0-or-later
// The tape in the core: the row each operation adds (none on an error), the
// grand total and item count, the bounds, and what the tape gives back to
// the calculator.

#include "support/keyscript.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

// "formula|result|kind" per row, rows joined by " / ".
QString rowsOf(const Tape& tape)
{
    QStringList rows;
    for (qsizetype i = 0; i < tape.size(); ++i) {
        const TapeRow& row = tape.row(i);
        rows << row.formula + u'|' + row.result + u'|' + tapeRowKindName(row.kind).toString();
    }
    return rows.join(QStringLiteral(" / "));
}

struct TapeCase {
    const char* name;
    const char* keys;
    const char* rows;
    char16_t separator = u',';
};

void PrintTo(const TapeCase& c, std::ostream* os) { *os << c.name << " [" << c.keys << "]"; }

class TapeRows : public ::testing::TestWithParam<TapeCase> {};

TEST_P(TapeRows, HoldWhatTheCalculatorShowed)
{
    const TapeCase& c = GetParam();
    CalculatorRig rig(c.separator);
    rig.keys(QString::fromUtf8(c.keys));
    EXPECT_EQ(rowsOf(rig.calculator.tape()), QString::fromUtf8(c.rows)) << rig.transcript().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Calculations, TapeRows, ::testing::Values(
    TapeCase{"keypad", "1 2 + 5 * 2 =", "12+5*2|22|Ergebnis"},
    TapeCase{"keypad point shown as the regional separator", "1 . 5 + 1 =", "1,5+1|2,5|Ergebnis"},
    TapeCase{"typed formula", "Edit text:2,5*2 =", "2,5*2|5|Ergebnis"},
    TapeCase{"point separator: the formula as typed", "Edit text:2,5*2 =", "2,5*2|5|Ergebnis", u'.'},
    TapeCase{"power formula", "Edit text:2^10 =", "2^10|1024|Ergebnis"},
    TapeCase{"rounded result as shown", "Runden Edit text:1/3 =", "1/3|0,33|Ergebnis"},
    TapeCase{"keypad subtotal", "5 + =", "5+|5,00|Zwischensumme"},
    TapeCase{"subtotal, then the rest", "Edit text:5+ = text:3 =", "5+|5,00|Zwischensumme / 5+3|8|Ergebnis"},
    TapeCase{"percent of the sum before", "1 + 2 + 1 0 %", "1+2+10%|3,3|Prozent"},
    TapeCase{"percent after a division", "2 0 0 / 1 0 %", "200/10%|2000|Prozent"},
    TapeCase{"percent with nothing pending", "1 0 %", "10%|0,1|Prozent"},
    TapeCase{"percent typed in a formula is a result", "Edit text:100+10% =", "100+10%|110|Ergebnis"},
    TapeCase{"edit-mode operators append to the formula shown", "Edit text:12 + text:5 * text:2 =",
             "12+5*2|22|Ergebnis"},
    TapeCase{"sign change", "1 2 +/-", "12*-1|-12|Vorzeichen"},
    TapeCase{"reciprocal", "4 1/x", "1/4|0,25|Kehrwert"},
    TapeCase{"reciprocal of nothing is a subtotal", "1/x", "1/|1,00|Zwischensumme"}));

INSTANTIATE_TEST_SUITE_P(SingleValues, TapeRows, ::testing::Values(
    TapeCase{"square root", "1 6 √", "16|4|Wurzel"},
    TapeCase{"square root in full precision", "2 √", "2|1,4142135623731|Wurzel"},
    TapeCase{"x^n", "2 x^n 1 0 =", "2^10|1024|Potenz"},
    TapeCase{"x^n of a decimal from the keypad", "1 . 1 x^n 2 =", "1,1^2|1,21|Potenz"},
    TapeCase{"Ganzzahl", "Edit text:12,7 Ganzzahl", "12,7|12|Ganzzahl"},
    TapeCase{"Ganzzahl beyond 32 bits", "Edit text:3000000000,7 Ganzzahl", "3000000000,7|3000000000|Ganzzahl"},
    TapeCase{"Hex->Int", "Edit text:ff Hex->Int", "ff|255|Hex->Int"},
    TapeCase{"Hex->Int: the number alone, not the formula that comes along", "1 + text:ff Hex->Int = ",
             "ff|255|Hex->Int / 1+255|256|Ergebnis"},
    TapeCase{"Int->Hex", "2 5 5 Int->Hex", "255|FF|Int->Hex"},
    TapeCase{"Int->Hex of the largest", "text:2147483647 Int->Hex", "2147483647|7FFFFFFF|Int->Hex"},
    TapeCase{"Ust+ in cents", "text:123456,78 Ust+",
             "Netto 123456,78 · Steuer 19 % 23456,79 · Brutto 146913,57|146913,57|Ust+"},
    TapeCase{"Ust-", "1 1 9 Ust-", "Netto 100,00 · Steuer 19 % 19,00 · Brutto 119,00|100,00|Ust-"},
    TapeCase{"Ust- of a negative amount", "text:-119 Ust-",
             "Netto -100,00 · Steuer 19 % -19,00 · Brutto -119,00|-100,00|Ust-"},
    TapeCase{"Ust+ with the point separator", "text:12.5 Ust+",
             "Netto 12.50 · Steuer 19 % 2.38 · Brutto 14.88|14.88|Ust+", u'.'}));

INSTANTIATE_TEST_SUITE_P(NoRow, TapeRows, ::testing::Values(
    TapeCase{"division by zero", "Edit text:1/0 =", ""},
    TapeCase{"keypad error", "1 / 0 =", ""},
    TapeCase{"unknown identifier", "Edit text:x =", ""},
    TapeCase{"percent of a formula that fails", "1 / 0 + 1 0 %", ""},
    TapeCase{"square root of a negative", "text:-4 √", ""},
    TapeCase{"Hex->Int that shows 0 after its error", "Edit text:1G Hex->Int", ""},
    TapeCase{"Int->Hex of no number", "text:abc Int->Hex", ""},
    TapeCase{"Ganzzahl of no number", "text:abc Ganzzahl", ""},
    TapeCase{"Ganzzahl beyond 64 bits", "Edit text:99999999999999999999 Ganzzahl", ""},
    TapeCase{"Int->Hex beyond 32 bits", "text:2147483648 Int->Hex", ""},
    TapeCase{"x^n without an exponent", "2 x^n =", ""},
    TapeCase{"x^n beyond the double range", "1 0 x^n 5 0 0 0 =", ""},
    TapeCase{"VAT of no number", "text:abc Ust+", ""},
    TapeCase{"VAT beyond the cent bound", "text:10000000000000 Ust-", ""},
    TapeCase{"nothing to evaluate", "= Edit =", ""},
    TapeCase{"+/- of nothing", "+/-", ""},
    TapeCase{"keys that evaluate nothing", "1 2 + 3 M+ M- MC CE Edit Runden text:5 Kopieren", ""},
    TapeCase{"an error box of one key leaves the next", "Edit text:1G Hex->Int CE text:ff Hex->Int",
             "ff|255|Hex->Int"}));

struct TotalCase {
    const char* name;
    const char* keys;
    const char* summary;
};

void PrintTo(const TotalCase& c, std::ostream* os) { *os << c.name << " [" << c.keys << "]"; }

class GrandTotal : public ::testing::TestWithParam<TotalCase> {};

TEST_P(GrandTotal, SumsTheShownResultsOfTheEqualsRows)
{
    CalculatorRig rig;
    rig.keys(QString::fromUtf8(GetParam().keys));
    EXPECT_EQ(rig.calculator.tape().summary(), QString::fromUtf8(GetParam().summary));
}

INSTANTIATE_TEST_SUITE_P(Rows, GrandTotal, ::testing::Values(
    TotalCase{"empty tape", "", "Summe: 0 · 0 Posten"},
    TotalCase{"negative results", "Edit text:12+5*2 = CE text:-30 = CE text:0,5 =", "Summe: -7,5 · 3 Posten"},
    TotalCase{"only the = rows", "Edit text:10 = CE text:5+ = CE text:16 √ CE text:4 1/x CE 1 2 Ust+",
              "Summe: 10 · 1 Posten"},
    TotalCase{"the values as shown", "Runden Edit text:1/3 = CE text:1/3 = CE text:1/3 =", "Summe: 0,99 · 3 Posten"},
    TotalCase{"errors count nothing", "Edit text:1/0 = CE text:2 =", "Summe: 2 · 1 Posten"},
    TotalCase{"keypad and power formulas", "1 2 + 3 = CE 2 x^n 3 = CE Edit text:2^3 =", "Summe: 23 · 2 Posten"}));

TEST(GrandTotal, DeletingAndClearingRowsTakesThemOut)
{
    CalculatorRig rig;
    rig.keys("Edit text:22 = CE text:-30 = CE text:5+ =");
    Tape& tape = rig.calculator.tape();
    tape.deleteRow(0);
    EXPECT_EQ(tape.summary(), QStringLiteral("Summe: -30 · 1 Posten"));
    tape.deleteRow(1); // the subtotal
    EXPECT_EQ(rowsOf(tape), QStringLiteral("-30|-30|Ergebnis"));
    const quint64 before = tape.revision();
    tape.clear();
    EXPECT_EQ(tape.size(), 0);
    EXPECT_EQ(tape.summary(), QStringLiteral("Summe: 0 · 0 Posten"));
    EXPECT_NE(tape.revision(), before);
}

TEST(GrandTotal, GoesIntoTheEntryAsTheNextOperand)
{
    CalculatorRig rig;
    rig.keys("1 2 + 3 = CE 1 0 0 +");
    rig.user.take(rig.calculator.recallGrandTotal());
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("15")) << "keypad mode: replaces the entry";
    rig.keys("=");
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("115"));

    rig.keys("CE Edit text:2*");
    rig.user.take(rig.calculator.recallGrandTotal());
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("2*130")) << "edit mode: appended";
}

TEST(GrandTotal, BeyondTheExtendedRangeIsAnOverflow)
{
    CalculatorRig rig;
    Tape& tape = rig.calculator.tape();
    tape.add({TapeRowKind::Result, QStringLiteral("a"), QStringLiteral("1E4932")});
    tape.add({TapeRowKind::Result, QStringLiteral("b"), QStringLiteral("1E4932")});
    EXPECT_EQ(tape.summary(), QStringLiteral("Summe: Gleitkommaüberlauf · 2 Posten"));
    rig.user.take(rig.calculator.recallGrandTotal());
    EXPECT_EQ(rig.transcript(), QStringLiteral("Fehler: Gleitkommaüberlauf."));
    tape.deleteRow(0);
    EXPECT_EQ(tape.summary(), QStringLiteral("Summe: 1E4932 · 1 Posten"));
}

TEST(TapeBounds, TheOldestRowsGoFirst)
{
    Tape tape(u',');
    for (int i = 1; i <= kMaxTapeRows + 5; ++i)
        tape.add({TapeRowKind::Result, QString::number(i), QString::number(i)});
    EXPECT_EQ(tape.size(), kMaxTapeRows);
    EXPECT_EQ(tape.row(0).result, QStringLiteral("6"));
    EXPECT_EQ(tape.itemCount(), kMaxTapeRows);
    EXPECT_EQ(tape.totalText(), QStringLiteral("50055000")) << "6 + 7 + ... + 10005";
}

TEST(TapeBounds, ADroppedRowLeavesTheTotalAsItWasBefore)
{
    // 1E20 + 1 is 1E20 in extended precision; only a compensated sum gives
    // back the 1 when the 1E20 is dropped.
    Tape tape(u',');
    tape.add({TapeRowKind::Result, QString(), QStringLiteral("1E20")});
    tape.add({TapeRowKind::Result, QString(), QStringLiteral("1")});
    for (int i = 2; i < kMaxTapeRows + 1; ++i)
        tape.add({TapeRowKind::Subtotal, QString(), QStringLiteral("0,00")});
    ASSERT_EQ(tape.row(0).result, QStringLiteral("1"));
    EXPECT_EQ(tape.summary(), QStringLiteral("Summe: 1 · 1 Posten"));
}

// A small value first and a large one after it take the other branch of the
// compensated sum; the 1 comes back all the same.
TEST(GrandTotal, KeepsASmallValueBesideLargeOnesInEitherOrder)
{
    for (const char* order : {"1 1E20 -1E20", "1E20 1 -1E20", "-1E20 1E20 1"}) {
        Tape tape(u',');
        for (const QString& result : QString::fromUtf8(order).split(u' '))
            tape.add({TapeRowKind::Result, QString(), result});
        EXPECT_EQ(tape.summary(), QStringLiteral("Summe: 1 · 3 Posten")) << order;
    }
}

// The tape adds the value it is given with a row, not a value read back
// from the row's text.
TEST(GrandTotal, AddsTheValuesItIsGiven)
{
    Tape tape(u',');
    tape.add({TapeRowKind::Result, QStringLiteral("1/3"), QStringLiteral("0,33")}, Number::binary(0.33L));
    tape.add({TapeRowKind::Result, QStringLiteral("x"), QStringLiteral("shown otherwise")}, Number::binary(2.0L));
    tape.add({TapeRowKind::Subtotal, QStringLiteral("5+"), QStringLiteral("5,00")}, Number::binary(5.0L));
    EXPECT_EQ(tape.summary(), QStringLiteral("Summe: 2,33 · 2 Posten"));
}

TEST(TapeBounds, HugeFormulasAreBoundByTheirCharacters)
{
    Tape tape(u',');
    const QString huge(kMaxTapeCharacters / 4, u'1');
    for (int i = 0; i < 5; ++i)
        tape.add({TapeRowKind::Subtotal, huge, QString::number(i)});
    EXPECT_EQ(tape.size(), 3) << "four of them and their results pass the bound";
    EXPECT_EQ(tape.row(0).result, QStringLiteral("2"));

    tape.add({TapeRowKind::Subtotal, QString(kMaxTapeCharacters + 1, u'2'), QStringLiteral("x")});
    EXPECT_EQ(tape.size(), 1) << "a row above the bound stays alone";
}

TEST(TapeActions, FormulaGoesIntoEditModeAndResultIsAppended)
{
    CalculatorRig rig;
    rig.keys("2 x^n");
    rig.calculator.editFormula(QStringLiteral("12+5*2+"));
    EXPECT_EQ(rig.calculator.state().inputMode, InputMode::Edit);
    EXPECT_FALSE(rig.calculator.state().display.entryReadOnly);
    EXPECT_TRUE(rig.calculator.state().display.editIndicatorVisible);
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("12+5*2+"));
    rig.calculator.appendToEntry(QStringLiteral("0,5"));
    rig.keys("=");
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("22,5"));
    EXPECT_EQ(rig.calculator.tape().row(0).formula, QStringLiteral("12+5*2+0,5"));
}

} // namespace
