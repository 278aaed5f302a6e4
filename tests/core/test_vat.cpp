// SPDX-License-Identifier: GPL-3.0-or-later
// "Ust+" and "Ust-", and the VAT window's amounts.

#include "support/keyscript.h"
#include "core/vatamounts.h"

#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

class VatKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(VatKeys, LeaveEntryFormulaAndWindow) { expectKeyCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Table, VatKeys, ::testing::Values(
    KeyCase{"gross from net", "text:12,5 Ust+", "14,88", "",
            "MwSt: Netto=12,50 Steuer=2,38 Brutto=14,88 (Umsatzsteuer)"},
    KeyCase{"net from gross", "1 1 9 Ust-", "100,00", "",
            "MwSt: Netto=100,00 Steuer=19,00 Brutto=119,00 (UST)"},
    KeyCase{"net from 100", "1 0 0 Ust-", "84,03", "",
            "MwSt: Netto=84,03 Steuer=15,97 Brutto=100,00 (UST)"},
    KeyCase{"single precision costs a cent", "text:123456,78 Ust+", "146913,57", "",
            "MwSt: Netto=123456,78 Steuer=23456,78 Brutto=146913,56 (Umsatzsteuer)"},
    KeyCase{"keypad point is read as the separator", "1 2 . 5 Ust+", "14,88", "",
            "MwSt: Netto=12,50 Steuer=2,38 Brutto=14,88 (Umsatzsteuer)"},
    KeyCase{"only the first point", "text:1.000,50 Ust+", "1.000,50", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"empty entry", "Ust+", "", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"no number", "Edit text:1+2 Ust-", "1+2", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"beyond the single range", "text:1E39 Ust+", "1E39", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"unchecked box rounds the entry first", "text:12,345 Ust+", "14,70", "",
            "MwSt: Netto=12,35 Steuer=2,35 Brutto=14,70 (Umsatzsteuer)"},
    KeyCase{"checked box keeps all decimals", "Runden text:12,345 Ust+", "14,69", "",
            "MwSt: Netto=12,35 Steuer=2,34 Brutto=14,69 (Umsatzsteuer)"},
    KeyCase{"pending formula is discarded", "1 2 + 5 Ust+", "5,95", "",
            "MwSt: Netto=5,00 Steuer=0,95 Brutto=5,95 (Umsatzsteuer)"},
    KeyCase{"negative amount", "text:-100 Ust+", "-119,00", "",
            "MwSt: Netto=-100,00 Steuer=-19,00 Brutto=-119,00 (Umsatzsteuer)"},
    KeyCase{"calculation error: no window, the VAT formula stays",
            "text:300000000000000000000000000000000000000 Ust+", "3E38", "3E38*1.19",
            "Fehler: Missing operator or semicolon."},
    KeyCase{"point separator reads the keypad point", "1 2 . 5 Ust+", "14.88", "",
            "MwSt: Netto=12.50 Steuer=2.38 Brutto=14.88 (Umsatzsteuer)", u'.'},
    KeyCase{"point separator, whole amount", "1 1 9 Ust-", "100.00", "",
            "MwSt: Netto=100.00 Steuer=19.00 Brutto=119.00 (UST)", u'.'}));

TEST(VatKeys, LeaveTheBoxCheckedAndTheSubtotalFlagFalse)
{
    CalculatorRig rig;
    rig.keys("1 0 Ust+");
    EXPECT_TRUE(rig.calculator.display().roundingChecked);
    EXPECT_FALSE(rig.calculator.subtotalShown());
    rig.keys("CE Ust+");
    EXPECT_TRUE(rig.calculator.display().roundingChecked) << "a refused entry leaves the box checked";
}

TEST(VatKeys, HandTheWindowOneAmountAndTheTax)
{
    CalculatorRig rig;
    rig.keys("text:12,5 Ust+ CE 1 1 9 Ust-");
    ASSERT_EQ(rig.ui.vatWindows.size(), 2u);
    const VatWindowInput& gross = rig.ui.vatWindows[0].input;
    EXPECT_EQ(gross.gross, QStringLiteral("14,88"));
    EXPECT_EQ(gross.net, QString());
    EXPECT_EQ(gross.tax, QStringLiteral("2,38"));
    const VatWindowInput& net = rig.ui.vatWindows[1].input;
    EXPECT_EQ(net.net, QStringLiteral("100,00"));
    EXPECT_EQ(net.gross, QString());
}

