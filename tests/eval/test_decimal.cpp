// SPDX-License-Identifier: GPL-3.0-or-later
// The exact mode's numbers: reading, the shown forms, powers, conversions and
// the binary ranges they keep.

#include "eval/decimal.h"
#include "eval/errors.h"
#include "eval/number.h"
#include "eval/numbertext.h"
#include "valuetext.h"

#include <gtest/gtest.h>

#include <limits>

using namespace numra;
using numra::testing::exactText;

namespace {

Decimal read(const char* text)
{
    Decimal value;
    EXPECT_TRUE(tryParseDecimal(QString::fromUtf8(text), u'.', value)) << text;
    return value;
}

// The value's digits, or the message of the error it raised.
template <class Operation>
std::string outcome(Operation operation)
{
    try {
        return exactText(operation());
    } catch (const Error& e) {
        return "error: " + e.message().toStdString();
    }
}

TEST(Decimal, TextsAreHeldExactlyUpTo34DigitsThenRoundedHalfToEven)
{
    const struct {
        const char* text;
        const char* value;
    } cases[] = {
        {"12.34", "12.34"},
        {"  -0.1 ", "-0.1"},
        {"+5", "5"},
        {".", "0"},
        {"1.5E3", "1500"},
        {"1e-3", "0.001"},
        {"000123.4500", "123.45"},
        {"0.1234567890123456789012345678901234", "0.1234567890123456789012345678901234"},
        {"1234567890123456789012345678901234.5", "1234567890123456789012345678901234"}, // tie, even
        {"1234567890123456789012345678901235.5", "1234567890123456789012345678901236"},
        {"1234567890123456789012345678901234.50001", "1234567890123456789012345678901235"},
        {"9999999999999999999999999999999999.5", "10000000000000000000000000000000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exactText(read(c.text)), c.value) << c.text;
}

// The same texts are numbers in both arithmetics: the grammar is shared and
// the decimal one refuses what lies beyond the extended range too.
TEST(Decimal, TheSameTextsAreNumbersInBothArithmetics)
{
    const char* const texts[] = {
        "1,5", "1.5", "-", "+", "", " ", "1,", ",5", ",", "1 2", "1e", "1e+", "1e5", "1E-5x", "0x10",
        "1,5E3", "١", "1e4932", "1e4933", "-1e4933", "1e-4951", "1e-5000", "1e99999999999999999999",
        "1e-99999999999999999999", "1189731495357231765053511589829489e4899",
        "1189731495357231765053511589829488e4899",
    };
    for (const char* text : texts) {
        long double binary = 0;
        Decimal decimal;
        const QString t = QString::fromUtf8(text);
        EXPECT_EQ(tryParseNumber(t, u',', binary), tryParseDecimal(t, u',', decimal)) << text;
    }
    EXPECT_EQ(exactText(read("1e-99999")), "0");
    EXPECT_TRUE(read("-1e-5000").isNegative());
}

TEST(Decimal, ConvertErrorNamesTheText)
{
    try {
        parseDecimal(QStringLiteral("12a"), u',');
        FAIL() << "no error";
    } catch (const ConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("'12a' ist kein gültiger Gleitkommawert"));
    }
}

// The digits shown are the exact value's, rounded at the 15th significant
// digit or the second decimal, halves away from zero; the thresholds are the
// binary forms'.
TEST(Decimal, ShownFormsRoundTheExactDigits)
{
    const struct {
        const char* value;
        const char* general;
        const char* twoDecimals;
    } cases[] = {
        {"0", "0", "0,00"},
        {"-0", "0", "0,00"},
        {"0.94", "0,94", "0,94"},
        {"1234000.00", "1234000", "1234000,00"},
        {"8338.317757009345794392523364485981", "8338,31775700935", "8338,32"},
        {"0.9999999999999999999999999999999999", "1", "1,00"},
        {"0.125", "0,125", "0,13"},
        {"-0.125", "-0,125", "-0,13"},
        {"2.675", "2,675", "2,68"},
        {"4908.325", "4908,325", "4908,33"},
        {"4908.324999999999999999999999999999", "4908,325", "4908,32"}, // each form rounds the value once
        {"-0.001", "-0,001", "0,00"},
        {"0.1000000000000005", "0,100000000000001", "0,10"},
        {"-0.1000000000000005", "-0,100000000000001", "-0,10"},
        {"0.1000000000000004999", "0,1", "0,10"},
        {"999999999999999.5", "1E15", "999999999999999,50"},
        {"999999999999999.4", "999999999999999", "999999999999999,40"},
        {"0.0001", "0,0001", "0,00"},
        {"0.00009999999999999995", "0,0001", "0,00"},
        {"0.00009999999999999994", "9,99999999999999E-5", "0,00"},
        {"0.00001", "1E-5", "0,00"},
        {"-15E19", "-1,5E20", "-1,5E20"},
        {"123456789012345678.91", "1,23456789012346E17", "123456789012345678,91"},
        {"1E18", "1E18", "1E18"},
        {"1E400", "1E400", "1E400"},
        {"1E-400", "1E-400", "0,00"},
    };
    for (const auto& c : cases) {
        const Decimal value = read(c.value);
        EXPECT_EQ(formatGeneral(value, u','), QString::fromUtf8(c.general)) << c.value;
        EXPECT_EQ(formatTwoDecimals(value, u','), QString::fromUtf8(c.twoDecimals)) << c.value;
    }
}

// A product with zero keeps the exponents of its factors.
TEST(Decimal, AZeroWithAnyExponentIsShownAsZero)
{
    for (int exponent : {Decimal::kMinExponent, -40, 40, Decimal::kMaxExponent}) {
        for (bool negative : {false, true}) {
            const Decimal zero = Decimal::fromParts(negative, 0, exponent);
            EXPECT_EQ(formatGeneral(zero, u','), u"0"_qs) << exponent;
            EXPECT_EQ(formatTwoDecimals(zero, u','), u"0,00"_qs) << exponent;
            EXPECT_EQ(hundredthsOf(zero), 0) << exponent;
        }
    }
}

TEST(Decimal, HundredthsAreRoundedAsTheTwoDecimalFormRoundsThem)
{
    EXPECT_EQ(hundredthsOf(read("2.675")), 268);
    EXPECT_EQ(hundredthsOf(read("-2.675")), -268);
    EXPECT_EQ(hundredthsOf(read("12.344999999")), 1234);
    EXPECT_EQ(hundredthsOf(read("9999999999999999.99")), 999999999999999999);
    EXPECT_EQ(hundredthsOf(read("1E16")), std::nullopt);
}

TEST(Decimal, ArithmeticIsExactWithin34DigitsAndFaultsReadAsInBinary)
{
    EXPECT_EQ(outcome([] { return read("86251.76") - read("86250.82"); }), "0.94");
    EXPECT_EQ(outcome([] { return read("0.1") + read("0.2"); }), "0.3");
    EXPECT_EQ(outcome([] { return read("1") / read("3"); }), "0.3333333333333333333333333333333333");
    EXPECT_EQ(outcome([] { return read("2") / read("3"); }), "0.6666666666666666666666666666666667");
    EXPECT_EQ(outcome([] { return read("1") / read("0"); }), "error: Gleitkommadivision durch Null");
    EXPECT_EQ(outcome([] { return read("0") / read("0"); }), "error: Ungültige Gleitkommaoperation");
    EXPECT_EQ(outcome([] { return read("1E4000") * read("1E4000"); }), "error: Gleitkommaüberlauf");
    EXPECT_EQ(outcome([] { return squareRoot(read("2")); }), "1.414213562373095048801688724209698");
    EXPECT_EQ(outcome([] { return squareRoot(read("-4")); }), "error: Ungültige Gleitkommaoperation");
    EXPECT_TRUE(read("1.50") == read("1.5"));
    EXPECT_TRUE(read("-0") == read("0"));
    EXPECT_TRUE(read("0.3") < read("0.30000000000000001"));
}

TEST(Decimal, PowersAreExactWhenTheyFit)
{
    const struct {
        const char* base;
        const char* exponent;
        std::string value;
    } cases[] = {
        {"2", "10", "1024"},
        {"1.05", "10", "1.62889462677744140625"},
        {"1.5", "-2", "0.4444444444444444444444444444444444"},
        {"2", "-3", "0.125"},
        {"-2", "3", "-8"},
        {"0", "0", "1"},
        {"0", "5", "0"},
        {"10", "4000", "1" + std::string(4000, '0')},
        {"6.25", "0.5", "2.5"}, // the square root, exact where it is
        {"2", "0.5", "1.414213562373095048801688724209698"},
        {"1.1", "100", "13780.61233982227018411833717208964"}, // beyond 34 digits: the library's power
        {"0", "-1", "error: Gleitkommadivision durch Null"},
        {"-8", "0.5", "error: Ungültige Gleitkommaoperation"},
        {"10", "7000", "error: Gleitkommaüberlauf"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outcome([&] { return power(read(c.base), read(c.exponent)); }), c.value) << c.base << "^" << c.exponent;
}

TEST(Decimal, IntegerConversionsRoundHalfToEvenOrTruncate)
{
    EXPECT_EQ(read("2.5").roundedToInt64(), 2);
    EXPECT_EQ(read("3.5").roundedToInt64(), 4);
    EXPECT_EQ(read("-2.5").roundedToInt64(), -2);
    EXPECT_EQ(read("-12.7").truncatedToInt64(), -12);
    EXPECT_EQ(read("0.9999999999999999999999999999999999").truncatedToInt64(), 0);
    EXPECT_EQ(read("9223372036854775807").roundedToInt64(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(read("9223372036854775808").roundedToInt64(), std::nullopt);
    EXPECT_EQ(read("-9223372036854775808.9").truncatedToInt64(), std::numeric_limits<std::int64_t>::min());
    EXPECT_TRUE(read("12.000").isIntegral());
    EXPECT_FALSE(read("12.001").isIntegral());
    EXPECT_EQ(Decimal::fromDouble(0.1).toDouble(), 0.1);
    EXPECT_EQ(exactText(Decimal::fromDouble(0.5)), "0.5");
    EXPECT_EQ(exactText(Decimal::fromDouble(0.1)), "0.1000000000000000055511151231257827");
    EXPECT_EQ(exactText(Decimal::fromLongDouble(0.1L)), "0.1000000000000000000013552527156069");
}

// Where the binary formats overflow, the decimal value does too; where they
// round to zero, it becomes zero.
TEST(Decimal, TheBinaryRangesAreKept)
{
    const auto within = [](const char* text, BinaryRange range) {
        return outcome([&] { return withinRange(read(text), range); });
    };
    EXPECT_EQ(within("1.797693134862315807937289714053034E308", BinaryRange::Double),
              "17976931348623158079372897140530340" + std::string(274, '0'));
    EXPECT_EQ(within("1.797693134862315807937289714053035E308", BinaryRange::Double), "error: Gleitkommaüberlauf");
    EXPECT_EQ(within("-1E309", BinaryRange::Double), "error: Gleitkommaüberlauf");
    EXPECT_EQ(within("2.5E-324", BinaryRange::Double), "0." + std::string(323, '0') + "25");
    EXPECT_EQ(within("2.4E-324", BinaryRange::Double), "0");
    EXPECT_TRUE(withinRange(read("-2.4E-324"), BinaryRange::Double).isNegative());
    EXPECT_EQ(within("1E4932", BinaryRange::Extended), "1" + std::string(4932, '0'));
    EXPECT_EQ(outcome([] { return withinRange(read("1.2E4000") * read("1E932"), BinaryRange::Extended); }),
              "error: Gleitkommaüberlauf");
    EXPECT_EQ(within("1E-4952", BinaryRange::Extended), "0");
    EXPECT_TRUE(exceedsRange(read("1E309"), BinaryRange::Double));
    EXPECT_FALSE(exceedsRange(read("1E309"), BinaryRange::Extended));
}

TEST(Decimal, ANumberKeepsItsArithmetic)
{
    Number value;
    ASSERT_TRUE(tryParseNumber(u"2,675"_qs, u',', Arithmetic::Decimal, value));
    EXPECT_TRUE(value.isDecimal());
    EXPECT_EQ(twoDecimalForm(value, u',').toString(), u"2,68"_qs);
    EXPECT_EQ(hundredthsOf(value), 268);
    ASSERT_TRUE(tryParseNumber(u"0,1"_qs, u',', Arithmetic::Binary, value));
    EXPECT_FALSE(value.isDecimal());
    EXPECT_EQ(value.binaryValue(), 0.1L);
    EXPECT_FALSE(tryParseNumber(u"0.1"_qs, u',', Arithmetic::Decimal, value));
}

} // namespace
