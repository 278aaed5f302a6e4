// SPDX-License-Identifier: GPL-3.0-or-later
// The tape as a worksheet: a row corrected in place is computed again by the
// calculator's rules, every row that went on from its result follows, and
// each change to the tape is undone and redone.

#include "core/tapedocument.h"
#include "support/keyscript.h"
#include "support/testfiles.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <utility>

using namespace numra;
using namespace numra::testing;

namespace {

// "formula|result" per row, or "formula|!error" for a row with an error,
// then the summary; rows joined by " / ".
QString sheetOf(const Tape& tape)
{
    QStringList rows;
    for (qsizetype i = 0; i < tape.size(); ++i) {
        const TapeRow& row = tape.row(i);
        QString line = row.formula + u'|' + (row.error.isEmpty() ? row.result : u'!' + row.error);
        if (!row.note.isEmpty())
            line += u'|' + row.note;
        rows << line;
    }
    rows << tape.summary();
    return rows.join(QStringLiteral(" / "));
}

struct EditCase {
    const char* name;
    const char* keys;
    qsizetype row;
    const char* text;
    const char* before;
    const char* after;
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name << " [" << c.keys << "]"; }

class EditedRow : public ::testing::TestWithParam<EditCase> {};

// The edit reaches every later row linked to it; undo gives back the tape as
// it was, texts and total alike, and redo the edit.
TEST_P(EditedRow, ChangesEveryRowThatWentOnFromItAndIsUndone)
{
    const EditCase& c = GetParam();
    CalculatorRig rig;
    rig.keys(QString::fromUtf8(c.keys));
    const Tape& tape = rig.calculator.tape();
    ASSERT_EQ(sheetOf(tape), QString::fromUtf8(c.before)) << rig.transcript().toStdString();

    rig.user.take(rig.calculator.editTapeRow(c.row, QString::fromUtf8(c.text)));
    EXPECT_EQ(sheetOf(tape), QString::fromUtf8(c.after));
    EXPECT_EQ(rig.state().outcome.tapeRow, c.row);

    rig.user.take(rig.calculator.undoTape());
    EXPECT_EQ(sheetOf(tape), QString::fromUtf8(c.before)) << "undone";
    rig.user.take(rig.calculator.redoTape());
    EXPECT_EQ(sheetOf(tape), QString::fromUtf8(c.after)) << "redone";
}

INSTANTIATE_TEST_SUITE_P(Chains, EditedRow, ::testing::Values(
    EditCase{"plain sums", "1 2 + 3 = + 5 = + 1 0 =", 0, "12+4",
             "12+3|15 / 15+5|20 / 20+10|30 / Summe: 65 · 3 Posten",
             "12+4|16 / 16+5|21 / 21+10|31 / Summe: 68 · 3 Posten"},
    EditCase{"a middle row: the rows before it stay", "1 2 + 3 = + 5 = + 1 0 =", 1, "15*2",
             "12+3|15 / 15+5|20 / 20+10|30 / Summe: 65 · 3 Posten",
             "12+3|15 / 15*2|30 / 30+10|40 / Summe: 85 · 3 Posten"},
    EditCase{"a row on its own changes only itself", "1 + 1 = CE text:5*5 =", 0, "2+2",
             "1+1|2 / 5*5|25 / Summe: 27 · 2 Posten",
             "2+2|4 / 5*5|25 / Summe: 29 · 2 Posten"},
    EditCase{"cents that binary fractions would miss", "text:0,1 + text:0,2 = + text:0,3 =", 0, "0,1+0,7",
             "0,1+0,2|0,3 / 0,3+0,3|0,6 / Summe: 0,9 · 2 Posten",
             "0,1+0,7|0,8 / 0,8+0,3|1,1 / Summe: 1,9 · 2 Posten"},
    EditCase{"a VAT row takes the new amount, and the row after it", "1 0 0 + 2 0 = Ust+ + 1 =", 0, "100+100",
             "100+20|120 / Netto 120,00 · Steuer 19 % 22,80 · Brutto 142,80|142,80 / 142,80+1|143,80 / "
             "Summe: 263,8 · 2 Posten",
             "100+100|200 / Netto 200,00 · Steuer 19 % 38,00 · Brutto 238,00|238,00 / 238,00+1|239,00 / "
             "Summe: 439 · 2 Posten"},
    EditCase{"the amount of a VAT row itself", "text:100 Ust+ + 1 =", 0, "50",
             "Netto 100,00 · Steuer 19 % 19,00 · Brutto 119,00|119,00 / 119,00+1|120,00 / Summe: 120 · 1 Posten",
             "Netto 50,00 · Steuer 19 % 9,50 · Brutto 59,50|59,50 / 59,50+1|60,50 / Summe: 60,5 · 1 Posten"},
    EditCase{"a percent row", "2 0 0 = + 1 0 %", 0, "300",
             "200|200 / 200+10%|220 / Summe: 200 · 1 Posten",
             "300|300 / 300+10%|330 / Summe: 300 · 1 Posten"},
    EditCase{"rounding the row was made with", "Runden text:10 / 3 = + 1 =", 0, "20/3",
             "10/3|3,33 / 3,33+1|4,33 / Summe: 7,66 · 2 Posten",
             "20/3|6,67 / 6,67+1|7,67 / Summe: 14,34 · 2 Posten"},
    EditCase{"an error in the middle: the rows after it fail and count nothing", "1 0 + 5 = + 5 = + 1 =", 1, "15/0",
             "10+5|15 / 15+5|20 / 20+1|21 / Summe: 56 · 3 Posten",
             "10+5|15 / 15/0|!Gleitkommadivision durch Null. / 20+1|!Die Zeile, mit deren Ergebnis diese Zeile "
             "weiterrechnet, hat einen Fehler. / Summe: 15 · 1 Posten"},
    EditCase{"a formula error in German", "1 + 2 =", 0, "1+*2",
             "1+2|3 / Summe: 3 · 1 Posten",
             "1+*2|!Ausdruck erwartet, aber '*' gefunden. / Summe: 0 · 0 Posten"}));

TEST(TapeEditing, AnErrorCorrectedCountsAgainAndSoDoTheRowsAfterIt)
{
    CalculatorRig rig;
    rig.keys("1 0 + 5 = + 5 =");
    rig.calculator.editTapeRow(0, QStringLiteral("10+x"));
    ASSERT_FALSE(rig.calculator.tape().row(1).error.isEmpty());
    rig.calculator.editTapeRow(0, QStringLiteral("10+6"));
    EXPECT_EQ(sheetOf(rig.calculator.tape()), QStringLiteral("10+6|16 / 16+5|21 / Summe: 37 · 2 Posten"));
}

// A row is computed again in the arithmetic the calculator has now.
TEST(TapeEditing, ARowFollowsTheExactArithmetic)
{
    for (const auto& [keys, result] : {std::pair{"1 + 2 =", "5,55111512312578E-17"}, std::pair{"Genau 1 + 2 =", "0"}}) {
        CalculatorRig rig;
        rig.keys(QString::fromUtf8(keys));
        rig.calculator.editTapeRow(0, QStringLiteral("0,1+0,2-0,3"));
        EXPECT_EQ(rig.calculator.tape().row(0).result, QString::fromUtf8(result)) << keys;
    }
}

// A blank or unchanged text is no edit: nothing to undo.
TEST(TapeEditing, ABlankOrUnchangedTextChangesNothing)
{
    CalculatorRig rig;
    rig.keys("1 + 2 =");
    for (const QString& text : {QStringLiteral("  "), QStringLiteral("1+2")}) {
        rig.calculator.editTapeRow(0, text);
        EXPECT_FALSE(rig.calculator.tapeHistory().canUndo()) << text.toStdString();
    }
}

// A formula typed into the empty last row is computed and added, with the
// rounding the calculator has now.
TEST(TapeEditing, AFormulaTypedAtTheEndIsAdded)
{
    CalculatorRig rig;
    rig.keys("1 + 2 = Runden");
    rig.user.take(rig.calculator.editTapeRow(1, QStringLiteral("10/3")));
    EXPECT_EQ(sheetOf(rig.calculator.tape()), QStringLiteral("1+2|3 / 10/3|3,33 / Summe: 6,33 · 2 Posten"));
    EXPECT_EQ(rig.state().outcome.tapeRow, 1);
    rig.calculator.undoTape();
    EXPECT_EQ(sheetOf(rig.calculator.tape()), QStringLiteral("1+2|3 / Summe: 3 · 1 Posten"));
}

struct StepCase {
    const char* name;
    std::function<void(Calculator&)> change;
    const char* after;
};

void PrintTo(const StepCase& c, std::ostream* os) { *os << c.name; }

class TapeStepUndo : public ::testing::TestWithParam<StepCase> {};

// Each change is one step back and one step forward again.
TEST_P(TapeStepUndo, IsUndoneAndRedone)
{
    const StepCase& c = GetParam();
    CalculatorRig rig;
    rig.keys("1 2 + 3 = + 5 = CE text:7 =");
    const Tape& tape = rig.calculator.tape();
    const QString before = sheetOf(tape);
    const QString entryBefore = rig.state().display.entryText;
    c.change(rig.calculator);
    EXPECT_EQ(sheetOf(tape), QString::fromUtf8(c.after));
    const QString entryAfter = rig.state().display.entryText;

    rig.calculator.undoTape();
    EXPECT_EQ(sheetOf(tape), before);
    EXPECT_EQ(rig.state().display.entryText, entryBefore);
    EXPECT_FALSE(rig.calculator.tapeHistory().canUndo());
    rig.calculator.redoTape();
    EXPECT_EQ(sheetOf(tape), QString::fromUtf8(c.after));
    EXPECT_EQ(rig.state().display.entryText, entryAfter);
}

INSTANTIATE_TEST_SUITE_P(Changes, TapeStepUndo, ::testing::Values(
    StepCase{"a note", [](Calculator& c) { c.setTapeNote(1, QStringLiteral("Miete")); },
             "12+3|15 / 15+5|20|Miete / 7|7 / Summe: 42 · 3 Posten"},
    StepCase{"a row deleted", [](Calculator& c) { c.deleteTapeRow(0); },
             "15+5|20 / 7|7 / Summe: 27 · 2 Posten"},
    StepCase{"a row moved up", [](Calculator& c) { c.moveTapeRow(2, 1); },
             "12+3|15 / 7|7 / 15+5|20 / Summe: 42 · 3 Posten"},
    StepCase{"a row moved to the front", [](Calculator& c) { c.moveTapeRow(2, 0); },
             "7|7 / 12+3|15 / 15+5|20 / Summe: 42 · 3 Posten"},
    StepCase{"the tape cleared", [](Calculator& c) { c.clearTape(); }, "Summe: 0 · 0 Posten"},
    StepCase{"the grand total taken over", [](Calculator& c) { c.recallGrandTotal(); },
             "12+3|15 / 15+5|20 / 7|7 / Summe: 42 · 3 Posten"}));

// A note is the user's text, never a number, and has at most 200 characters.
TEST(TapeEditing, ANoteIsCutAtItsLengthAndCountsNothing)
{
    CalculatorRig rig;
    rig.keys("1 + 2 =");
    rig.calculator.setTapeNote(0, QString(250, u'9'));
    EXPECT_EQ(rig.calculator.tape().row(0).note, QString(kMaxNoteLength, u'9'));
    EXPECT_EQ(rig.calculator.tape().summary(), QStringLiteral("Summe: 3 · 1 Posten"));
}

// The oldest steps go; the newest 100 and more are kept.
TEST(TapeEditing, AHundredStepsAreUndone)
{
    CalculatorRig rig;
    rig.keys("1 + 2 =");
    for (int i = 0; i < 150; ++i)
        rig.calculator.setTapeNote(0, QString::number(i));
    for (int i = 0; i < 100; ++i)
        rig.calculator.undoTape();
    EXPECT_EQ(rig.calculator.tape().row(0).note, QStringLiteral("49"));
}

// A row deleted while a row linked to it stays: the link goes with the
// source, and editing the linked row no longer reaches anything.
TEST(TapeEditing, RowsAddedAfterAnUndoneStepStay)
{
    CalculatorRig rig;
    rig.keys("1 + 2 =");
    rig.calculator.deleteTapeRow(0);
    rig.keys("CE text:5 =");
    rig.calculator.undoTape();
    EXPECT_EQ(sheetOf(rig.calculator.tape()), QStringLiteral("1+2|3 / 5|5 / Summe: 8 · 2 Posten"));
}

// --- tape documents ---

class TapeDocumentFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    QString file(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }
    QTemporaryDir folder;
};

