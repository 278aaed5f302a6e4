// SPDX-License-Identifier: GPL-3.0-or-later
// The add mode's rule for one operand: which operands are summands, and what
// a summand keyed in digits alone becomes.

#include "core/addmode.h"

#include <gtest/gtest.h>

using namespace numra;

namespace {

TEST(AddMode, OperandsKeyedInDigitsAloneBecomeCentsWhereTheyAreAdded)
{
    struct Case {
        const char* name;
        const char* entry;
        bool keyedDigits;
        QChar before; // the pending formula's last character
        QChar after;  // the key that ends the operand
        const char* operand;
    };
    const QChar none;
    const Case cases[] = {
        {"first summand", "1234", true, none, u'+', "12,34"},
        {"last summand", "5", true, u'+', u'=', "0,05"},
        {"subtracted", "250", true, u'-', u'=', "2,50"},
        {"before a minus", "1000", true, none, u'-', "10,00"},
        {"a zero", "0", true, u'+', u'=', "0,00"},
        {"leading zeros", "0012", true, u'+', u'=', "0,12"},
        {"a long amount", "123456789", true, u'+', u'=', "1234567,89"},
        {"keyed with the decimal key", "12,5", true, u'+', u'=', "12,5"},
        {"a factor", "1234", true, u'*', u'=', "1234"},
        {"a summand's neighbour is multiplied", "5", true, u'+', u'*', "5"},
        {"a divisor", "4", true, u'/', u'+', "4"},
        {"a dividend", "100", true, none, u'/', "100"},
        {"a percentage", "10", true, u'+', u'%', "10"},
        {"an exponent", "2", true, u'^', u'=', "2"},
        {"a result", "22", false, u'+', u'=', "22"},
        {"a formula typed in edit mode", "12+5", true, none, u'=', "12+5"},
        {"an empty entry", "", true, u'+', u'=', ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(addModeOperand(QString::fromUtf8(c.entry), c.keyedDigits, c.before, c.after, u','),
                  QString::fromUtf8(c.operand))
            << c.name;
    EXPECT_EQ(addModeOperand(QStringLiteral("1234"), true, QChar(), u'+', u'.'), QStringLiteral("12.34"));
}

} // namespace
