// SPDX-License-Identifier: GPL-3.0-or-later
// "Ust+" and "Ust-", and the VAT window's amounts.

#include "support/keyscript.h"
#include "core/vatamounts.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <cstdlib>

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
    KeyCase{"amounts in cents add up", "text:123456,78 Ust+", "146913,57", "",
            "MwSt: Netto=123456,78 Steuer=23456,79 Brutto=146913,57 (Umsatzsteuer)"},
    KeyCase{"the amount typed is kept", "text:1234567,89 Ust+", "1469135,79", "",
            "MwSt: Netto=1234567,89 Steuer=234567,90 Brutto=1469135,79 (Umsatzsteuer)"},
    KeyCase{"the window adds up to the entry", "text:250000,10 Ust+", "297500,12", "",
            "MwSt: Netto=250000,10 Steuer=47500,02 Brutto=297500,12 (Umsatzsteuer)"},
    KeyCase{"net from a large gross", "text:1469135,79 Ust-", "1234567,89", "",
            "MwSt: Netto=1234567,89 Steuer=234567,90 Brutto=1469135,79 (UST)"},
    KeyCase{"decimal key", "1 2 . 5 Ust+", "14,88", "",
            "MwSt: Netto=12,50 Steuer=2,38 Brutto=14,88 (Umsatzsteuer)"},
    KeyCase{"a point typed is read as the separator", "Edit text:12.5 Ust+", "14,88", "",
            "MwSt: Netto=12,50 Steuer=2,38 Brutto=14,88 (Umsatzsteuer)"},
    KeyCase{"cents typed after a point alone", "Edit text:.5 Ust+", "0,60", "",
            "MwSt: Netto=0,50 Steuer=0,10 Brutto=0,60 (Umsatzsteuer)"},
    KeyCase{"only the first point", "text:1.000,50 Ust+", "1.000,50", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"empty entry", "Ust+", "", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"no number", "Edit text:1+2 Ust-", "1+2", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"a sign alone is no number", "text:- Ust+", "-", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"largest net amount", "text:8403361344537,81 Ust+", "9999999999999,99", "",
            "MwSt: Netto=8403361344537,81 Steuer=1596638655462,18 Brutto=9999999999999,99 (Umsatzsteuer)"},
    KeyCase{"gross beyond the bound", "text:8403361344537,82 Ust+", "8403361344537,82", "",
            "Fehler: Ungültige Eingabe"},
    KeyCase{"largest gross amount", "text:9999999999999,99 Ust-", "8403361344537,81", "",
            "MwSt: Netto=8403361344537,81 Steuer=1596638655462,18 Brutto=9999999999999,99 (UST)"},
    KeyCase{"amount beyond the bound", "text:10000000000000 Ust-", "10000000000000,00", "",
            "Fehler: Ungültige Eingabe"},
    KeyCase{"far beyond the bound", "text:1E39 Ust+", "1E39", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"unchecked box rounds the entry first", "text:12,345 Ust+", "14,70", "",
            "MwSt: Netto=12,35 Steuer=2,35 Brutto=14,70 (Umsatzsteuer)"},
    KeyCase{"checked box: the amount is rounded to cents all the same", "Runden text:12,345 Ust+", "14,70", "",
            "MwSt: Netto=12,35 Steuer=2,35 Brutto=14,70 (Umsatzsteuer)"},
    KeyCase{"cents round as shown", "Runden text:2,675 Ust+", "3,19", "",
            "MwSt: Netto=2,68 Steuer=0,51 Brutto=3,19 (Umsatzsteuer)"},
    KeyCase{"pending formula is discarded", "1 2 + 5 Ust+", "5,95", "",
            "MwSt: Netto=5,00 Steuer=0,95 Brutto=5,95 (Umsatzsteuer)"},
    KeyCase{"negative amount", "text:-100 Ust+", "-119,00", "",
            "MwSt: Netto=-100,00 Steuer=-19,00 Brutto=-119,00 (Umsatzsteuer)"},
    KeyCase{"negative amount, halves away from zero", "text:-123456,78 Ust+", "-146913,57", "",
            "MwSt: Netto=-123456,78 Steuer=-23456,79 Brutto=-146913,57 (Umsatzsteuer)"},
    KeyCase{"negative gross", "text:-119 Ust-", "-100,00", "",
            "MwSt: Netto=-100,00 Steuer=-19,00 Brutto=-119,00 (UST)"},
    KeyCase{"zero", "0 Ust-", "0,00", "", "MwSt: Netto=0,00 Steuer=0,00 Brutto=0,00 (UST)"},
    KeyCase{"a refused amount keeps the pending formula", "1 2 + text:x Ust+", "x", "12+",
            "Fehler: Ungültige Eingabe"},
    KeyCase{"point separator reads the keypad point", "1 2 . 5 Ust+", "14.88", "",
            "MwSt: Netto=12.50 Steuer=2.38 Brutto=14.88 (Umsatzsteuer)", u'.'},
    KeyCase{"point separator, whole amount", "1 1 9 Ust-", "100.00", "",
            "MwSt: Netto=100.00 Steuer=19.00 Brutto=119.00 (UST)", u'.'}));