TEST_F(TapeDocumentFiles, ASavedTapeOpensAgainByteForByte)
{
    CalculatorRig rig;
    rig.keys("1 2 + 3 = + 5 = Runden text:10 / 3 = text:100 Ust+");
    rig.calculator.setTapeNote(0, QStringLiteral("Miete\tMärz \\n"));
    rig.calculator.editTapeRow(2, QStringLiteral("1/0"));
    const QString saved = file("a.rstr");
    rig.user.take(rig.calculator.saveTapeDocument(saved));
    ASSERT_TRUE(rig.state().outcome.messages.empty());

    CalculatorRig other;
    other.keys("9 9 =");
    other.user.take(other.calculator.openTapeDocument(saved));
    ASSERT_TRUE(other.state().outcome.messages.empty());
    EXPECT_EQ(sheetOf(other.calculator.tape()), sheetOf(rig.calculator.tape()));
    const QString again = file("b.rstr");
    other.calculator.saveTapeDocument(again);
    EXPECT_EQ(contentsOf(again), contentsOf(saved));

    // Opening is a step: undone, the tape before it is back.
    other.calculator.undoTape();
    EXPECT_EQ(sheetOf(other.calculator.tape()), QStringLiteral("99|99 / Summe: 99 · 1 Posten"));
}

