// SPDX-License-Identifier: GPL-3.0-or-later
// How amounts are shown: the decimal selector, the rounding switch, the mark
// of rounded rows on the tape, and thousands points only where a person
// reads them.

#include "core/pendingline.h"
#include "core/tapefile.h"
#include "core/tapeformats.h"
#include "support/keyscript.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

class Amounts : public ::testing::TestWithParam<KeyCase> {};

TEST_P(Amounts, LeaveEntryFormulaAndTranscript) { expectKeyCase(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(RoundingModes, Amounts, ::testing::Values(
    KeyCase{"3 places, abrunden", "Stellen:3 Runden:abrunden 2 / 3 =", "0,666", ""},
    KeyCase{"3 places, aufrunden", "Stellen:3 Runden:aufrunden 2 / 3 =", "0,667", ""},
    KeyCase{"3 places, 5/4", "Stellen:3 Runden:5/4 2 / 3 =", "0,667", ""},
    KeyCase{"3 places, abrunden, negative", "Stellen:3 Runden:abrunden text:-2 / 3 =", "-0,666", ""},
    KeyCase{"3 places, aufrunden, negative", "Stellen:3 Runden:aufrunden text:-2 / 3 =", "-0,667", ""},
    KeyCase{"3 places, 5/4, negative", "Stellen:3 text:-2 / 3 =", "-0,667", ""},
    KeyCase{"aufrunden at the first digit beyond", "Stellen:2 Runden:aufrunden text:1,001 * 1 =", "1,01", ""},
    KeyCase{"aufrunden leaves an exact amount", "Stellen:2 Runden:aufrunden text:1,1 * 3 =", "3,30", ""},
    KeyCase{"abrunden of a binary sum that cancels",
            "Stellen:2 Runden:abrunden text:100,1 - 1 0 0 - text:0,1 =", "0,00", ""},
    KeyCase{"no places", "Stellen:0 text:2,5 * 1 =", "3", ""},
    KeyCase{"no places, abrunden", "Stellen:0 Runden:abrunden text:2,99 * 1 =", "2", ""},
    KeyCase{"4 places", "Stellen:4 2 / 3 =", "0,6667", ""},
    KeyCase{"the switch also rounds the subtotal", "Runden:abrunden 2 / 3 + =", "", "2/3+",
            "Zwischensumme: 0,66"},
    KeyCase{"the subtotal at the selected places", "Stellen:3 2 / 3 + =", "", "2/3+", "Zwischensumme: 0,667"},
    KeyCase{"the subtotal at no places", "Stellen:0 text:2,5 + =", "", "2,5+", "Zwischensumme: 3"}));

INSTANTIATE_TEST_SUITE_P(Selector, Amounts, ::testing::Values(
    KeyCase{"F: free results", "2 / 3 =", "0,666666666666667", ""},
    KeyCase{"F with the box checked: two places", "Runden 2 / 3 =", "0,67", ""},
    KeyCase{"a number of places checks the box", "Stellen:1 2 / 3 =", "0,7", ""},
    KeyCase{"the box unchecked again: free", "Stellen:3 Runden 2 / 3 =", "0,666666666666667", ""},
    KeyCase{"choosing F unchecks the box", "Stellen:3 Stellen:F 2 / 3 =", "0,666666666666667", ""},
    KeyCase{"ADD rounds to two places", "Stellen:ADD 2 / 3 =", "0,67", ""},
    KeyCase{"choosing places rounds the entry", "2 / 3 = Stellen:3", "0,667", ""},
    KeyCase{"fewer places round it again", "Stellen:4 2 / 3 = Stellen:1", "0,7", ""},
    KeyCase{"more places bring back nothing", "Stellen:1 2 / 3 = Stellen:4", "0,7", ""},
    KeyCase{"F3 steps from F to 0", "F3 2 / 3 =", "1", ""},
    KeyCase{"F3 four times: 3 places", "F3 F3 F3 F3 2 / 3 =", "0,667", ""},
    KeyCase{"F3 after ADD: F, free", "Stellen:ADD F3 2 / 3 =", "0,666666666666667", ""},
    KeyCase{"VAT stays in cents at no places", "Stellen:0 text:12,5 Ust+", "14,88", "",
            "MwSt: Netto=12,50 Steuer=2,38 Brutto=14,88 (Umsatzsteuer)"},
    KeyCase{"VAT in cents from the amount as typed", "Stellen:2 Runden:abrunden text:10,005 Ust+", "11,91", "",
            "MwSt: Netto=10,01 Steuer=1,90 Brutto=11,91 (Umsatzsteuer)"}));

// The formula shows how ADD took each amount; the tape shows the same.
INSTANTIATE_TEST_SUITE_P(AddMode, Amounts, ::testing::Values(
    KeyCase{"digits alone are cents", "Stellen:ADD 1 2 3 4 + 5 =", "12,39", ""},
    KeyCase{"pending: the formula in cents", "Stellen:ADD 1 2 3 4 + 5", "5", "12,34+"},
    KeyCase{"subtracted too", "Stellen:ADD 1 0 0 0 - 2 5 =", "9,75", ""},
    KeyCase{"one digit", "Stellen:ADD 5 + 5 =", "0,10", ""},
    KeyCase{"leading zeros", "Stellen:ADD 0 0 7 + 0 =", "0,07", ""},
    KeyCase{"the decimal key: as typed", "Stellen:ADD 1 2 , 5 + 1 =", "12,51", ""},
    KeyCase{"factors as typed", "Stellen:ADD 1 2 * 5 =", "60,00", ""},
    KeyCase{"a factor after a sum", "Stellen:ADD 1 2 3 4 + 5 * 2 =", "22,34", ""},
    KeyCase{"divisor as typed", "Stellen:ADD 1 0 0 0 / 8 =", "125,00", ""},
    KeyCase{"percent as typed", "Stellen:ADD 2 0 0 0 0 + 1 0 %", "220,00", ""},
    KeyCase{"a result goes on as shown", "Stellen:ADD 1 2 3 4 = + 1 =", "12,35", ""},
    KeyCase{"the memory as it is", "Stellen:ADD 1 2 M+ CE M- + 1 =", "12,01", ""},
    KeyCase{"typed text as it is", "Stellen:ADD text:12 + 1 =", "12,01", ""},
    KeyCase{"Backspace keeps it keyed", "Stellen:ADD 1 2 3 4 Backspace + 1 =", "1,24", ""},
    KeyCase{"edit mode: as typed", "Stellen:ADD Edit text:12+5 =", "17,00", "12+5"},
    KeyCase{"not without ADD", "Stellen:2 1 2 3 4 + 5 =", "1239,00", ""},
    KeyCase{"unchecked box: free results", "Stellen:ADD Runden 1 2 3 4 + 5 =", "12,39", ""}));

INSTANTIATE_TEST_SUITE_P(ThousandsPoints, Amounts, ::testing::Values(
    KeyCase{"the entry and formula stay plain", "Tausenderpunkte text:1234567,89 * 1 =", "1234567,89", ""},
    KeyCase{"a subtotal is read grouped", "Tausenderpunkte text:1234567 + =", "", "1234567+",
            "Zwischensumme: 1.234.567,00"},
    KeyCase{"a negative subtotal", "Tausenderpunkte text:-1234 + =", "", "-1234+", "Zwischensumme: -1.234,00"},
    KeyCase{"beside a decimal point", "Tausenderpunkte text:1234567 + =", "", "1234567+",
            "Zwischensumme: 1,234,567.00", u'.'},
    KeyCase{"the VAT window's amounts", "Tausenderpunkte text:10000 Ust+", "11900,00", "",
            "MwSt: Netto=10.000,00 Steuer=1.900,00 Brutto=11.900,00 (Umsatzsteuer)"},
    KeyCase{"off: as always", "text:1234567 + =", "", "1234567+", "Zwischensumme: 1234567,00"}));
// clang-format on

// The reader's own table covers the texts; these rows cover where a pasted
// text goes in each mode. "_" stands for a blank.
INSTANTIATE_TEST_SUITE_P(Paste, Amounts, ::testing::Values(
    KeyCase{"an amount replaces the entry", "1 2 paste:1.234,56_€", "1234,56", ""},
    KeyCase{"then goes on as an operand", "paste:1.234,56_€ + 1 =", "1235,56", ""},
    KeyCase{"a digit starts a new number", "paste:1.234,56 7", "7", ""},
    KeyCase{"a pending formula stays", "1 0 + paste:−45,00 =", "-35", ""},
    KeyCase{"accounting brackets", "paste:(45,00) + 5 0 =", "5", ""},
    KeyCase{"beside a decimal point", "paste:1,234.50 + 1 =", "1235.5", "", "", u'.'},
    KeyCase{"a text that reads two ways is refused", "1 2 paste:1,234.56", "12", "",
            "Fehler: '1,234.56' ist kein eindeutiger Betrag: Das Dezimaltrennzeichen ist das Komma."},
    KeyCase{"a formula in keypad mode", "1 2 paste:12+5*2", "12", "", "Fehler: '12+5*2' ist kein Betrag."},
    KeyCase{"a formula in edit mode stays one", "Edit text:2* paste:12+5*2 =", "34", "2*12+5*2"},
    KeyCase{"an amount in edit mode goes in plain", "Edit text:2* paste:1.000_EUR =", "2000", "2*1000"},
    KeyCase{"blanks only do nothing", "1 2 paste:__", "12", ""},
    KeyCase{"a column is added", "paste:1.234,56\\n−45,00\\n(45,00)", "1144,56", ""},
    KeyCase{"a column with a heading is refused", "paste:Betrag\\n1,00\\n2,00", "", "",
            "Fehler: Zeile 1: 'Betrag' ist kein Betrag."},
    KeyCase{"a column's sum at the selected places", "Stellen:1 paste:0,04\\n0,04", "0,1", ""}));

// Typed in edit mode, what the formula language reads is a formula; a text
// it cannot read is taken as the amount it shows.
INSTANTIATE_TEST_SUITE_P(TypedInEditMode, Amounts, ::testing::Values(
    KeyCase{"thousands points and the euro sign", "Edit text:1.234,56€ =", "1234,56", "1234,56"},
    KeyCase{"a Unicode minus", "Edit text:−45,00 =", "-45", "-45,00"},
    KeyCase{"a currency before", "Edit text:EUR12,50 =", "12,5", "12,50"},
    KeyCase{"then goes on as a formula", "Edit text:1.234,56€ = + 1 =", "1235,56", "1234,56+1"},
    KeyCase{"only a whole amount, not one in a formula", "Edit text:1.234,56€+1 =", "1.234,56€+1", "1.234,56€+1",
            "Fehler: Ausdruck erwartet, aber '1.234.56' gefunden."},
    KeyCase{"a decimal point stays a formula's", "Edit text:2.5*2 =", "5", "2.5*2"},
    KeyCase{"brackets stay a formula's", "Edit text:(45,00) =", "45", "(45,00)"},
    KeyCase{"a point alone stays a formula's", "Edit text:1.234 =", "1,234", "1.234"},
    KeyCase{"an amount that reads two ways is refused", "Edit text:1,234.56 =", "1,234.56", "1,234.56",
            "Fehler: '1,234.56' ist kein eindeutiger Betrag: Das Dezimaltrennzeichen ist das Komma."},
    KeyCase{"no amount: the formula's error", "Edit text:12+*3 =", "12+*3", "12+*3",
            "Fehler: Ausdruck erwartet, aber '*' gefunden."}));

TEST(Amounts, APastedColumnIsAddedOnlyWhenTheUserSaysSo)
{
    CalculatorRig rig;
    rig.user.addPastedAnswers = {false, true};
    rig.keys("5 paste:1,50\\n2,50");
    EXPECT_EQ(rig.state().display.entryText, u"5"_qs);
    EXPECT_EQ(rig.calculator.tape().size(), 0);
    rig.keys("paste:1,50\\n2,50\\n3");
    ASSERT_EQ(rig.user.addQuestions.size(), 2u);
    EXPECT_TRUE(rig.user.addQuestions.back().contains(u"3 Beträge"_qs));
    EXPECT_EQ(rig.state().display.entryText, u"7"_qs);
    const Tape& tape = rig.calculator.tape();
    ASSERT_EQ(tape.size(), 3);
    EXPECT_EQ(tape.row(1), (TapeRow{TapeRowKind::Result, u"2,50"_qs, u"2,50"_qs}));
    EXPECT_EQ(tape.summary(), u"Summe: 7 · 3 Posten"_qs);
}

// "1.234,56 €" + 1 = reads 1.235,56 in the window and on the tape, and the
// CSV holds the number a spreadsheet reads.
TEST(Amounts, APastedAmountIsReadGroupedAndExportedPlain)
{
    CalculatorRig rig;
    rig.keys("Tausenderpunkte paste:1.234,56_€ + 1 =");
    EXPECT_EQ(entryAsShown(rig.state(), u','), u"1.235,56"_qs);
    const Tape& tape = rig.calculator.tape();
    EXPECT_EQ(tape.data(tape.index(0, int(TapeColumn::Result))).toString(), u"1.235,56"_qs);
    EXPECT_EQ(tape.data(tape.index(0, int(TapeColumn::Formula))).toString(), u"1234,56+1"_qs);
    EXPECT_TRUE(tapeAsCsv(tape).contains("1234,56+1;1235,56;Ergebnis\r\n"));
}

TEST(Amounts, AddModeIsShownWhileActive)
{
    CalculatorRig rig;
    rig.keys("Stellen:ADD 1 2 +");
    EXPECT_EQ(pendingLine(rig.state(), u',').marks, (std::vector<QString>{u"USt 19 %"_qs, u"ADD"_qs}));
    EXPECT_EQ(rig.calculator.tape().size(), 0);
    rig.keys("3 =");
    EXPECT_EQ(rig.calculator.tape().row(0).formula, u"0,12+0,03"_qs);
    rig.keys("Stellen:2");
    EXPECT_EQ(pendingLine(rig.state(), u',').marks, std::vector<QString>{u"USt 19 %"_qs});
}

TEST(Amounts, TheRoundingBoxNamesThePlaces)
{
    EXPECT_EQ(roundingBoxCaption(DecimalSelector::Free), u"auf 2 Nachkommastellen runden"_qs);
    EXPECT_EQ(roundingBoxCaption(DecimalSelector::Places1), u"auf 1 Nachkommastelle runden"_qs);
    EXPECT_EQ(roundingBoxCaption(DecimalSelector::Places3), u"auf 3 Nachkommastellen runden"_qs);
    EXPECT_EQ(roundingBoxCaption(DecimalSelector::Add), u"auf 2 Nachkommastellen runden"_qs);
}

// The window and the print mark a rounded result; the tape keeps the text,
// and the exports and the kept file carry it alone.
TEST(Amounts, RoundedRowsAreMarkedOnlyWhereTheyAreRead)
{
    CalculatorRig rig;
    rig.keys("Stellen:2 2 / 3 = CE 1 / 4 = CE 1 / 3 + = CE Stellen:F 2 / 3 =");
    const Tape& tape = rig.calculator.tape();
    ASSERT_EQ(tape.size(), 4);
    const bool rounded[] = {true, false, true, false};
    for (qsizetype i = 0; i < tape.size(); ++i)
        EXPECT_EQ(tape.row(i).rounded, rounded[i]) << tape.row(i).formula.toStdString();
    EXPECT_EQ(tape.row(0).result, u"0,67"_qs);
    EXPECT_EQ(tape.data(tape.index(0, int(TapeColumn::Result))).toString(), u"≈ 0,67"_qs);
    EXPECT_EQ(tape.data(tape.index(1, int(TapeColumn::Result))).toString(), u"0,25"_qs);
    EXPECT_FALSE(QString::fromUtf8(tapeAsCsv(tape)).contains(u'≈'));
    EXPECT_FALSE(QString::fromUtf8(tapeAsText(tape)).contains(u'≈'));
    EXPECT_FALSE(QString::fromUtf8(encodeTapeFile(tape)).contains(u'≈'));
    EXPECT_EQ(tape.summary(), u"Summe: 1,58666666666667 · 3 Posten"_qs) << "the rounded result counts as shown";
}

// Grouping is for people: every text a program reads back keeps the number
// as the calculator reads it.
TEST(Amounts, NoFormThatAProgramReadsCarriesThousandsPoints)
{
    QTemporaryDir folder;
    CalculatorRig rig;
    rig.keys("Tausenderpunkte text:1234567,89 * 1 = M+ Kopieren");
    const CalculatorState& state = rig.state();
    EXPECT_EQ(state.display.entryText, u"1234567,89"_qs);
    EXPECT_EQ(entryAsShown(state, u','), u"1.234.567,89"_qs);
    ASSERT_FALSE(rig.user.clipboard.empty());
    EXPECT_EQ(rig.user.clipboard.back(), u"1234567,89"_qs);
    EXPECT_EQ(state.memory.text, u"1234567,89"_qs);

    const Tape& tape = rig.calculator.tape();
    EXPECT_EQ(QString::fromUtf8(tapeAsText(tape)),
              u"1234567,89*1\t1.234.567,89\tErgebnis\nSumme\t1.234.567,89\t1 Posten\n"_qs);
    const QByteArray csv = tapeAsCsv(tape);
    EXPECT_TRUE(csv.contains("1234567,89*1;1234567,89;Ergebnis")) << csv.toStdString();
    EXPECT_EQ(tapeRowsFromCsv(csv, u','), std::vector<TapeRow>{tape.row(0)});
    const std::optional<std::vector<TapeRow>> kept = decodeTapeFile(encodeTapeFile(tape));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->at(0).result, u"1234567,89"_qs);

    const QString file = folder.filePath(u"summe.clc"_qs);
    rig.keys("text:+1");
    rig.user.saveFileNames.push_back(file);
    rig.user.take(rig.calculator.save());
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().trimmed(), QByteArray("1234567,89+1"));
}

// The VAT window shows the amounts grouped and hands back what it shows;
// the clipboard and the memory take the plain amount, a changed text as it is.
TEST(Amounts, CopyFromTheVatWindowTakesThePlainAmount)
{
    CalculatorRig rig;
    Calculator& calculator = rig.calculator;
    rig.user.whileVatWindowOpen.push_back([&]() -> const CalculatorState& {
        return calculator.copyAmount(VatField::Gross, u"11.900,00"_qs);
    });
    rig.keys("Tausenderpunkte text:10000 Ust+");
    ASSERT_FALSE(rig.user.clipboard.empty());
    EXPECT_EQ(rig.user.clipboard.back(), u"11900,00"_qs);
    EXPECT_EQ(rig.state().memory.text, u"11900,00"_qs);

    rig.user.whileVatWindowOpen.push_back([&]() -> const CalculatorState& {
        return calculator.copyAmount(VatField::Net, u"9.999"_qs);
    });
    rig.keys("CE text:10000 Ust+");
    EXPECT_EQ(rig.user.clipboard.back(), u"9.999"_qs) << "a text the user changed is copied as it is";
}

} // namespace