TEST(VatKeys, LeaveTheBoxCheckedAndTheSubtotalFlagFalse)
{
    CalculatorRig rig;
    rig.keys("1 0 Ust+");
    EXPECT_TRUE(rig.calculator.state().display.roundingChecked);
    EXPECT_FALSE(rig.calculator.state().lastWasSubtotal);
    rig.keys("CE Ust+");
    EXPECT_TRUE(rig.calculator.state().display.roundingChecked) << "a refused entry leaves the box checked";
}

TEST(VatKeys, HandTheWindowAllThreeAmounts)
{
    CalculatorRig rig;
    rig.keys("text:12,5 Ust+ CE 1 1 9 Ust-");
    ASSERT_EQ(rig.user.vatWindows.size(), 2u);
    const VatAmounts& fromNet = rig.user.vatWindows[0].amounts;
    EXPECT_EQ(fromNet.net, QStringLiteral("12,50"));
    EXPECT_EQ(fromNet.tax, QStringLiteral("2,38"));
    EXPECT_EQ(fromNet.gross, QStringLiteral("14,88"));
    const VatAmounts& fromGross = rig.user.vatWindows[1].amounts;
    EXPECT_EQ(fromGross.net, QStringLiteral("100,00"));
    EXPECT_EQ(fromGross.gross, QStringLiteral("119,00"));
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
    ASSERT_FALSE(rig.user.vatWindows.empty());
    EXPECT_EQ(rig.user.vatWindows[0].language, Language::English);
}

TEST(VatKeys, CopyStoresTheAmountInTheMemory)
{
    CalculatorRig rig;
    rig.user.vatChoices = {VatField::Net};
    rig.keys("text:12,5 Ust+");
    EXPECT_EQ(rig.calculator.state().memory.state, MemoryRegister::State::Text);
    EXPECT_EQ(rig.calculator.state().memory.text, QStringLiteral("12,50"));
    EXPECT_EQ(rig.user.clipboard, std::vector<QString>{QStringLiteral("12,50")});
    EXPECT_EQ(rig.user.messageTexts(MessageKind::Plain),
              std::vector<QString>{QStringLiteral("Wert kopiert: 12,50")});
    rig.keys("CE M-");
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("12,50"));
}

TEST(VatKeys, CancelledChooserCopiesNothing)
{
    CalculatorRig rig;
    rig.keys("1 2 M+ text:,5 Ust+");
    EXPECT_EQ(rig.calculator.state().memory.text, QStringLiteral("12"));
    EXPECT_TRUE(rig.user.clipboard.empty());
}

// Every net amount in cents, at each rate the keys will offer, and the net
// amount that a gross amount gives back: the three amounts add up and each
// is the exact rounding of the other.
TEST(VatCents, AddUpAndRoundHalfAwayFromZero)
{
    for (const int rate : {0, 700, 1900, 1234, kMaxVatRate}) {
        for (std::int64_t net = -100'000; net <= 100'000; net += 7) {
            const std::optional<VatCents> up = vatFromNet(net, rate);
            ASSERT_TRUE(up.has_value());
            ASSERT_EQ(up->net + up->tax, up->gross) << net << " at " << rate;
            // |gross - net * f| is at most half a cent.
            const std::int64_t exact = net * (10000 + rate);
            ASSERT_LE(std::abs(up->gross * 10000 - exact), 5000) << net << " at " << rate;
            const std::optional<VatCents> down = vatFromGross(up->gross, rate);
            ASSERT_TRUE(down.has_value());
            ASSERT_EQ(down->net + down->tax, down->gross);
            ASSERT_LE(std::abs(down->net * (10000 + rate) - up->gross * 10000), (10000 + rate) / 2);
        }
    }
    EXPECT_EQ(vatFromNet(5, 1000)->gross, 6) << "5,5 cents round up";
    EXPECT_EQ(vatFromNet(-5, 1000)->gross, -6) << "and down below zero";
    EXPECT_EQ(vatFromGross(11900, 1900)->net, 10000);
}