TEST(VatKeys, LabelsFollowTheLanguage)
{
    CalculatorRig rig;
    rig.calculator.setLanguage(Language::English);
    rig.keys("text:12,5 Ust+ CE 1 1 9 Ust- CE Ust+");
    EXPECT_EQ(rig.transcript(),
              QStringLiteral("MwSt: Netto=12,50 Steuer=2,38 Brutto=14,88 (Sales taxes) | "
                             "MwSt: Netto=100,00 Steuer=19,00 Brutto=119,00 (Tax) | "
                             "Fehler: Invalid input"));
    ASSERT_FALSE(rig.ui.vatWindows.empty());
    EXPECT_EQ(rig.ui.vatWindows[0].input.language, Language::English);
}

TEST(VatKeys, CopyStoresTheAmountInTheMemory)
{
    CalculatorRig rig;
    rig.ui.vatChoices = {VatField::Net};
    rig.keys("text:12,5 Ust+");
    EXPECT_EQ(rig.calculator.memory().state, MemoryRegister::State::Text);
    EXPECT_EQ(rig.calculator.memory().text, QStringLiteral("12,50"));
    EXPECT_EQ(rig.ui.clipboard, std::vector<QString>{QStringLiteral("12,50")});
    EXPECT_EQ(rig.ui.messageTexts(MessageKind::Plain),
              std::vector<QString>{QStringLiteral("Wert kopiert: 12,50")});
    rig.keys("CE M-");
    EXPECT_EQ(rig.calculator.display().entryText, QStringLiteral("12,50"));
}

TEST(VatKeys, CancelledChooserCopiesNothing)
{
    CalculatorRig rig;
    rig.keys("1 2 M+ text:,5 Ust+");
    EXPECT_EQ(rig.calculator.memory().text, QStringLiteral("12"));
    EXPECT_TRUE(rig.ui.clipboard.empty());
}

struct CompletionCase {
    const char* name;
    VatAmounts given;
    VatAmounts shown;
    int failedSteps;
};

void PrintTo(const CompletionCase& c, std::ostream* os) { *os << c.name; }

class VatCompletionTable : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(VatCompletionTable, CompletesTheThirdAmount)
{
    const CompletionCase& c = GetParam();
    const VatCompletion done = completeVatAmounts(c.given, u',');
    EXPECT_EQ(done.amounts.net, c.shown.net) << c.name;
    EXPECT_EQ(done.amounts.tax, c.shown.tax) << c.name;
    EXPECT_EQ(done.amounts.gross, c.shown.gross) << c.name;
    EXPECT_EQ(done.failedSteps, c.failedSteps) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, VatCompletionTable, ::testing::Values(
    CompletionCase{"net from gross, then gross again", {"", "2,38", "14,88"}, {"12,50", "2,38", "14,88"}, 0},
    CompletionCase{"gross from net", {"100,00", "19,00", ""}, {"100,00", "19,00", "119,00"}, 0},
    CompletionCase{"single precision", {"", "23456,78", "146913,57"},
                   {"123456,78", "23456,78", "146913,56"}, 0},
    CompletionCase{"bad gross", {"", "2,38", "abc"}, {"", "2,38", "abc"}, 1},
    CompletionCase{"bad tax fails both steps", {"", "x", "14,88"}, {"", "x", "14,88"}, 1},
    CompletionCase{"bad tax with both amounts", {"1,00", "x", "2,00"}, {"1,00", "x", "2,00"}, 2},
    CompletionCase{"empty tax is no number", {"1,00", "", ""}, {"1,00", "", ""}, 1},
    CompletionCase{"point under German settings", {"12.50", "2,38", ""}, {"12.50", "2,38", ""}, 1},
    CompletionCase{"beyond the single range", {"3E38", "3E38", ""}, {"3E38", "3E38", ""}, 1},
    CompletionCase{"blank fields are skipped", {" ", "1", "\t"}, {" ", "1", "\t"}, 0}));

TEST(VatCopy, TakesTheChosenFieldWithoutBlanks)
{
    const VatAmounts amounts{" 12,50", "2,38 ", "14,88"};
    EXPECT_EQ(vatFieldText(amounts, VatField::Net), QStringLiteral("12,50"));
    EXPECT_EQ(vatFieldText(amounts, VatField::Tax), QStringLiteral("2,38"));
    EXPECT_EQ(vatFieldText(amounts, VatField::Gross), QStringLiteral("14,88"));
    EXPECT_EQ(vatFieldText(amounts, VatField::None), QString());
    EXPECT_EQ(vatCopyNotice(QStringLiteral("2,38")), QStringLiteral("Wert kopiert: 2,38"));
}

} // namespace
