// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/errors.h"
#include "eval/numbertext.h"
#include "eval/powerformula.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

using namespace numra;

namespace {

struct ValueCase {
    const char* formula;
    long double expected;
};

// Powers go through e^(y * ln x), so they are compared to a few units in the
// last place of a double; everything else is exact.
const ValueCase kValues[] = {
    {"2^10", 1024},
    {"2^0.5", std::sqrt(2.0L)},
    {"3+2^2*2", 11},
    {"(1+1)^3", 8},
    {"2^3^2", 64},
    {"2^-2", 0.25},
    {"2^-1", 0.5},
    {"2^-3^2", 0.015625},
    {" 2^3", 8},
    {"\t2^3", 8},
    {"2 ^ 3", 8},
    {"2^3 ", 8},
    {"2^3 +1", 9},
    {"2+3 ^4", 83},
    {"( 2 ) ^ 2 ", 4},
    {"2^3\r\n", 8}, // a loaded calculation file ends in a line break
    {"1.5^2", 2.25},
    {"5.^2", 25},
    {"1^1000", 1},
    {"2^-100000", 0},
    {"8-3-2", 3},
    {"8/4/2", 1},
    {"--2", 2},
    {"+-+2", -2},
    {"( 1+1)^2", 4},
    {"2*(3+4)^1", 14},
    {"10^400", 1e400L},
    // "%" directly after a number, as the script language has it.
    {"2^2+10%", 4.4L},
    {"2^2-10%*2", 3.2L},
    {"2^2*50%", 2},
    {"2^50%", std::sqrt(2.0L)},
    {"(2^2+10%)^1", 4.4L},
    {"1+2^2+-10%", 4.5L},
};

TEST(PowerFormula, WorkedExamplesAndEdgeCases)
{
    for (const ValueCase& c : kValues) {
        SCOPED_TRACE(c.formula);
        const long double value = evaluatePowerFormula(QString::fromUtf8(c.formula));
        if (c.expected == 0)
            EXPECT_EQ(value, 0.0L);
        else
            EXPECT_NEAR(double(value / c.expected), 1.0, 1e-15) << "value " << double(value);
    }
}

// The exact mode reads the same formulas to the same shown digits.
TEST(PowerFormula, WorkedExamplesShowTheSameInTheExactMode)
{
    for (const ValueCase& c : kValues) {
        SCOPED_TRACE(c.formula);
        const Number value = evaluatePowerFormula(QString::fromUtf8(c.formula), Arithmetic::Decimal);
        EXPECT_EQ(generalForm(value, u',').toString(), formatGeneral(c.expected, u','));
    }
}

TEST(PowerFormula, WithoutPowerTheArithmeticIsExactExtended)
{
    EXPECT_EQ(evaluatePowerFormula(QStringLiteral("1/3")), 1.0L / 3);
    // A group is rounded to a double before the enclosing expression uses it.
    EXPECT_EQ(evaluatePowerFormula(QStringLiteral("(1/3)")), static_cast<long double>(1.0 / 3));
}

TEST(PowerFormula, NumbersAreReadWithAPointWhateverTheLocale)
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8"); // may be missing; the point holds either way
    EXPECT_EQ(evaluatePowerFormula(QStringLiteral("1.5*2^1")), 3.0L);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

enum class Family { Syntax, Arithmetic, Conversion };

struct ErrorCase {
    const char* formula;
    const char* message;
    Family family;
};

const ErrorCase kErrors[] = {
    {"2^", "Syntax error in expression", Family::Syntax},
    {"^2", "Syntax error in expression", Family::Syntax},
    {"2^(", "Syntax error in expression", Family::Syntax},
    {"", "Syntax error in expression", Family::Syntax},
    {"2^.5", "Syntax error in expression", Family::Syntax},
    {"x^2", "Syntax error in expression", Family::Syntax},
    {")^2", "Syntax error in expression", Family::Syntax},
    {"2*^3", "Syntax error in expression", Family::Syntax},
    {"2^²", "Syntax error in expression", Family::Syntax},
    {"(2^2", "Missing ')' in expression", Family::Syntax},
    {"(2 3)^2", "Missing ')' in expression", Family::Syntax},
    // Text that no operator joins to the formula.
    {"2^3abc", "Syntax error in expression", Family::Syntax},
    {"2^2 3", "Syntax error in expression", Family::Syntax},
    {"2^3)", "Syntax error in expression", Family::Syntax},
    {"1.2.3^2", "Syntax error in expression", Family::Syntax},
    {"1e5^2", "Syntax error in expression", Family::Syntax}, // no exponent notation
    {"2^2+10 %", "Syntax error in expression", Family::Syntax}, // "%" only directly after a number
    {"-2^2", "Ungültige Gleitkommaoperation", Family::Arithmetic},
    {"2*-3^2", "Ungültige Gleitkommaoperation", Family::Arithmetic},
    {"0/0", "Ungültige Gleitkommaoperation", Family::Arithmetic},
    {"0^5", "Gleitkommadivision durch Null", Family::Arithmetic},
    {"0^0", "Gleitkommadivision durch Null", Family::Arithmetic},
    {"0^", "Gleitkommadivision durch Null", Family::Arithmetic},
    {"0^(", "Gleitkommadivision durch Null", Family::Arithmetic},
    {"1/0", "Gleitkommadivision durch Null", Family::Arithmetic},
    {"(10^400)", "Gleitkommaüberlauf", Family::Arithmetic},
    {"10^4000^2", "Gleitkommaüberlauf", Family::Arithmetic},
    {"10^4000*10^4000", "Gleitkommaüberlauf", Family::Arithmetic},
};

QString errorOf(const QString& formula, Family& family, Arithmetic arithmetic = Arithmetic::Binary)
{
    try {
        evaluatePowerFormula(formula, arithmetic);
    } catch (const ArithmeticError& e) {
        family = Family::Arithmetic;
        return e.message();
    } catch (const ConvertError& e) {
        family = Family::Conversion;
        return e.message();
    } catch (const Error& e) {
        family = Family::Syntax;
        return e.message();
    }
    return QStringLiteral("(no error)");
}

// A number is the extended value nearest to its decimal text, however it is
// read: short numbers are read without the general conversion, so both roads
// are compared with it here, at the edges between them too.
TEST(PowerFormula, NumbersAreTheNearestExtendedValue)
{
    std::vector<QString> numbers = {
        "0", "5.", "0.1", "0.3", "2.675", "9007199254740993", "1.00000000000000000005",
        "9999999999999999999", "18446744073709551615", "18446744073709551616",
        "0.0000000000000000000000000001", "1234567890.123456789", "123456789012345678901234567890",
        "0.1000000000000000000000000000000000001", "00000000000000000000000000000001.5",
    };
    std::mt19937_64 random(8);
    for (int i = 0; i < 2000; ++i) {
        const int digits = 1 + int(random() % 24);
        QString number;
        for (int d = 0; d < digits; ++d)
            number += QChar(u'0' + int(random() % 10));
        const int point = int(random() % (digits + 2));
        if (point <= digits && point > 0)
            number.insert(point, u'.');
        numbers.push_back(number);
    }
    for (const QString& number : numbers) {
        long double expected = 0;
        ASSERT_TRUE(tryParseNumber(number, u'.', expected)) << number.toStdString();
        const long double read = evaluatePowerFormula(number);
        EXPECT_EQ(std::memcmp(&read, &expected, 10), 0) << number.toStdString();
    }
}

// In both arithmetics: switching the mode never changes how a formula fails.
TEST(PowerFormula, FailuresCarryTheirMessage)
{
    for (Arithmetic arithmetic : {Arithmetic::Binary, Arithmetic::Decimal}) {
        for (const ErrorCase& c : kErrors) {
            SCOPED_TRACE(c.formula);
            Family family = Family::Syntax;
            const QString message = errorOf(QString::fromUtf8(c.formula), family, arithmetic);
            EXPECT_EQ(message, QString::fromUtf8(c.message)) << "decimal: " << (arithmetic == Arithmetic::Decimal);
            EXPECT_EQ(family, c.family);
        }
    }
}

TEST(PowerFormula, ItsOwnMessagesAreGermanInGerman)
{
    const struct {
        const char* formula;
        const char* german;
    } cases[] = {
        {"2^", "Syntaxfehler im Ausdruck"},
        {"(2^2", "')' fehlt im Ausdruck"},
        {"0^2", "Gleitkommadivision durch Null"},
    };
    for (const auto& c : cases) {
        try {
            evaluatePowerFormula(QString::fromUtf8(c.formula));
            ADD_FAILURE() << "no error for " << c.formula;
        } catch (const Error& e) {
            EXPECT_EQ(e.messageIn(Language::German), QString::fromUtf8(c.german)) << c.formula;
        }
    }
}

TEST(PowerFormula, ANumberBeyondTheExtendedRangeIsAConversionError)
{
    const QString digits(5000, u'9');
    for (Arithmetic arithmetic : {Arithmetic::Binary, Arithmetic::Decimal}) {
        Family family = Family::Syntax;
        EXPECT_EQ(errorOf(digits + QStringLiteral("^2"), family, arithmetic),
                  QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(digits));
        EXPECT_EQ(family, Family::Conversion);
    }
}

TEST(PowerFormula, AFaultLeavesNothingForTheNextCalculation)
{
    Family family = Family::Syntax;
    errorOf(QStringLiteral("0^1"), family);
    EXPECT_EQ(evaluatePowerFormula(QStringLiteral("2^2*1.5")), 6.0L);
}

TEST(PowerFormula, DeepNestingEndsInAMessageNotACrash)
{
    Family family = Family::Syntax;
    EXPECT_EQ(errorOf(QString(100000, u'(') + QStringLiteral("2^2"), family, Arithmetic::Decimal),
              QStringLiteral("Expression is too complex"));
    EXPECT_EQ(errorOf(QString(100000, u'(') + QStringLiteral("2^2"), family), QStringLiteral("Expression is too complex"));
    EXPECT_EQ(errorOf(QString(1000000, u'(') + QStringLiteral("2^2"), family), QStringLiteral("Expression is too complex"));
    EXPECT_EQ(evaluatePowerFormula(QString(100000, u'-') + QStringLiteral("2^2")), 4.0L);
    EXPECT_EQ(errorOf(QString(100001, u'-') + QStringLiteral("2^2"), family), QStringLiteral("Ungültige Gleitkommaoperation"));
    EXPECT_EQ(errorOf(QString(100000, u'-'), family), QStringLiteral("Syntax error in expression"));
    // Well-formed nesting up to the limit still evaluates.
    EXPECT_EQ(evaluatePowerFormula(QString(1000, u'(') + QStringLiteral("2") + QString(1000, u')') + QStringLiteral("^2")), 4.0L);
}

} // namespace