TEST(VatCents, RefuseAmountsBeyondFifteenDigits)
{
    EXPECT_TRUE(vatFromNet(kVatCentsLimit - 1, 0).has_value());
    EXPECT_FALSE(vatFromNet(kVatCentsLimit, 0).has_value());
    EXPECT_FALSE(vatFromNet(-kVatCentsLimit, 0).has_value());
    EXPECT_TRUE(vatFromNet(kVatCentsLimit / 2, kMaxVatRate).has_value());
    EXPECT_FALSE(vatFromNet(kVatCentsLimit / 10 * 6, kMaxVatRate).has_value()) << "the gross amount is too large";
    EXPECT_TRUE(vatFromGross(kVatCentsLimit - 1, kMaxVatRate).has_value());
    EXPECT_FALSE(vatFromGross(kVatCentsLimit, kStandardVatRate).has_value());
}

TEST(VatRate, IsShownWithoutTrailingZeros)
{
    const struct {
        int rate;
        QChar separator;
        const char* shown;
    } cases[] = {
        {1900, u',', "19 %"}, {700, u',', "7 %"},        {1650, u',', "16,5 %"}, {1234, u',', "12,34 %"},
        {0, u',', "0 %"},     {kMaxVatRate, u',', "99,99 %"}, {1650, u'.', "16.5 %"}, {1000, u',', "10 %"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatVatRate(c.rate, c.separator), QString::fromUtf8(c.shown)) << c.rate;
}

TEST(VatRate, IsReadFromTheTextsAUserTypes)
{
    const struct {
        const char* text;
        std::optional<int> rate;
    } cases[] = {
        {"19", 1900},  {"7", 700},       {"0", 0},         {"16,5", 1650},  {"16.5", 1650}, {"16,50", 1650},
        {"99,99", kMaxVatRate}, {" 7 ", 700}, {"7 %", 700}, {"16,5%", 1650}, {",5", 50},     {"05", 500},
        {"", std::nullopt},     {"%", std::nullopt},      {"100", std::nullopt},  {"250", std::nullopt},
        {"16,555", std::nullopt}, {"-7", std::nullopt},   {"+7", std::nullopt},   {"1,2,3", std::nullopt},
        {"7 7", std::nullopt},  {"1e1", std::nullopt},    {",", std::nullopt},    {"\u0667", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseVatRate(QString::fromUtf8(c.text)), c.rate) << c.text;
}

TEST(VatRate, KeepsTheChosenRateAmongTheOffered)
{
    const VatRates own16{1600, 1600};
    EXPECT_EQ(withOwnRate(VatRates{}, 1650), (VatRates{1650, 1650}));
    EXPECT_EQ(withOwnRate(own16, kReducedVatRate), (VatRates{kReducedVatRate, 1600})) << "7 % keeps the own rate";
    EXPECT_EQ(withOwnRate(own16, kStandardVatRate), (VatRates{kStandardVatRate, 1600}));
    EXPECT_EQ(switchedStandardReduced(VatRates{}), (VatRates{kReducedVatRate, std::nullopt}));
    EXPECT_EQ(switchedStandardReduced(VatRates{kReducedVatRate, 1600}), (VatRates{kStandardVatRate, 1600}));
    EXPECT_EQ(switchedStandardReduced(own16), (VatRates{kStandardVatRate, 1600})) << "from the own rate to 19 %";

    // Read back from the settings: each value valid or missing.
    const std::optional<int> none;
    EXPECT_EQ(consistentVatRates(none, none), VatRates{});
    EXPECT_EQ(consistentVatRates(700, none), (VatRates{700, std::nullopt}));
    EXPECT_EQ(consistentVatRates(1600, 1600), own16);
    EXPECT_EQ(consistentVatRates(1600, none), own16) << "a rate of its own is the own rate";
    EXPECT_EQ(consistentVatRates(1200, 1600), (VatRates{kStandardVatRate, 1600})) << "two own rates: 19 %";
    EXPECT_EQ(consistentVatRates(none, 1600), (VatRates{kStandardVatRate, 1600}));
    EXPECT_EQ(consistentVatRates(700, 1900), (VatRates{700, std::nullopt})) << "19 % is no own rate";
}

TEST(VatRate, ChoicesAreTheFixedRatesTheOwnAndANewOne)
{
    auto captions = [](const VatRates& rates) {
        QStringList shown;
        for (const VatRateChoice& choice : vatRateChoices(rates, u','))
            shown << (choice.chosen ? QStringLiteral("[%1]") : QStringLiteral("%1")).arg(choice.caption);
        return shown.join(u'|');
    };
    EXPECT_EQ(captions(VatRates{}), QStringLiteral("[19 %]|7 %|Eigener Satz …"));
    EXPECT_EQ(captions(VatRates{700, 1650}), QStringLiteral("19 %|[7 %]|16,5 %|Eigener Satz …"));
    EXPECT_EQ(captions(VatRates{1650, 1650}), QStringLiteral("19 %|7 %|[16,5 %]|Eigener Satz …"));
    EXPECT_EQ(vatRateChoices(VatRates{}, u',').back().rate, std::nullopt) << "the last asks for a rate";
}

// "Ust+" and "Ust-" compute with the chosen rate; the VAT window names it.
TEST(VatKeys, ComputeWithTheChosenRate)
{
    const struct {
        const char* name;
        int rate;
        const char* keys;
        const char* transcript;
        const char* label;
    } cases[] = {
        {"7 % on a net amount", 700, "1 0 0 Ust+", "MwSt: Netto=100,00 Steuer=7,00 Brutto=107,00 (Umsatzsteuer)",
         "Umsatzsteuer 7 %"},
        {"7 % in a gross amount", 700, "2 0 0 Ust-", "MwSt: Netto=186,92 Steuer=13,08 Brutto=200,00 (UST)",
         "UST 7 %"},
        {"own rate", 1650, "2 0 0 Ust-", "MwSt: Netto=171,67 Steuer=28,33 Brutto=200,00 (UST)", "UST 16,5 %"},
        {"no tax", 0, "text:12,34 Ust+", "MwSt: Netto=12,34 Steuer=0,00 Brutto=12,34 (Umsatzsteuer)",
         "Umsatzsteuer 0 %"},
        {"the highest rate", kMaxVatRate, "1 Ust+", "MwSt: Netto=1,00 Steuer=1,00 Brutto=2,00 (Umsatzsteuer)",
         "Umsatzsteuer 99,99 %"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CalculatorRig rig;
        rig.calculator.setVatRates(withOwnRate(VatRates{}, c.rate));
        ASSERT_EQ(rig.state().vatRates.chosen, c.rate);
        rig.keys(QString::fromUtf8(c.keys));
        EXPECT_EQ(rig.transcript(), QString::fromUtf8(c.transcript));
        ASSERT_EQ(rig.user.vatWindows.size(), 1u);
        EXPECT_EQ(rig.user.vatWindows[0].taxLabel(), QString::fromUtf8(c.label));
        ASSERT_EQ(rig.calculator.tape().size(), 1);
        EXPECT_TRUE(rig.calculator.tape().row(0).formula.contains(QString::fromUtf8(c.label).section(u' ', 1)))
            << "the tape row names the rate";
    }
}

// The window offers the rates; one chosen in it applies to the amount typed.
TEST(VatKeys, ARateChosenInTheOpenWindowComputesTheAmountAgain)
{
    CalculatorRig rig;
    rig.user.whileVatWindowOpen = {[&]() -> const CalculatorState& {
        const CalculatorState& state = rig.calculator.chooseVatRate(kReducedVatRate);
        EXPECT_EQ(state.display.entryText, QStringLiteral("107,00"));
        EXPECT_EQ(state.vatRates, (VatRates{kReducedVatRate}));
        return state;
    }};
    rig.user.vatChoices = {VatField::Tax};
    rig.keys("1 2 + 1 0 0 Ust+");
    EXPECT_EQ(rig.transcript(), QStringLiteral("MwSt: Netto=100,00 Steuer=19,00 Brutto=119,00 (Umsatzsteuer) | "
                                               "MwSt: Netto=100,00 Steuer=7,00 Brutto=107,00 (Umsatzsteuer) | "
                                               "Hinweis: Wert kopiert: 7,00"));
    ASSERT_EQ(rig.user.vatWindows.size(), 2u);
    EXPECT_EQ(rig.user.vatWindows[1].taxLabel(), QStringLiteral("Umsatzsteuer 7 %"));
    EXPECT_TRUE(rig.user.vatWindows[1].rateChoices[1].chosen);
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("107,00"));
    EXPECT_EQ(rig.calculator.state().memory.text, QStringLiteral("7,00")) << "the amount shown is copied";
    EXPECT_EQ(rig.calculator.state().formula, QString());
    EXPECT_EQ(rig.calculator.tape().size(), 2) << "both calculations were shown";

    // Once the window has closed, a rate applies to the next key only.
    rig.user.take(rig.calculator.setVatRates(VatRates{}));
    EXPECT_EQ(rig.state().vatRates, VatRates{});
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("107,00"));
    EXPECT_EQ(rig.user.vatWindows.size(), 2u);
    EXPECT_EQ(rig.calculator.tape().size(), 2);
}

TEST(VatKeys, ARateUnderWhichTheAmountReachesTheLimitIsRefused)
{
    CalculatorRig rig;
    rig.user.whileVatWindowOpen = {
        [&]() -> const CalculatorState& { return rig.calculator.setVatRates(VatRates{kMaxVatRate, kMaxVatRate}); }};
    rig.keys("text:8403361344537,81 Ust+");
    EXPECT_EQ(rig.calculator.state().vatRates, VatRates{}) << "the rates stay as they were";
    EXPECT_EQ(rig.transcript(),
              QStringLiteral("MwSt: Netto=8403361344537,81 Steuer=1596638655462,18 Brutto=9999999999999,99 "
                             "(Umsatzsteuer) | Fehler: Ungültige Eingabe"));
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("9999999999999,99"));
    EXPECT_EQ(rig.calculator.tape().size(), 1);
}

