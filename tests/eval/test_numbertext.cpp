// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/errors.h"
#include "eval/numbertext.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <stdexcept>

using namespace numra;

namespace {

struct FormatCase {
    const char* name;
    long double value;
    const char* comma; // with "," as separator
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.name; }

class GeneralForm : public testing::TestWithParam<FormatCase> {};

TEST_P(GeneralForm, FormatsWithBothSeparators)
{
    const FormatCase& c = GetParam();
    const QString expected = QString::fromUtf8(c.comma);
    EXPECT_EQ(formatGeneral(c.value, u','), expected) << c.name;
    QString withPoint = expected;
    withPoint.replace(u',', u'.');
    EXPECT_EQ(formatGeneral(c.value, u'.'), withPoint) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, GeneralForm, testing::Values(
    FormatCase{"one third", 1.0L / 3, "0,333333333333333"},
    FormatCase{"two thirds", 2.0L / 3, "0,666666666666667"},
    FormatCase{"double sum 0.1+0.2", 0.1 + 0.2, "0,3"},
    FormatCase{"integer", 22, "22"},
    FormatCase{"negative", -2.5L, "-2,5"},
    FormatCase{"zero", 0, "0"},
    FormatCase{"negative zero has no sign", -0.0L, "0"},
    FormatCase{"1E15 switches to scientific", 1e15L, "1E15"},
    FormatCase{"just below 1E15 stays fixed", 999999999999999.0L, "999999999999999"},
    FormatCase{"rounds up across 1E15", 999999999999999.6L, "1E15"},
    FormatCase{"scientific with decimals", 1.5e20L, "1,5E20"},
    FormatCase{"small scientific", 1e-5L, "1E-5"},
    FormatCase{"1E-4 is fixed", 1e-4L, "0,0001"},
    FormatCase{"negative scientific", -1.25e-7L, "-1,25E-7"},
    FormatCase{"single sqrt 2", (long double)1.41421353816986083984375f, "1,41421353816986"},
    FormatCase{"single 0.1", (long double)0.1f, "0,100000001490116"},
    FormatCase{"single 1.21", (long double)1.21000003814697265625f, "1,21000003814697"},
    FormatCase{"single sqrt 10", (long double)3.16227769851684570312f, "3,16227769851685"},
    FormatCase{"16th digit rounds up", 0.1234567890123456L, "0,123456789012346"},
    FormatCase{"only the next digit decides", 1.00000000000000049999L, "1"},
    FormatCase{"largest extended", LDBL_MAX, "1,18973149535723E4932"},
    FormatCase{"smallest extended denormal", std::numeric_limits<long double>::denorm_min(), "3,64519953188247E-4951"},
    FormatCase{"largest double", (long double)DBL_MAX, "1,79769313486232E308"},
    FormatCase{"smallest double", (long double)DBL_MIN, "2,2250738585072E-308"},
    FormatCase{"largest single", (long double)FLT_MAX, "3,40282346638529E38"},
    FormatCase{"smallest single", (long double)FLT_MIN, "1,17549435082229E-38"},
    FormatCase{"large integer", 6000000000.0L, "6000000000"},
    FormatCase{"infinity", std::numeric_limits<long double>::infinity(), "INF"},
    FormatCase{"negative infinity", -std::numeric_limits<long double>::infinity(), "-INF"},
    FormatCase{"not a number", std::numeric_limits<long double>::quiet_NaN(), "NAN"}));

class TwoDecimalForm : public testing::TestWithParam<FormatCase> {};

TEST_P(TwoDecimalForm, FormatsWithBothSeparators)
{
    const FormatCase& c = GetParam();
    const QString expected = QString::fromUtf8(c.comma);
    EXPECT_EQ(formatTwoDecimals(c.value, u','), expected) << c.name;
    QString withPoint = expected;
    withPoint.replace(u',', u'.');
    EXPECT_EQ(formatTwoDecimals(c.value, u'.'), withPoint) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, TwoDecimalForm, testing::Values(
    FormatCase{"half rounds away from zero", 0.125L, "0,13"},
    FormatCase{"negative half rounds away from zero", -0.125L, "-0,13"},
    FormatCase{"the shown digits decide, not the double below 2.675", 2.675, "2,68"},
    FormatCase{"the double below 1.005", 1.005, "1,01"},
    FormatCase{"the double just above 0.125 rounds like it", 0.125000000000000001L, "0,13"},
    FormatCase{"just below the half in 15 digits", 2.67499999999999L, "2,67"},
    FormatCase{"a half only in the 16th digit rounds up", 2.67499999999999999L, "2,68"},
    FormatCase{"more than 15 digits round the 15-digit form", 1234567890123456.785L, "1234567890123460,00"},
    FormatCase{"negative rounding to zero has no sign", -0.001L, "0,00"},
    FormatCase{"zero", 0, "0,00"},
    FormatCase{"tiny rounds to zero", 1e-30L, "0,00"},
    FormatCase{"0.005 rounds up", 0.005L, "0,01"},
    FormatCase{"integer gets decimals", 5, "5,00"},
    FormatCase{"carry into new digit", 9.999L, "10,00"},
    FormatCase{"vat gross", 14.875L, "14,88"},
    FormatCase{"one third", 1.0L / 3, "0,33"},
    FormatCase{"below 1E18 stays fixed", 1e17L, "100000000000000000,00"},
    FormatCase{"1E18 falls back to general", 1e18L, "1E18"},
    FormatCase{"negative 1E18 falls back", -2.5e18L, "-2,5E18"}));

struct ParseCase {
    const char* name;
    const char* text;
    QChar separator;
    bool valid;
    long double value;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class Parsing : public testing::TestWithParam<ParseCase> {};

TEST_P(Parsing, AcceptsExactlyTheGrammar)
{
    const ParseCase& c = GetParam();
    const QString text = QString::fromUtf8(c.text);
    long double value = -12345;
    EXPECT_EQ(tryParseNumber(text, c.separator, value), c.valid) << c.name;
    if (c.valid)
        EXPECT_EQ(value, c.value) << c.name;
    else
        EXPECT_THROW(parseNumber(text, c.separator), ConvertError) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Table, Parsing, testing::Values(
    ParseCase{"comma decimal", "2,5", u',', true, 2.5L},
    ParseCase{"point under comma", "1.5", u',', false, 0},
    ParseCase{"point under point", "1.5", u'.', true, 1.5L},
    ParseCase{"comma under point", "1,5", u'.', false, 0},
    ParseCase{"separator alone", ",", u',', true, 0},
    ParseCase{"point alone under comma", ".", u',', false, 0},
    ParseCase{"exponent", "1e3", u',', true, 1000},
    ParseCase{"exponent upper case with sign", "15E-1", u',', true, 1.5L},
    ParseCase{"exponent without digits", "1e", u',', false, 0},
    ParseCase{"blanks at both ends", " 12 ", u',', true, 12},
    ParseCase{"tab before", "\t12", u',', false, 0},
    ParseCase{"blank inside", "1 2", u',', false, 0},
    ParseCase{"empty", "", u',', false, 0},
    ParseCase{"blanks only", "   ", u',', false, 0},
    ParseCase{"plus alone", "+", u',', false, 0},
    ParseCase{"minus alone", "-", u',', false, 0},
    ParseCase{"sign and exponent without digits", "-e5", u',', false, 0},
    ParseCase{"sign and separator", "-,", u',', true, 0},
    ParseCase{"trailing separator", "1,", u',', true, 1},
    ParseCase{"leading separator", ",5", u',', true, 0.5L},
    ParseCase{"negative", "-12,75", u',', true, -12.75L},
    ParseCase{"plus sign", "+3", u',', true, 3},
    ParseCase{"two signs", "--3", u',', false, 0},
    ParseCase{"thousands separator", "1.000,50", u',', false, 0},
    ParseCase{"letters", "abc", u',', false, 0},
    ParseCase{"beyond extended range", "1e5000", u',', false, 0},
    ParseCase{"beyond double but inside extended", "1e400", u',', true, 1e400L},
    ParseCase{"underflow reads as zero", "1e-6000", u',', true, 0}));

TEST(Hundredths, RoundAsTheTwoDecimalFormAndFormatBack)
{
    EXPECT_EQ(hundredthsOf(2.675), 268);
    EXPECT_EQ(hundredthsOf(-0.125L), -13);
    EXPECT_EQ(hundredthsOf(-0.001L), 0);
    EXPECT_EQ(hundredthsOf(1234567.89L), 123456789);
    EXPECT_EQ(hundredthsOf(9999999999999.99L), 999999999999999);
    EXPECT_FALSE(hundredthsOf(1e16L).has_value());
    EXPECT_EQ(formatHundredths(0, u','), QStringLiteral("0,00"));
    EXPECT_EQ(formatHundredths(-5, u','), QStringLiteral("-0,05"));
    EXPECT_EQ(formatHundredths(14691357, u'.'), QStringLiteral("146913.57"));
    EXPECT_EQ(formatHundredths(999999999999999, u','), QStringLiteral("9999999999999,99"));
}

TEST(ParsingMessage, NamesTheTextAsGiven)
{
    try {
        parseNumber(QStringLiteral(" 2.5 "), u',');
        FAIL() << "no error";
    } catch (const ConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("' 2.5 ' ist kein gültiger Gleitkommawert"));
    }
}

TEST(ErrorBoxText, AppendsFullStopAfterCharactersAboveThePoint)
{
    EXPECT_EQ(errorBoxText(QStringLiteral("Type mismatch")), QStringLiteral("Type mismatch."));
    EXPECT_EQ(errorBoxText(QStringLiteral("Undeclared Identifier 'x'")), QStringLiteral("Undeclared Identifier 'x'"));
    EXPECT_EQ(errorBoxText(QStringLiteral("Internal interpreter error: ")), QStringLiteral("Internal interpreter error: "));
    EXPECT_EQ(errorBoxText(QStringLiteral("Ende.")), QStringLiteral("Ende."));
    EXPECT_EQ(errorBoxText(QStringLiteral("Gleitkommaüberlauf")), QStringLiteral("Gleitkommaüberlauf."));
    EXPECT_EQ(errorBoxText(QString()), QString());
}

TEST(ErrorBoxText, OfAnyExceptionIsItsMessageWithTheFullStop)
{
    EXPECT_EQ(errorBoxTextOf(ArithmeticError(QStringLiteral("Gleitkommaüberlauf"))),
              QStringLiteral("Gleitkommaüberlauf."));
    EXPECT_EQ(errorBoxTextOf(Error(QStringLiteral("Undeclared Identifier 'x'"))),
              QStringLiteral("Undeclared Identifier 'x'"))
        << "quote at the end";
    EXPECT_EQ(errorBoxTextOf(std::length_error("vector too long")), QStringLiteral("vector too long."));
    EXPECT_EQ(unknownErrorBoxText(), QStringLiteral("Unbekannter Fehler."));
}

TEST(TrimBlanks, RemovesControlCharactersAndSpacesOnly)
{
    EXPECT_EQ(trimBlanks(QString::fromUtf8("\t\r\n 12+5 \x01")), QStringLiteral("12+5"));
    EXPECT_EQ(trimBlanks(QString(QChar(0xA0)) + QStringLiteral("1")), QString(QChar(0xA0)) + QStringLiteral("1"));
    EXPECT_EQ(trimBlanks(QStringLiteral("   ")), QString());
    EXPECT_TRUE(isBlankText(QStringLiteral(" \t")));
    EXPECT_FALSE(isBlankText(QStringLiteral(" x")));
}

} // namespace
