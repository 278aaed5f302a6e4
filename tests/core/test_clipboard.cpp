// SPDX-License-Identifier: GPL-3.0-or-later
// "numra --zwischenablage": the clipboard computed apart from what the
// calculator holds, the result back on the clipboard, a tape row with the
// note "Zwischenablage"; and nothing changed when it cannot be computed.

#include "core/pendingline.h"
#include "support/keyscript.h"

#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

struct ClipboardCase {
    const char* name;
    const char* keysBefore;
    std::optional<const char*> clipboard; // nothing: no text on it (a picture)
    const char* copied;                   // "": the clipboard is left alone
    const char* row;                      // "formula|result", "" for none
    const char* entry;                    // afterwards
    const char* message = "";             // the error box
};

void PrintTo(const ClipboardCase& c, std::ostream* os) { *os << c.name; }

class Clipboard : public ::testing::TestWithParam<ClipboardCase> {};

TEST_P(Clipboard, ComputesGivesBackAndRecords)
{
    const ClipboardCase& c = GetParam();
    CalculatorRig rig;
    rig.keys(QString::fromUtf8(c.keysBefore));
    const QString formulaBefore = rig.state().formula;
    const qsizetype rowsBefore = rig.calculator.tape().size();
    rig.user.take(rig.calculator.computeClipboard(c.clipboard ? std::optional(QString::fromUtf8(*c.clipboard))
                                                              : std::nullopt));

    const std::vector<QString> errors = rig.user.messageTexts(MessageKind::Error);
    EXPECT_EQ(errors.empty() ? QString() : errors.front(), QString::fromUtf8(c.message));
    const QString copied = QString::fromUtf8(c.copied);
    EXPECT_EQ(rig.user.clipboard.empty() ? QString() : rig.user.clipboard.back(), copied);
    EXPECT_EQ(pendingLine(rig.state(), u',').notice, copied.isEmpty() ? QString() : copied + u" kopiert"_qs);
    const Tape& tape = rig.calculator.tape();
    if (*c.row) {
        ASSERT_EQ(tape.size(), rowsBefore + 1);
        const TapeRow& row = tape.row(tape.size() - 1);
        EXPECT_EQ(row.formula + u'|' + row.result, QString::fromUtf8(c.row));
        EXPECT_EQ(row.note, u"Zwischenablage"_qs);
    } else {
        EXPECT_EQ(tape.size(), rowsBefore);
    }
    EXPECT_EQ(rig.state().display.entryText, QString::fromUtf8(c.entry));
    EXPECT_EQ(rig.state().formula, formulaBefore) << "a formula begun stays";
}

INSTANTIATE_TEST_SUITE_P(Texts, Clipboard, ::testing::Values(
    ClipboardCase{"a formula", "", "12+5*2", "22", "12+5*2|22", "22"},
    ClipboardCase{"a formula with blanks and a line break", "", "  12 + 5 * 2\n", "22", "12 + 5 * 2|22", "22"},
    ClipboardCase{"an amount as people write it", "", "1.234,56 €", "1234,56", "1234,56|1234,56", "1234,56"},
    ClipboardCase{"a negative amount", "", "(45,00)", "-45", "-45,00|-45", "-45"},
    ClipboardCase{"rounded as the box says", "Runden", "10/3", "3,33", "10/3|3,33", "3,33"},
    ClipboardCase{"a formula begun in keypad mode stays", "1 2 +", "5*2", "10", "5*2|10", "10"},
    ClipboardCase{"edit mode's text stays", "Edit text:7*", "5*2", "10", "5*2|10", "7*"},
    ClipboardCase{"empty", "1 2", "", "", "", "12", "Die Zwischenablage ist leer."},
    ClipboardCase{"blanks only", "1 2", " \n\t", "", "", "12", "Die Zwischenablage ist leer."},
    ClipboardCase{"no text", "1 2", std::nullopt, "", "", "12", "Die Zwischenablage enthält keinen Text."},
    ClipboardCase{"reads two ways", "1 2", "1,234.56", "", "", "12",
                  "'1,234.56' ist kein eindeutiger Betrag: Das Dezimaltrennzeichen ist das Komma."},
    ClipboardCase{"an error", "1 2", "1/0", "", "", "12",
                  "„1/0“ aus der Zwischenablage lässt sich nicht ausrechnen: Gleitkommadivision durch Null."},
    ClipboardCase{"an unknown name", "", "Summe der Rechnung", "", "", "",
                  "„Summe der Rechnung“ aus der Zwischenablage lässt sich nicht ausrechnen: Unbekannter "
                  "Bezeichner 'Summe'"}));

// A column is added as Ctrl+V adds it, after the same question: a row for
// each amount, each with the note, and the sum goes back.
TEST(ClipboardColumn, IsAddedWhenTheUserAgrees)
{
    CalculatorRig rig;
    rig.user.addPastedAnswers = {false, true};
    rig.user.take(rig.calculator.computeClipboard(u"1,50\n2,50\n3"_qs));
    EXPECT_EQ(rig.calculator.tape().size(), 0);
    EXPECT_TRUE(rig.user.clipboard.empty());

    rig.user.take(rig.calculator.computeClipboard(u"1,50\n2,50\n3"_qs));
    ASSERT_EQ(rig.user.addQuestions.size(), 2u);
    EXPECT_EQ(rig.user.clipboard, std::vector<QString>{u"7"_qs});
    const Tape& tape = rig.calculator.tape();
    ASSERT_EQ(tape.size(), 3);
    for (qsizetype i = 0; i < 3; ++i)
        EXPECT_EQ(tape.row(i).note, u"Zwischenablage"_qs);
    EXPECT_EQ(pendingLine(rig.state(), u',').notice, u"7 kopiert"_qs);

    // Ctrl+V's column after it has no note and leaves the clipboard alone.
    rig.user.take(rig.calculator.paste(u"1\n2"_qs));
    EXPECT_EQ(tape.row(tape.size() - 1).note, QString());
    EXPECT_EQ(rig.user.clipboard.size(), 1u);
}

// The result given back is what a program reads: no thousands points; and
// it is the entry, from which the next calculation goes on, linked.
TEST(ClipboardResult, IsPlainAndGoesOnAsAResult)
{
    CalculatorRig rig;
    rig.keys("Tausenderpunkte");
    rig.user.take(rig.calculator.computeClipboard(u"1000*1234,5"_qs));
    EXPECT_EQ(rig.user.clipboard, std::vector<QString>{u"1234500"_qs});
    EXPECT_EQ(entryAsShown(rig.state(), u','), u"1.234.500"_qs);
    rig.keys("+ 1 =");
    const Tape& tape = rig.calculator.tape();
    ASSERT_EQ(tape.size(), 2);
    EXPECT_EQ(tape.row(1).formula, u"1234500+1"_qs);
    ASSERT_TRUE(tape.entry(1).link.has_value());
    EXPECT_EQ(tape.entry(1).link->source, tape.id(0));
    EXPECT_EQ(pendingLine(rig.state(), u',').notice, QString()) << "the notice goes with the next key";
}

} // namespace
