// SPDX-License-Identifier: GPL-3.0-or-later
// Hex->Int and Int->Hex.

#include "core/hexconversion.h"
#include "support/keyscript.h"

#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

class HexKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(HexKeys, LeaveEntryAndMessages) { expectKeyCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(HexToInt, HexKeys, ::testing::Values(
    KeyCase{"lower case", "Edit text:ff Hex->Int", "255", ""},
    KeyCase{"upper case", "Edit text:FF Hex->Int", "255", ""},
    KeyCase{"all bits set is -1", "Edit text:FFFFFFFF Hex->Int", "-1", ""},
    KeyCase{"sign bit alone", "Edit text:80000000 Hex->Int", "-2147483648", ""},
    KeyCase{"largest positive", "Edit text:7fffffff Hex->Int", "2147483647", ""},
    KeyCase{"leading zeros do not count", "Edit text:0000000FF Hex->Int", "255", ""},
    KeyCase{"blanks around are ignored", "Edit text:\tff\t Hex->Int", "255", ""},
    KeyCase{"nine significant digits", "Edit text:100000000 Hex->Int", "0", "",
            "Fehler: Konvertierungsfehler!"},
    KeyCase{"no hex digit", "Edit text:1G Hex->Int", "0", "", "Fehler: Konvertierungsfehler!"},
    KeyCase{"no sign", "Edit text:-1 Hex->Int", "0", "", "Fehler: Konvertierungsfehler!"},
    KeyCase{"no 0x prefix", "Edit text:0x1F Hex->Int", "0", "", "Fehler: Konvertierungsfehler!"},
    KeyCase{"no $ prefix", "Edit text:$1F Hex->Int", "0", "", "Fehler: Konvertierungsfehler!"},
    KeyCase{"empty entry", "Hex->Int", "", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"blanks only", "Edit text:\t Hex->Int", "\t", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"keypad entry switches to edit mode", "1 0 Hex->Int", "16", ""},
    KeyCase{"a pending formula comes along into edit mode", "1 + 1 0 Hex->Int", "1+16", ""},
    KeyCase{"in edit mode the field is converted", "Edit text:ff Hex->Int", "255", ""}));

INSTANTIATE_TEST_SUITE_P(IntToHex, HexKeys, ::testing::Values(
    KeyCase{"255", "2 5 5 Int->Hex", "FF", ""},
    KeyCase{"zero", "0 Int->Hex", "0", ""},
    KeyCase{"minus one", "text:-1 Int->Hex", "FFFFFFFF", ""},
    KeyCase{"minus 255", "text:-255 Int->Hex", "FFFFFF01", ""},
    KeyCase{"decimals are cut", "text:12,7 Int->Hex", "C", ""},
    KeyCase{"toward zero", "text:-0,5 Int->Hex", "0", ""},
    KeyCase{"no rounding first", "text:16777217 Int->Hex", "1000001", ""},
    KeyCase{"smallest 32-bit value", "text:-2147483648 Int->Hex", "80000000", ""},
    KeyCase{"largest single below 2^31", "text:2147483520 Int->Hex", "7FFFFF80", ""},
    KeyCase{"largest 32-bit value", "text:2147483647 Int->Hex", "7FFFFFFF", ""},
    KeyCase{"largest 32-bit value with decimals", "text:2147483647,9 Int->Hex", "7FFFFFFF", ""},
    KeyCase{"just beyond 32 bits", "text:2147483648 Int->Hex", "2147483648", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"just below 32 bits", "text:-2147483649 Int->Hex", "-2147483649", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"beyond 32 bits is refused", "text:4294967295 Int->Hex", "4294967295", "",
            "Fehler: Ungültige Eingabe"},
    KeyCase{"beyond single range", "text:1E39 Int->Hex", "1E39", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"no number", "text:abc Int->Hex", "abc", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"decimal key", "2 . 5 Int->Hex", "2", ""},
    KeyCase{"a point typed under German settings", "text:2.5 Int->Hex", "2.5", "",
            "Fehler: Ungültige Eingabe"},
    KeyCase{"decimal key where the separator is a point", "2 . 5 Int->Hex", "2", "", "", u'.'},
    KeyCase{"empty entry does nothing", "Int->Hex", "", ""},
    KeyCase{"mode and formula are kept", "1 + 2 5 5 Int->Hex", "FF", "1+"}));

TEST(HexToInt, SwitchesKeypadModeToEditMode)
{
    CalculatorRig rig;
    rig.keys("1 0 Hex->Int");
    EXPECT_EQ(rig.calculator.state().inputMode, InputMode::Edit);
    EXPECT_TRUE(rig.calculator.state().display.editIndicatorVisible);
    EXPECT_FALSE(rig.calculator.state().display.entryReadOnly);
}

TEST(HexToInt, SwitchesModeEvenWhenTheTextFails)
{
    CalculatorRig rig;
    rig.keys("1 . Hex->Int");
    EXPECT_EQ(rig.calculator.state().inputMode, InputMode::Edit);
    EXPECT_EQ(rig.calculator.state().display.entryText, QStringLiteral("0"));
}

TEST(HexKeys, MessagesFollowTheLanguage)
{
    CalculatorRig rig;
    rig.calculator.setLanguage(Language::English);
    rig.keys("Edit text:zz Hex->Int CE Hex->Int");
    EXPECT_EQ(rig.transcript(), QStringLiteral("Fehler: Convert error! | Fehler: Invalid input"));
}

TEST(HexConversion, RoundTripsTheWholeRange)
{
    for (std::int64_t v = INT32_MIN; v <= INT32_MAX; v += 99991) {
        const auto value = std::int32_t(v);
        EXPECT_EQ(parseHexInt32(intToHexText(value)), value) << v;
    }
    EXPECT_EQ(intToHexText(INT32_MAX), QStringLiteral("7FFFFFFF"));
    EXPECT_FALSE(parseHexInt32(QString()).has_value());
}

} // namespace