// An edited formula in the file changes its row, every row linked to it and
// the total; the results written in the file are not taken on trust.
TEST_F(TapeDocumentFiles, RowsAreComputedAgainWhenOpened)
{
    const QString path = file("edited.rstr");
    writeFile(path, "Numra-Rechenstreifen-Dokument 1\nDezimaltrennzeichen\t,\n"
                    "Art\tFormel\tErgebnis\tNotiz\tRunden\tSatz\tBezug\n"
                    "Ergebnis\t12+4\t15\tMiete\t\t\t\n"
                    "Ergebnis\t15+5\t20\t\t\t\t1:0:2\n"
                    "Ust+\t20\t23,80\t\t2\t19\t2:0:2\n");
    CalculatorRig rig;
    rig.user.take(rig.calculator.openTapeDocument(path));
    EXPECT_EQ(sheetOf(rig.calculator.tape()),
              QStringLiteral("12+4|16|Miete / 16+5|21 / Netto 21,00 · Steuer 19 % 3,99 · Brutto 24,99|24,99 / "
                             "Summe: 37 · 2 Posten"));
}

struct CorruptDocument {
    const char* name;
    QByteArray bytes;
    const char* message; // %1: the file's name
};

void PrintTo(const CorruptDocument& c, std::ostream* os) { *os << c.name; }

