// SPDX-License-Identifier: GPL-3.0-or-later
// Percent, sign change, reciprocal, square root, x^n, Ganzzahl and the
// rounding check box.

#include "core/singleprecision.h"
#include "support/keyscript.h"

#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

class SingleValue : public ::testing::TestWithParam<KeyCase> {};

TEST_P(SingleValue, LeavesEntryFormulaAndMessages) { expectKeyCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(SquareRoot, SingleValue, ::testing::Values(
    KeyCase{"whole root", "1 6 √", "4", ""},
    KeyCase{"single precision shows", "2 √", "1,41421353816986", ""},
    KeyCase{"root of ten", "1 0 √", "3,16227769851685", ""},
    KeyCase{"empties the formula", "9 + 1 6 √", "4", ""},
    KeyCase{"general form even when rounding", "Runden 2 √", "1,41421353816986", ""},
    KeyCase{"negative", "text:-4 √", "-4", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"keypad point under German settings", "2 . 5 √", "2.5", "",
            "Fehler: Ungültige Eingabe"},
    KeyCase{"beyond single range", "text:1E39 √", "1E39", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"failure keeps the formula", "9 + text:x √", "x", "9+", "Fehler: Ungültige Eingabe"},
    KeyCase{"empty entry does nothing", "√", "", ""},
    KeyCase{"keypad point where it is the separator", "6 . 2 5 √", "2.5", "", "", u'.'}));

INSTANTIATE_TEST_SUITE_P(Power, SingleValue, ::testing::Values(
    KeyCase{"whole exponent", "2 x^n 1 0 =", "1024", ""},
    KeyCase{"fractional exponent", "2 x^n text:0,5 =", "1,41421353816986", ""},
    KeyCase{"negative exponent", "1 0 x^n text:-1 =", "0,100000001490116", ""},
    KeyCase{"single base", "text:1,1 x^n 2 =", "1,21000003814697", ""},
    KeyCase{"negative base, whole exponent", "text:-2 x^n 3 =", "-8", ""},
    KeyCase{"zero to the zero", "0 x^n 0 =", "1", ""},
    KeyCase{"zero to a fraction", "0 x^n text:0,5 =", "0", ""},
    KeyCase{"general form even when rounding", "Runden 2 x^n text:0,5 =", "1,41421353816986", ""},
    KeyCase{"x^n empties the formula", "1 + 2 x^n 3 =", "8", ""},
    KeyCase{"empty exponent", "2 x^n =", "", "", "Fehler: '' ist kein gültiger Gleitkommawert."},
    KeyCase{"still pending after an error", "2 x^n = 3 =", "8", "",
            "Fehler: '' ist kein gültiger Gleitkommawert."},
    KeyCase{"base is no number", "2 . 5 x^n 2 =", "2", "",
            "Fehler: '2.5' ist kein gültiger Gleitkommawert."},
    KeyCase{"zero to a negative power", "0 x^n text:-1 =", "-1", "",
            "Fehler: Gleitkommadivision durch Null."},
    KeyCase{"negative base, fraction", "text:-8 x^n text:0,5 =", "0,5", "",
            "Fehler: Ungültige Gleitkommaoperation."},
    KeyCase{"result beyond single range", "1 0 x^n 3 9 =", "39", "", "Fehler: Gleitkommaüberlauf."},
    KeyCase{"base beyond single range", "text:1E39 x^n 1 =", "1", "", "Fehler: Gleitkommaüberlauf."},
    KeyCase{"empty base: = does nothing", "x^n 5 =", "5", ""},
    KeyCase{"empty base stays after CE", "x^n CE 5 =", "5", ""},
    KeyCase{"point separator", "2 x^n 0 . 5 =", "1.41421353816986", "", "", u'.'}));

INSTANTIATE_TEST_SUITE_P(Ganzzahl, SingleValue, ::testing::Values(
    KeyCase{"cuts the decimals", "text:12,7 Ganzzahl", "12", ""},
    KeyCase{"toward zero", "text:-12,7 Ganzzahl", "-12", ""},
    KeyCase{"single precision rounds up first", "text:2,9999999 Ganzzahl", "3", ""},
    KeyCase{"single precision of a large value", "text:123456789 Ganzzahl", "123456792", ""},
    KeyCase{"blanks around", "text:\t12,7\n Ganzzahl", "12", ""},
    KeyCase{"no number: nothing", "text:abc Ganzzahl", "abc", ""},
    KeyCase{"beyond 32 bits is refused", "text:3000000000 Ganzzahl", "3000000000", "",
            "Fehler: Ungültige Eingabe"},
    KeyCase{"beyond single range is refused", "text:1E39 Ganzzahl", "1E39", "",
            "Fehler: Ungültige Eingabe"},
    KeyCase{"formula is kept", "1 + text:2,5 Ganzzahl", "2", "1+"},
    KeyCase{"after rounding", "text:12,7 Runden Ganzzahl", "12", ""}));

INSTANTIATE_TEST_SUITE_P(RoundingBox, SingleValue, ::testing::Values(
    KeyCase{"two decimals", "text:3,14159 Runden", "3,14", ""},
    KeyCase{"unchecking keeps the cut", "text:3,14159 Runden Runden", "3,14", ""},
    KeyCase{"half away from zero", "text:0,125 Runden", "0,13", ""},
    KeyCase{"the shown half rounds up", "text:2,675 Runden", "2,68", ""},
    KeyCase{"1,005", "text:1,005 Runden", "1,01", ""},
    KeyCase{"negative half", "text:-0,125 Runden", "-0,13", ""},
    KeyCase{"no number: nothing", "Edit text:1+2 Runden", "1+2", ""},
    KeyCase{"empty: nothing", "Runden", "", ""},
    KeyCase{"beyond the double range: nothing", "text:1E400 Runden", "1E400", ""},
    KeyCase{"point separator", "3 . 1 4 1 5 9 Runden", "3.14", "", "", u'.'}));

INSTANTIATE_TEST_SUITE_P(PercentSignReciprocal, SingleValue, ::testing::Values(
    KeyCase{"percent of a sum", "2 0 0 + 1 0 %", "220", ""},
    KeyCase{"percent of a product", "2 0 0 * 1 0 %", "20", ""},
    KeyCase{"percent off", "2 0 0 - 1 0 %", "180", ""},
    KeyCase{"percent as divisor", "2 0 0 / 1 0 %", "2000", ""},
    KeyCase{"next operand starts anew", "2 0 0 + 1 0 % + 5 =", "225", ""},
    KeyCase{"= repeats the percent result", "2 0 0 + 1 0 % =", "220", ""},
    KeyCase{"the whole pending formula is the base", "1 + 2 + 1 0 %", "3,3", ""},
    KeyCase{"the base includes a product", "2 * 3 + 1 0 %", "6,6", ""},
    KeyCase{"after a product only the entry's hundredths", "1 + 2 * 1 0 %", "1,2", ""},
    KeyCase{"nothing pending: the entry's hundredths", "1 0 %", "0,1", ""},
    KeyCase{"a negative entry", "2 0 0 + text:-10 %", "180", ""},
    KeyCase{"a decimal entry", "2 0 0 + text:12,5 %", "225", ""},
    KeyCase{"edit mode: the entry is the formula", "Edit text:200+10 %", "220", ""},
    KeyCase{"edit mode after an operator key", "Edit text:200 + text:10 %", "220", ""},
    KeyCase{"no number before the %: a subtotal, as typed", "2 0 0 + %", "", "200+",
            "Fehler: Expression expected but End of File found."},
    KeyCase{"sign of a whole number", "1 2 +/-", "-12", ""},
    KeyCase{"sign back", "text:-12 +/-", "12", ""},
    KeyCase{"sign of a decimal", "text:2,5 +/-", "-2,5", ""},
    KeyCase{"sign of an edit formula", "Edit text:1+2 +/-", "-1", ""},
    KeyCase{"sign replaces the pending formula", "1 2 +/- + 5 =", "-7", ""},
    KeyCase{"sign of nothing", "+/-", "", ""},
    KeyCase{"reciprocal", "4 1/x", "0,25", ""},
    KeyCase{"reciprocal of nothing is the subtotal of 1/", "1/x", "", "",
            "Zwischensumme: 1,00"}));

TEST(SinglePrecisionPower, FaultsAndRanges)
{
    EXPECT_EQ(singlePrecisionPower(2, -1), 0.5f);
    EXPECT_EQ(singlePrecisionPower(-2, 3), -8.0f);
    EXPECT_EQ(singlePrecisionPower(1, 2147483647.0f), 1.0f);  // takes the logarithm branch
    EXPECT_EQ(singlePrecisionPower(1, 2147483520.0f), 1.0f);  // squaring over 31 bits
    EXPECT_EQ(singlePrecisionPower(0.5f, 200), 0.0f);         // underflow passes silently
    EXPECT_THROW(singlePrecisionPower(2, 200), ArithmeticError);
    EXPECT_THROW(singlePrecisionPower(-2, 0.5f), ArithmeticError);
    EXPECT_THROW(singlePrecisionPower(0, -2), ArithmeticError);
    EXPECT_EQ(singlePrecisionPower(4, 0.5f), 2.0f);
}

} // namespace