// Copy takes the field's text as the window shows it, which the user may
// have changed: the clipboard gets it whole, the memory and the notice
// without blanks at both ends; the window closes, with or without a choice.
TEST(VatCopy, TakesTheChosenFieldAsShown)
{
    CalculatorRig rig;
    rig.keys("5 + = CE 1 0 0");
    Calculator& c = rig.calculator;
    c.press(Key::VatFromNet);
    ASSERT_TRUE(c.state().vat.has_value());
    const CalculatorState& copied = c.copyAmount(VatField::Net, QStringLiteral(" 99,50\t"));
    EXPECT_EQ(copied.outcome.clipboard, QStringLiteral(" 99,50\t"));
    EXPECT_EQ(copied.memory.text, QStringLiteral("99,50"));
    EXPECT_EQ(copied.outcome.messages, (std::vector<Message>{{MessageKind::Plain, QStringLiteral("Wert kopiert: 99,50")}}));
    EXPECT_FALSE(copied.vat.has_value());

    c.press(Key::VatFromNet);
    const CalculatorState& cancelled = c.copyAmount(VatField::None, QString());
    EXPECT_FALSE(cancelled.outcome.clipboard.has_value());
    EXPECT_TRUE(cancelled.outcome.messages.empty());
    EXPECT_EQ(cancelled.memory.text, QStringLiteral("99,50"));
    EXPECT_FALSE(cancelled.vat.has_value());
    EXPECT_EQ(vatFieldText({"1", "2", "3"}, VatField::Tax), QStringLiteral("2"));
}

// "Eigener Satz …" is asked for; the answer is a command of its own.
TEST(VatRate, AnOwnRateIsAskedForAndTakenWhenGiven)
{
    Calculator c(u',');
    EXPECT_EQ(c.chooseVatRate(std::nullopt).question.kind, Question::Kind::OwnVatRate);
    EXPECT_EQ(c.answerOwnVatRate(std::nullopt).vatRates, VatRates{}) << "cancelled";
    EXPECT_EQ(c.state().question.kind, Question::Kind::None);
    c.chooseVatRate(std::nullopt);
    EXPECT_EQ(c.answerOwnVatRate(1650).vatRates, (VatRates{1650, 1650}));
    EXPECT_EQ(c.switchVatRate().vatRates, (VatRates{kStandardVatRate, 1650}));
    EXPECT_EQ(c.switchVatRate().vatRates, (VatRates{kReducedVatRate, 1650}));
}

} // namespace
