// SPDX-License-Identifier: GPL-3.0-or-later
// Percent, sign change, reciprocal, square root, x^n, Ganzzahl and the
// rounding check box.

#include "core/entrymath.h"
#include "support/keyscript.h"

#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

class SingleValue : public ::testing::TestWithParam<KeyCase> {};

TEST_P(SingleValue, LeavesEntryFormulaAndMessages) { expectKeyCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(SquareRoot, SingleValue, ::testing::Values(
    KeyCase{"whole root", "1 6 √", "4", ""},
    KeyCase{"full precision", "2 √", "1,4142135623731", ""},
    KeyCase{"root of ten", "1 0 √", "3,16227766016838", ""},
    KeyCase{"empties the formula", "9 + 1 6 √", "4", ""},
    KeyCase{"general form even when rounding", "Runden 2 √", "1,4142135623731", ""},
    KeyCase{"negative", "text:-4 √", "-4", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"decimal key writes the separator", "2 . 5 √", "1,58113883008419", ""},
    KeyCase{"a point typed under German settings", "text:2.5 √", "2.5", "",
            "Fehler: Ungültige Eingabe"},
    KeyCase{"beyond the single range", "text:1E39 √", "3,16227766016838E19", ""},
    KeyCase{"a sign alone is no number", "text:- √", "-", "", "Fehler: Ungültige Eingabe"},
    KeyCase{"failure keeps the formula", "9 + text:x √", "x", "9+", "Fehler: Ungültige Eingabe"},
    KeyCase{"empty entry does nothing", "√", "", ""},
    KeyCase{"decimal key where the separator is a point", "6 . 2 5 √", "2.5", "", "", u'.'}));

INSTANTIATE_TEST_SUITE_P(Power, SingleValue, ::testing::Values(
    KeyCase{"whole exponent", "2 x^n 1 0 =", "1024", ""},
    KeyCase{"fractional exponent", "2 x^n text:0,5 =", "1,4142135623731", ""},
    KeyCase{"negative exponent", "1 0 x^n text:-1 =", "0,1", ""},
    KeyCase{"decimal base", "text:1,1 x^n 2 =", "1,21", ""},
    KeyCase{"decimal key in base and exponent", "1 , 1 x^n 0 , 5 =", "1,04880884817015", ""},
    KeyCase{"beyond the single range", "1 0 x^n 3 9 =", "1E39", ""},
    KeyCase{"negative base, whole exponent", "text:-2 x^n 3 =", "-8", ""},
    KeyCase{"zero to the zero", "0 x^n 0 =", "1", ""},
    KeyCase{"zero to a fraction", "0 x^n text:0,5 =", "0", ""},
    KeyCase{"general form even when rounding", "Runden 2 x^n text:0,5 =", "1,4142135623731", ""},
    KeyCase{"x^n empties the formula", "1 + 2 x^n 3 =", "8", ""},
    KeyCase{"empty exponent", "2 x^n =", "", "", "Fehler: '' ist kein gültiger Gleitkommawert."},
    KeyCase{"still pending after an error", "2 x^n = 3 =", "8", "",
            "Fehler: '' ist kein gültiger Gleitkommawert."},
    KeyCase{"base is no number", "text:2.5 x^n 2 =", "2", "",
            "Fehler: '2.5' ist kein gültiger Gleitkommawert."},
    KeyCase{"zero to a negative power", "0 x^n text:-1 =", "-1", "",
            "Fehler: Gleitkommadivision durch Null."},
    KeyCase{"negative base, fraction", "text:-8 x^n text:0,5 =", "0,5", "",
            "Fehler: Ungültige Gleitkommaoperation."},
    KeyCase{"result beyond the double range", "1 0 x^n 3 0 9 =", "309", "", "Fehler: Gleitkommaüberlauf."},
    KeyCase{"base beyond the double range", "text:1E400 x^n 1 =", "1", "", "Fehler: Gleitkommaüberlauf."},
    KeyCase{"beyond the extended range on the way", "2 x^n 1 0 0 0 0 0 =", "100000", "",
            "Fehler: Gleitkommaüberlauf."},
    KeyCase{"empty base: = does nothing", "x^n 5 =", "5", ""},
    KeyCase{"empty base stays after CE", "x^n CE 5 =", "5", ""},
    KeyCase{"point separator", "2 x^n 0 . 5 =", "1.4142135623731", "", "", u'.'}));

INSTANTIATE_TEST_SUITE_P(Ganzzahl, SingleValue, ::testing::Values(
    KeyCase{"cuts the decimals", "text:12,7 Ganzzahl", "12", ""},
    KeyCase{"toward zero", "text:-12,7 Ganzzahl", "-12", ""},
    KeyCase{"no rounding before the cut", "text:2,9999999 Ganzzahl", "2", ""},
    KeyCase{"a large value stays exact", "text:123456789 Ganzzahl", "123456789", ""},
    KeyCase{"beyond 32 bits", "text:3000000000,7 Ganzzahl", "3000000000", ""},
    KeyCase{"largest 64-bit value", "text:9223372036854775807 Ganzzahl", "9223372036854775807", ""},
    KeyCase{"smallest 64-bit value", "text:-9223372036854775808,5 Ganzzahl", "-9223372036854775808", ""},
    KeyCase{"beyond 64 bits is refused", "text:9223372036854775808 Ganzzahl", "9223372036854775808", "",
            "Fehler: Ungültige Eingabe"},
    KeyCase{"blanks around", "text:\t12,7\n Ganzzahl", "12", ""},
    KeyCase{"no number: nothing", "text:abc Ganzzahl", "abc", ""},
    KeyCase{"far beyond is refused", "text:1E39 Ganzzahl", "1E39", "", "Fehler: Ungültige Eingabe"},
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
    KeyCase{"no number before the %: a subtotal, as typed", "2 0 0 + %", "", "200+%",
            "Fehler: Ausdruck erwartet, aber Ende der Formel gefunden."},
    KeyCase{"sign of a whole number", "1 2 +/-", "-12", ""},
    KeyCase{"sign back", "text:-12 +/-", "12", ""},
    KeyCase{"sign of a decimal", "text:2,5 +/-", "-2,5", ""},
    KeyCase{"sign of an edit formula", "Edit text:1+2 +/-", "-3", ""},
    KeyCase{"reciprocal of an edit formula", "Edit text:1+3 1/x", "0,25", ""},
    KeyCase{"sign of an unfinished formula fails, and the pending formula stays", "Edit text:5+ +/-", "5+", "",
            "Fehler: Ausdruck erwartet, aber Ende der Formel gefunden."},
    KeyCase{"sign of a failing entry keeps the pending formula", "1 2 + text:x +/-", "x", "12+",
            "Fehler: Unbekannter Bezeichner 'x'"},
    KeyCase{"reciprocal of zero keeps the pending formula", "1 2 + 0 1/x", "0", "12+",
            "Fehler: Gleitkommadivision durch Null."},
    KeyCase{"sign of a power formula", "Edit text:2^3 +/-", "-8", ""},
    KeyCase{"reciprocal with rounding", "Runden text:3 1/x", "0,33", ""},
    KeyCase{"sign replaces the pending formula", "1 2 +/- + 5 =", "-7", ""},
    KeyCase{"sign of nothing", "+/-", "", ""},
    KeyCase{"reciprocal", "4 1/x", "0,25", ""},
    KeyCase{"reciprocal of nothing is the subtotal of 1/", "1/x", "", "",
            "Zwischensumme: 1,00"}));

TEST(Power, FaultsAndRanges)
{
    EXPECT_EQ(power(2, -1), 0.5);
    EXPECT_EQ(power(-2, 3), -8.0);
    EXPECT_EQ(power(1, 2147483647.0L), 1.0);   // squaring over 31 bits
    EXPECT_EQ(power(1, 2147483648.0L), 1.0);   // takes the logarithm branch
    EXPECT_EQ(power(1.1L, 2), 1.21);
    EXPECT_EQ(power(0.5L, 2000), 0.0);         // underflow passes silently
    EXPECT_EQ(power(4, 0.5L), 2.0);
    EXPECT_THROW(power(10, 309), ArithmeticError);
    EXPECT_THROW(power(-2, 0.5L), ArithmeticError);
    EXPECT_THROW(power(0, -2), ArithmeticError);
}

} // namespace
