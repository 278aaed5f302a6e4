// SPDX-License-Identifier: GPL-3.0-or-later
// The deliberate quirks: where Numra still differs from a desk calculator on
// purpose, each with the one-line reason, so that a reader can tell a quirk
// from a bug. A row that starts failing has changed a behaviour users know.

#include "support/keyscript.h"

#include <gtest/gtest.h>

using namespace numra::testing;

namespace {

class Quirk : public ::testing::TestWithParam<KeyCase> {};

TEST_P(Quirk, StaysAsItIs) { expectKeyCase(GetParam()); }

INSTANTIATE_TEST_SUITE_P(FormulaBuilding, Quirk, ::testing::Values(
    KeyCase{"an operator on an empty entry appends only the operator", "1 2 + +", "", "12++"},
    KeyCase{"so the second + of 12++ is a sign", "1 2 + + 5 =", "17", ""},
    KeyCase{"the entry is not checked while it is typed", "1 2 , , 5", "12,,5", ""},
    KeyCase{"after an error the failed formula stays pending and = appends the entry again", "1 / 0 = =", "0",
            "1/00", "Fehler: Gleitkommadivision durch Null. | Fehler: Gleitkommadivision durch Null."},
    KeyCase{"a formula ending in an operator is a subtotal in the formula window", "Edit text:12+ =", "12+", "12+",
            "Zwischensumme: 12,00"}));

INSTANTIATE_TEST_SUITE_P(ModesAndResults, Quirk, ::testing::Values(
    KeyCase{"a subtotal finishes nothing: its formula stays pending", "5 + = 3 =", "8", "", "Zwischensumme: 5,00"},
    KeyCase{"typing in edit mode edits a result, as in any text field", "Edit text:2*3 = text:4", "64", "2*3"},
    KeyCase{"keypad mode cannot show a formula, so leaving edit mode clears one", "Edit text:12+5 Edit", "", ""},
    KeyCase{"Escape clears as CE does: the formula with the entry", "1 2 + 5 Escape", "", ""},
    KeyCase{"M- with x^n pending appends to the exponent", "1 2 M+ 2 x^n 3 M-", "312", ""}));

INSTANTIATE_TEST_SUITE_P(SingleValueKeys, Quirk, ::testing::Values(
    KeyCase{"+/- computes the entry alone and drops the pending formula", "1 2 + 5 +/- =", "-5", ""},
    KeyCase{"1/x computes the entry alone and drops the pending formula", "1 2 + 4 1/x =", "0,25", ""},
    KeyCase{"x^n drops the pending formula", "1 + 2 x^n 3 =", "8", ""},
    KeyCase{"1/x on an empty entry leaves 1/ as a subtotal", "1/x", "", "", "Zwischensumme: 1,00"},
    KeyCase{"x^n on an empty entry makes = do nothing", "x^n 5 =", "5", ""},
    KeyCase{"Ganzzahl ignores a text that is no number", "text:abc Ganzzahl", "abc", ""},
    KeyCase{"unchecking the rounding box does not bring decimals back", "text:12,789 Runden Runden", "12,79", ""},
    KeyCase{"Hex->Int switches to edit mode, where letters can be typed", "1 0 Hex->Int", "16", ""},
    KeyCase{"the first point of a VAT amount is its separator, so thousands points are refused",
            "text:1.000,50 Ust+", "1.000,50", "", "Fehler: Ungültige Eingabe"}));

INSTANTIATE_TEST_SUITE_P(Memory, Quirk, ::testing::Values(
    KeyCase{"M+ stores the entry, it does not add to the memory", "1 2 M+ CE 5 M+ CE M-", "5", ""},
    KeyCase{"M- recalls the memory, it does not subtract", "1 2 M+ CE 5 M-", "12", ""},
    KeyCase{"the memory holds text, and M- in edit mode appends it", "1 2 M+ CE Edit 5 M-", "512", ""}));

INSTANTIATE_TEST_SUITE_P(FormulaLanguage, Quirk, ::testing::Values(
    KeyCase{"evaluation ends at the first token that cannot continue the formula", "Edit text:5;6 =", "5", "5;6"},
    KeyCase{"a stray ) ends the formula too", "Edit text:1+2) =", "3", "1+2)"},
    KeyCase{"a formula ending in a letter or quote is a subtotal without it", "Edit text:'12'+'3' =", "'12'+'3'",
            "'12'+'3'", "Fehler: Ausdruck erwartet, aber ''3' gefunden."},
    KeyCase{"+ joins texts before a number is made of them", "Edit text:'12'+'3'+0 =", "123", "'12'+'3'+0"},
    KeyCase{"formulas know no exponent notation: 1e3 is 1 and a name", "Edit text:1e3 =", "1e3", "1e3",
            "Fehler: Operator oder Semikolon fehlt."},
    KeyCase{"true counts as -1", "Edit text:1<2 =", "-1", "1<2"},
    KeyCase{"div is the script's integer division", "Edit text:7\tdiv\t2 =", "3", "7\tdiv\t2"},
    KeyCase{">= binds more loosely than =", "Edit text:1=1>=1 =", "0", "1=1>=1"},
    KeyCase{"an assignment in a formula is the name as text", "Edit text:x:=5 =", "x:=5", "x:=5",
            "Fehler: Variante des Typs (UnicodeString) konnte nicht in Typ (Double) konvertiert werden."},
    KeyCase{"% only after a number is the percent; elsewhere the formula is a subtotal without it",
            "Edit text:(100+10)% =", "(100+10)%", "(100+10)%", "Zwischensumme: 110,00"}));

// Formulas with "^" go to the small power-formula reader.
INSTANTIATE_TEST_SUITE_P(PowerFormulas, Quirk, ::testing::Values(
    KeyCase{"^ associates to the left", "Edit text:2^3^2 =", "64", "2^3^2"},
    KeyCase{"a sign belongs to the base, whose logarithm ^ takes", "Edit text:-2^2 =", "-2^2", "-2^2",
            "Fehler: Ungültige Gleitkommaoperation."}));

} // namespace
