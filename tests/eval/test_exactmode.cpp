// SPDX-License-Identifier: GPL-3.0-or-later
// The exact mode of the evaluators: the digits it shows, the kinds of its
// values, and the failures it shares with the binary arithmetic.

#include "eval/errors.h"
#include "eval/interpreter.h"
#include "eval/number.h"
#include "eval/powerformula.h"
#include "valuetext.h"

#include <gtest/gtest.h>

using namespace numra;
using numra::testing::describe;

namespace {

enum class Form { General, TwoDecimals };

// What "=" shows for a formula typed with "," as separator: a formula with
// "^" goes to the power-formula reader, any other to the interpreter.
std::string shown(const QString& typed, Arithmetic arithmetic, Form form = Form::General)
{
    QString formula = typed;
    formula.replace(u',', u'.');
    try {
        Number value;
        if (formula.contains(u'^')) {
            value = evaluatePowerFormula(formula, arithmetic);
        } else {
            Interpreter interpreter(ValueContext{u','});
            interpreter.setSource(formula);
            interpreter.run(arithmetic);
            value = toNumber(interpreter.result(), ValueContext{u',', arithmetic});
        }
        EXPECT_EQ(value.isDecimal(), arithmetic == Arithmetic::Decimal) << typed.toStdString();
        const NumberText text = form == Form::General ? generalForm(value, u',') : twoDecimalForm(value, u',');
        return text.toString().toStdString();
    } catch (const Error& e) {
        return "error: " + e.message().toStdString();
    }
}

QString sumOf(const QString& amount, int count)
{
    return (amount + u'+').repeated(count - 1) + amount;
}

struct ShownCase {
    QString formula;
    const char* binary;
    const char* exact;
    Form form = Form::General;
};

// The cases office users meet, each as today and in the exact mode.
TEST(ExactMode, OfficeCasesShowTheExactDigits)
{
    const ShownCase cases[] = {
        {u"86251,76-86250,82"_qs, "0,939999999987776", "0,94"},
        {u"504,99-375-35-5-30-59,99"_qs, "7,105427357601E-15", "0"},
        {u"12345678,91-12345678"_qs, "0,910000000149012", "0,91"},
        {sumOf(u"12,34"_qs, 100000), "1234000,00000035", "1234000"},
        {u"8922/1,07"_qs, "8338,31775700934", "8338,31775700935"},
        {u"554,77-650,32"_qs, "-95,5500000000001", "-95,55"},
        {u"1/3*3"_qs, "1", "1"},
        {u"2/3"_qs, "0,666666666666667", "0,666666666666667"},
        {u"(1,005+1,005)/2"_qs, "1,01", "1,01", Form::TwoDecimals},
        {u"100/1,19"_qs, "84,03", "84,03", Form::TwoDecimals},
        {u"1000*1,05^10"_qs, "1628,89462677744", "1628,89462677744"},
        {u"2^0,5"_qs, "1,4142135623731", "1,4142135623731"},
        {u"200+19%"_qs, "238", "238"},
        {u"0,1+0,2"_qs, "0,3", "0,3"},
        {u"10^15"_qs, "1E15", "1E15"},
        {u"1/100000"_qs, "1E-5", "1E-5"},
    };
    for (const ShownCase& c : cases) {
        SCOPED_TRACE(c.formula.left(60).toStdString());
        EXPECT_EQ(shown(c.formula, Arithmetic::Binary, c.form), c.binary);
        EXPECT_EQ(shown(c.formula, Arithmetic::Decimal, c.form), c.exact);
    }
    EXPECT_EQ(formatGeneral(squareRoot(Decimal::fromInteger(2)), u','), u"1,4142135623731"_qs);
}

// Switching the mode changes the digits of a result, never whether a formula
// fails or the message it fails with, at the limits a user can reach.
TEST(ExactMode, FormulasFailAlikeInBothModes)
{
    const QString huge = u"1"_qs + QString(308, u'0') + u",0"_qs;        // 1E308
    const QString tooLarge = u"1"_qs + QString(309, u'0') + u",0"_qs;    // 1E309
    const QString tiny = u"0,"_qs + QString(400, u'0') + u"1"_qs;        // 1E-401, zero as a double
    const QString beyondExtended = u"1"_qs + QString(5000, u'0') + u",5"_qs;
    const QString cases[] = {
        u"1/0"_qs, u"0/0"_qs, u"1 div 0"_qs, u"5 mod 0"_qs, u"'abc'*2"_qs, u"x:=5"_qs, u"Null+0"_qs,
        u"'abc'"_qs, u"10000000000,5 div 2"_qs, u"(1+2"_qs, u"*5"_qs, u"x1"_qs, u"1e3"_qs,
        u"99999999999999999999"_qs, u"1/Null"_qs, u"integer(3000000000,5)"_qs,
        huge + u"*10"_qs, tooLarge, u"-"_qs + huge + u"*-10"_qs, huge + u"/0,1"_qs,
        u"1/"_qs + tiny, u"'"_qs + huge + u"0'*1"_qs, u"'"_qs + beyondExtended + u"'*1"_qs,
        beyondExtended, u"not "_qs + huge, u"1/(1E3)"_qs,
        // the power-formula reader
        u"0^5"_qs, u"-2^2"_qs, u"(10^400)"_qs, u"10^4000^2"_qs, u"10^4000*10^4000"_qs, u"2^"_qs,
        u"(2^2"_qs, u"0^"_qs, u"1/0^1"_qs, u"(2^2)/(1-1)"_qs, u"0/0+2^2"_qs, u"2^(0-1)*0^1"_qs,
        beyondExtended + u"^2"_qs, u"(2^-2000)^-1"_qs, u"10^-3000/10^-3000^2"_qs,
    };
    for (const QString& formula : cases) {
        SCOPED_TRACE(formula.left(60).toStdString());
        const std::string binary = shown(formula, Arithmetic::Binary);
        EXPECT_EQ(binary.rfind("error: ", 0), 0u) << binary;
        EXPECT_EQ(shown(formula, Arithmetic::Decimal), binary);
    }
}

// Results that are right in both modes read the same in both.
TEST(ExactMode, LimitsThatSucceedAgree)
{
    const QString cases[] = {
        u"1/"_qs + u"1"_qs + QString(320, u'0') + u",0"_qs, // a double's subnormal range
        u"0,"_qs + QString(400, u'0') + u"1"_qs,            // below it: zero
        u"2147483647+1"_qs, u"9223372036854775807+1"_qs, u"100000*100000"_qs, u"3000000000*2"_qs,
        u"2^-100000"_qs, u"10^400"_qs, u"1^1000"_qs, u"(1,5)^2"_qs, u"2^3^2"_qs, u"2^-3^2"_qs,
        u"1<2"_qs, u"true+1"_qs, u"'12'+'3'"_qs, u"'12'+3"_qs, u"-'2,5'"_qs, u"7,5 div 2"_qs,
        u"6,5 div 2"_qs, u"not 2,5"_qs, u"double(7)/2"_qs, u"begin Result := 1,5*2 end;0"_qs,
    };
    for (const QString& formula : cases)
        EXPECT_EQ(shown(formula, Arithmetic::Decimal), shown(formula, Arithmetic::Binary)) << formula.left(60).toStdString();
}

struct ValueCase {
    const char16_t* source;
    const char* value;
};

// Every real is a Decimal, from the literal to the converted text; the
// integer rules stay integer, and their overflow goes on in decimals.
TEST(ExactMode, RealsAreDecimalsAndIntegersStayIntegers)
{
    const ValueCase cases[] = {
        {u"12.50", "Decimal 12.5"},
        {u"12.", "Decimal 12"},
        {u"7/2", "Decimal 3.5"},
        {u"6/3", "Decimal 2"},
        {u"1/3*3", "Decimal 0.9999999999999999999999999999999999"},
        {u"0.1*3", "Decimal 0.3"},
        {u"7 div 2", "Integer 3"},
        {u"12+5*2", "Integer 22"},
        {u"2147483647+1", "Decimal 2147483648"},
        {u"9223372036854775807+1", "Decimal 9223372036854775808"},
        {u"3000000000*2", "Int64 6000000000"},
        {u"1+0.5", "Decimal 1.5"},
        {u"'1,5'*2", "Decimal 3"},
        {u"'12'+3", "Decimal 15"},
        {u"'12'+'3'", "UnicodeString '123'"},
        {u"-'2,5'", "Decimal -2.5"},
        {u"-0.5", "Decimal -0.5"},
        {u"true+0.5", "Decimal -0.5"},
        {u"200+10%", "Decimal 220"},
        {u"double(1)", "Decimal 1"},
        {u"integer(2.5)", "Integer 2"},
        {u"not 2.5", "Integer -3"},
        {u"0.1+0.2=0.3", "Boolean true"},
        {u"0.3<0.1*3", "Boolean false"},
        {u"'0,3'=0.3", "Boolean true"},
        {u"1.10=1.1", "Boolean true"},
        {u"0.12345678901234567890123456789012345", "Decimal 0.1234567890123456789012345678901234"},
    };
    Interpreter interpreter(ValueContext{u','});
    for (const ValueCase& c : cases) {
        const QString source = QString::fromUtf16(c.source);
        interpreter.setSource(source);
        try {
            interpreter.run(Arithmetic::Decimal);
            EXPECT_EQ(describe(interpreter.result()), c.value) << source.toStdString();
        } catch (const Error& e) {
            ADD_FAILURE() << source.toStdString() << ": " << e.message().toStdString();
        }
    }
}

TEST(ExactMode, TheArithmeticIsChosenPerRun)
{
    Interpreter interpreter(ValueContext{u','});
    interpreter.setSource(u"0.1+0.2=0.3"_qs);
    interpreter.run(Arithmetic::Decimal);
    EXPECT_EQ(describe(interpreter.result()), "Boolean true");
    interpreter.run();
    EXPECT_EQ(describe(interpreter.result()), "Boolean false");
    interpreter.run(Arithmetic::Decimal);
    EXPECT_EQ(describe(interpreter.result()), "Boolean true");
    interpreter.run(Arithmetic::Binary);
    EXPECT_EQ(describe(interpreter.result()), "Boolean false");

    Interpreter exact(ValueContext{u',', Arithmetic::Decimal});
    exact.setSource(u"0.1"_qs);
    exact.run();
    EXPECT_EQ(describe(exact.result()), "Decimal 0.1");
}

TEST(ExactMode, PowerFormulasAreExactAndGroupsKeepTheirDigits)
{
    const struct {
        const char* formula;
        const char* value;
    } cases[] = {
        {"1.05^10", "1.62889462677744140625"},
        {"(1+0.035)^3", "1.108717875"},
        {"2^-2", "0.25"},
        {"6.25^0.5", "2.5"},
        {"(1/3)*3", "0.9999999999999999999999999999999999"},
        {"1/3*3^1", "0.9999999999999999999999999999999999"},
        {"2^2+10%", "4.4"},
        {"2^-100000", "0"},
        {"--2^2", "4"},
    };
    for (const auto& c : cases) {
        const Number value = evaluatePowerFormula(QString::fromUtf8(c.formula), Arithmetic::Decimal);
        EXPECT_EQ(numra::testing::exactText(value.decimalValue()), c.value) << c.formula;
    }
}

} // namespace