class UnreadableDocument : public TapeDocumentFiles, public ::testing::WithParamInterface<CorruptDocument> {};

const QByteArray kHead = "Numra-Rechenstreifen-Dokument 1\nDezimaltrennzeichen\t,\n"
                         "Art\tFormel\tErgebnis\tNotiz\tRunden\tSatz\tBezug\n";

// A clear German message, and the open tape, its total and its undo as they were.
TEST_P(UnreadableDocument, LeavesTheOpenTapeUnchanged)
{
    const CorruptDocument& c = GetParam();
    const QString path = file("x.rstr");
    writeFile(path, c.bytes);
    CalculatorRig rig;
    rig.keys("1 2 + 3 =");
    const QString before = sheetOf(rig.calculator.tape());
    rig.user.take(rig.calculator.openTapeDocument(path));
    EXPECT_EQ(sheetOf(rig.calculator.tape()), before);
    EXPECT_FALSE(rig.calculator.tapeHistory().canUndo());
    EXPECT_EQ(rig.transcript(), QStringLiteral("Fehler: ") + QString::fromUtf8(c.message).arg(path));
}

INSTANTIATE_TEST_SUITE_P(Documents, UnreadableDocument, ::testing::Values(
    CorruptDocument{"empty", "", "\"%1\" ist kein Numra-Rechenstreifen."},
    CorruptDocument{"another format", "Formel;Ergebnis;Art\r\n", "\"%1\" ist kein Numra-Rechenstreifen."},
    CorruptDocument{"the kept file", "Numra-Rechenstreifen 2\n", "\"%1\" ist kein Numra-Rechenstreifen."},
    CorruptDocument{"a newer version", "Numra-Rechenstreifen-Dokument 2\n",
                    "\"%1\" ist ein Rechenstreifen einer neueren Numra-Version."},
    CorruptDocument{"another separator",
                    "Numra-Rechenstreifen-Dokument 1\nDezimaltrennzeichen\t.\nArt\tFormel\tErgebnis\tNotiz\tRunden\tSatz\tBezug\n",
                    "\"%1\" wurde mit dem Dezimaltrennzeichen \".\" gespeichert, hier gilt \",\"."},
    CorruptDocument{"a row cut short", kHead + "Ergebnis\t1+1\t2\t\t\t\t\n" + "Ergebnis\t2",
                    "\"%1\" ist beschädigt: Zeile 5 kann nicht gelesen werden."},
    CorruptDocument{"an unknown kind", kHead + "Summe\t1\t1\t\t\t\t\n",
                    "\"%1\" ist beschädigt: Zeile 4 kann nicht gelesen werden."},
    CorruptDocument{"a note too long", kHead + "Ergebnis\t1\t1\t" + QByteArray(201, 'x') + "\t\t\t\n",
                    "\"%1\" ist beschädigt: Zeile 4 kann nicht gelesen werden."},
    CorruptDocument{"a link to a row that is not there", kHead + "Ergebnis\t1+1\t2\t\t\t\t5:0:1\n",
                    "\"%1\" ist beschädigt: Zeile 4 kann nicht gelesen werden."},
    CorruptDocument{"links in a circle", kHead + "Ergebnis\t1+1\t2\t\t\t\t2:0:1\n" + "Ergebnis\t2+1\t3\t\t\t\t1:0:1\n",
                    "\"%1\" ist beschädigt: die Bezüge seiner Zeilen bilden einen Kreis."},
    CorruptDocument{"not UTF-8", kHead + "Ergebnis\t\xff\t1\t\t\t\t\n",
                    "\"%1\" ist beschädigt: Zeile 4 kann nicht gelesen werden."},
    CorruptDocument{"one row too many", kHead + QByteArray("Ergebnis\t1\t1\t\t\t\t\n").repeated(kMaxTapeRows + 1),
                    "\"%1\" ist zu groß für einen Rechenstreifen: er hat höchstens 10000 Zeilen."}));

} // namespace
