// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/scriptvalue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <ostream>

using namespace numra;

namespace numra {
// Readable failures: "Double 3.5", "UnicodeString '123'".
void PrintTo(const ScriptValue& v, std::ostream* os)
{
    *os << kindName(v.kind()).toStdString() << ' ';
    if (v.isText())
        *os << '\'' << v.textPayload().toStdString() << '\'';
    else if (v.kind() == ValueKind::Double)
        *os << v.realPayload();
    else
        *os << v.intPayload();
}
} // namespace numra

namespace {

constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMaxInt64 = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinInt64 = std::numeric_limits<std::int64_t>::min();

ScriptValue E() { return ScriptValue(); }
ScriptValue N() { return ScriptValue::null(); }
ScriptValue I(std::int32_t v) { return ScriptValue::integer(v); }
ScriptValue L(std::int64_t v) { return ScriptValue::int64(v); }
ScriptValue D(double v) { return ScriptValue::dbl(v); }
ScriptValue B(bool v) { return ScriptValue::boolean(v); }
ScriptValue T(const char* v) { return ScriptValue::text(QString::fromUtf8(v)); }

bool sameValue(const ScriptValue& a, const ScriptValue& b)
{
    return a.kind() == b.kind() && a.intPayload() == b.intPayload()
        && a.realPayload() == b.realPayload() && a.textPayload() == b.textPayload();
}

const ValueContext kComma{u','};
const ValueContext kPoint{u'.'};

struct BinaryCase {
    const char* name;
    BinaryOp op;
    ScriptValue left, right, expected;
};

using Op = BinaryOp;
const BinaryCase kBinary[] = {
    {"7/2", Op::Divide, I(7), I(2), D(3.5)},
    {"6/3", Op::Divide, I(6), I(3), D(2)},
    {"7 div 2", Op::IntDivide, I(7), I(2), I(3)},
    {"7 mod 2", Op::Modulus, I(7), I(2), I(1)},
    {"-7 div 2", Op::IntDivide, I(-7), I(2), I(-3)},
    {"-7 mod 2", Op::Modulus, I(-7), I(2), I(-1)},
    {"2147483647+1", Op::Add, I(2147483647), I(1), D(2147483648.0)},
    {"-2147483648-1", Op::Subtract, I(kMinInt), I(1), D(-2147483649.0)},
    {"100000*100000", Op::Multiply, I(100000), I(100000), D(1e10)},
    {"3000000000*2", Op::Multiply, L(3000000000), I(2), L(6000000000)},
    {"9223372036854775807+1", Op::Add, L(kMaxInt64), I(1), D(9223372036854775808.0)},
    {"int64 div", Op::IntDivide, L(-7000000000), I(2), L(-3500000000)},
    {"int64 shl by modulo 64", Op::Shl, L(1), I(65), L(2)},
    {"int64 shr fills zeros", Op::Shr, L(-1), I(60), L(15)},
    {"7.5 div 2", Op::IntDivide, D(7.5), I(2), I(4)},
    {"6.5 div 2", Op::IntDivide, D(6.5), I(2), I(3)},
    {"1.5+1", Op::Add, D(1.5), I(1), D(2.5)},
    {"tiny product underflows silently", Op::Multiply, D(1e-300), D(1e-300), D(0)},
    {"true+1", Op::Add, B(true), I(1), I(0)},
    {"true+true", Op::Add, B(true), B(true), D(-2)},
    {"true and false", Op::And, B(true), B(false), B(false)},
    {"true xor false", Op::Xor, B(true), B(false), B(true)},
    {"true div 1", Op::IntDivide, B(true), B(true), I(1)},
    {"'12'+'3'", Op::Add, T("12"), T("3"), T("123")},
    {"''+'x' with Empty left is OleStr", Op::Add, E(), T("x"), ScriptValue::text(QStringLiteral("x"), ValueKind::OleStr)},
    {"'x'+Empty", Op::Add, T("x"), E(), T("x")},
    {"'12'+3", Op::Add, T("12"), I(3), D(15)},
    {"3+'4' converts the text", Op::Add, I(3), T("4"), D(7)},
    {"int64+'4'", Op::Add, L(3), T("4"), D(7)},
    {"'1,5'*2", Op::Multiply, T("1,5"), I(2), D(3)},
    {"'7' div '2'", Op::IntDivide, T("7"), T("2"), I(3)},
    {"'true' and true", Op::And, T("true"), B(true), B(true)},
    {"5 shl 2", Op::Shl, I(5), I(2), I(20)},
    {"1 shl 33", Op::Shl, I(1), I(33), I(2)},
    {"-1 shr 28", Op::Shr, I(-1), I(28), I(15)},
    {"6 and 3", Op::And, I(6), I(3), I(2)},
    {"6 or 3", Op::Or, I(6), I(3), I(7)},
    {"6 xor 3", Op::Xor, I(6), I(3), I(5)},
    {"smallint as integer", Op::Add, ScriptValue::ofKind(ValueKind::Smallint, 5), I(1), I(6)},
    {"Empty+Empty", Op::Add, E(), E(), E()},
    {"Empty+1", Op::Add, E(), I(1), I(1)},
    {"Empty-2.5", Op::Subtract, E(), D(2.5), D(-2.5)},
    {"Null+1", Op::Add, N(), I(1), N()},
    {"1*Null", Op::Multiply, I(1), N(), N()},
    {"Null or true", Op::Or, N(), B(true), B(true)},
    {"Null or false", Op::Or, N(), B(false), N()},
    {"true or Null", Op::Or, B(true), N(), B(true)},
    {"false or Null", Op::Or, B(false), N(), N()},
    {"Null and false", Op::And, N(), B(false), B(false)},
    {"Null and true", Op::And, N(), B(true), N()},
    {"false and Null", Op::And, B(false), N(), B(false)},
    {"true and Null", Op::And, B(true), N(), N()},
    {"Null and Null", Op::And, N(), N(), N()},
    {"Null xor true", Op::Xor, N(), B(true), N()},
    {"Null div 0", Op::IntDivide, N(), I(0), N()},
};

TEST(ScriptValueOperations, RuleMatrixResults)
{
    for (const BinaryCase& c : kBinary) {
        SCOPED_TRACE(c.name);
        const ScriptValue result = binaryOperation(c.op, c.left, c.right, kComma);
        EXPECT_TRUE(sameValue(result, c.expected))
            << ::testing::PrintToString(result) << " expected " << ::testing::PrintToString(c.expected);
    }
}

enum class Family { Value, Arithmetic, None };

struct ErrorCase {
    const char* name;
    std::function<void()> run;
    const char* message;
    Family family;
};

void op(BinaryOp o, const ScriptValue& l, const ScriptValue& r) { binaryOperation(o, l, r, kComma); }

const char* const kNullToDouble = "Variante des Typs (Null) konnte nicht in Typ (Double) konvertiert werden";

const ErrorCase kErrors[] = {
    {"1/0", [] { op(Op::Divide, I(1), I(0)); }, "Gleitkommadivision durch Null", Family::Arithmetic},
    {"0/0", [] { op(Op::Divide, I(0), I(0)); }, "Ungültige Gleitkommaoperation", Family::Arithmetic},
    {"1e300*1e300", [] { op(Op::Multiply, D(1e300), D(1e300)); }, "Gleitkommaüberlauf", Family::Arithmetic},
    {"1 div 0", [] { op(Op::IntDivide, I(1), I(0)); }, "Division durch Null", Family::Arithmetic},
    {"1 mod 0", [] { op(Op::Modulus, I(1), I(0)); }, "Division durch Null", Family::Arithmetic},
    {"int64 div 0", [] { op(Op::IntDivide, L(1), L(0)); }, "Division durch Null", Family::Arithmetic},
    {"-2147483648 div -1", [] { op(Op::IntDivide, I(kMinInt), I(-1)); }, "Integerüberlauf", Family::Arithmetic},
    {"-2147483648 mod -1", [] { op(Op::Modulus, I(kMinInt), I(-1)); }, "Integerüberlauf", Family::Arithmetic},
    {"int64 min div -1", [] { op(Op::IntDivide, L(kMinInt64), L(-1)); }, "Integerüberlauf", Family::Arithmetic},
    {"Empty/Empty", [] { op(Op::Divide, E(), E()); }, "Gleitkommadivision durch Null", Family::Arithmetic},
    {"Empty div Empty", [] { op(Op::IntDivide, E(), E()); }, "Division durch Null", Family::Arithmetic},
    {"Empty mod Empty", [] { op(Op::Modulus, E(), E()); }, "Division durch Null", Family::Arithmetic},
    {"'abc'*2", [] { op(Op::Multiply, T("abc"), I(2)); },
     "Variante des Typs (UnicodeString) konnte nicht in Typ (Double) konvertiert werden", Family::Value},
    {"'1.5'*2 with a comma locale", [] { op(Op::Multiply, T("1.5"), I(2)); },
     "Variante des Typs (UnicodeString) konnte nicht in Typ (Double) konvertiert werden", Family::Value},
    {"'abc' div 2", [] { op(Op::IntDivide, T("abc"), I(2)); },
     "Variante des Typs (UnicodeString) konnte nicht in Typ (Integer) konvertiert werden", Family::Value},
    {"10000000000.5 div 2", [] { op(Op::IntDivide, D(10000000000.5), I(2)); },
     "Überlauf bei der Konvertierung einer Variante vom Typ (Double) in Typ (Integer)", Family::Value},
    {"1e30 div 2", [] { op(Op::IntDivide, D(1e30), I(2)); }, "Ungültige Gleitkommaoperation", Family::Arithmetic},
    {"'1e400'*1", [] { op(Op::Multiply, T("1e400"), I(1)); },
     "Überlauf bei der Konvertierung einer Variante vom Typ (UnicodeString) in Typ (Double)", Family::Value},
    {"'abc' and true", [] { op(Op::And, T("abc"), B(true)); },
     "Variante des Typs (UnicodeString) konnte nicht in Typ (Boolean) konvertiert werden", Family::Value},
    {"set+1", [] { op(Op::Add, ScriptValue::set(3), I(1)); }, "Ungültige Variantenoperation", Family::Value},
    {"1+nil", [] { op(Op::Add, I(1), ScriptValue::pointer(0)); }, "Ungültige Variantenoperation", Family::Value},
    {"Null+set", [] { op(Op::Add, N(), ScriptValue::set(1)); }, "Ungültige Variantenoperation", Family::Value},
    {"set<set", [] { compare(CompareOp::Less, ScriptValue::set(1), ScriptValue::set(2), kComma); },
     "Ungültige Variantenoperation", Family::Value},
    {"-set", [] { negate(ScriptValue::set(1), kComma); }, "Ungültige Variantenoperation", Family::Value},
    {"not nil", [] { logicalNot(ScriptValue::pointer(0), kComma); }, "Ungültige Variantenoperation", Family::Value},
    {"not 'abc'", [] { logicalNot(T("abc"), kComma); },
     "Variante des Typs (UnicodeString) konnte nicht in Typ (Boolean) konvertiert werden", Family::Value},
    {"not 1e30", [] { logicalNot(D(1e30), kComma); }, "Ungültige Gleitkommaoperation", Family::Arithmetic},
    {"Null as number", [] { toDouble(N(), kComma); }, kNullToDouble, Family::Value},
    {"Null as integer", [] { toInt32(N(), kComma); },
     "Variante des Typs (Null) konnte nicht in Typ (Integer) konvertiert werden", Family::Value},
    {"Null as Boolean", [] { toBoolean(N(), kComma); },
     "Variante des Typs (Null) konnte nicht in Typ (Boolean) konvertiert werden", Family::Value},
    {"set as number", [] { toDouble(ScriptValue::set(3), kComma); },
     "Variante des Typs (SetVariantType) konnte nicht in Typ (Double) konvertiert werden", Family::Value},
    {"nil as number", [] { toDouble(ScriptValue::pointer(0), kComma); },
     "Variante des Typs (PointerVariantType) konnte nicht in Typ (Double) konvertiert werden", Family::Value},
    {"text as number", [] { toDouble(T("x"), kComma); },
     "Variante des Typs (UnicodeString) konnte nicht in Typ (Double) konvertiert werden", Family::Value},
    {"big Int64 as integer", [] { toInt32(L(3000000000), kComma); },
     "Überlauf bei der Konvertierung einer Variante vom Typ (Int64) in Typ (Integer)", Family::Value},
    {"big text as Int64", [] { toInt64(T("1e30"), kComma); },
     "Überlauf bei der Konvertierung einer Variante vom Typ (UnicodeString) in Typ (Int64)", Family::Value},
};

TEST(ScriptValueOperations, ErrorsCarryTheirMessageAndFamily)
{
    for (const ErrorCase& c : kErrors) {
        SCOPED_TRACE(c.name);
        Family family = Family::None;
        QString message;
        try {
            c.run();
        } catch (const ValueError& e) {
            family = Family::Value;
            message = e.message();
        } catch (const ArithmeticError& e) {
            family = Family::Arithmetic;
            message = e.message();
        }
        EXPECT_EQ(message, QString::fromUtf8(c.message));
        EXPECT_EQ(family, c.family);
    }
}

TEST(ScriptValueOperations, AFaultLeavesNothingForTheNextOperation)
{
    EXPECT_THROW(binaryOperation(Op::Divide, I(1), I(0), kComma), ArithmeticError);
    EXPECT_TRUE(sameValue(binaryOperation(Op::Divide, D(1), D(3), kComma), D(1.0 / 3)));
}

struct CompareCase {
    const char* name;
    CompareOp op;
    ScriptValue left, right;
    bool expected;
};

using C = CompareOp;
const CompareCase kCompare[] = {
    {"1<2", C::Less, I(1), I(2), true},
    {"2<1", C::Less, I(2), I(1), false},
    {"2>=2", C::GreaterEqual, I(2), I(2), true},
    {"1<>1", C::NotEqual, I(1), I(1), false},
    {"true=-1", C::Equal, B(true), I(-1), true},
    {"true<0", C::Less, B(true), I(0), true},
    {"false<true", C::Less, B(false), B(true), true},
    {"1.5>1", C::Greater, D(1.5), I(1), true},
    {"int64 above integer", C::Greater, L(3000000000), I(1), true},
    {"'a'<'b'", C::Less, T("a"), T("b"), true},
    {"'B'<'a'", C::Less, T("B"), T("a"), true},
    {"'a'='A'", C::Equal, T("a"), T("A"), false},
    {"''=Empty", C::Equal, T(""), E(), true},
    {"9<'10' compares numbers", C::Less, I(9), T("10"), true},
    {"'10'>9", C::Greater, T("10"), I(9), true},
    {"Empty=Empty", C::Equal, E(), E(), true},
    {"Empty<1", C::Less, E(), I(1), true},
    {"Null=Null", C::Equal, N(), N(), true},
    {"Null<>1", C::NotEqual, N(), I(1), true},
    {"Null=1", C::Equal, N(), I(1), false},
    {"Null<1", C::Less, N(), I(1), true},
    {"Null<=Null", C::LessEqual, N(), N(), true},
    {"Null<Null", C::Less, N(), N(), false},
    {"1>Null", C::Greater, I(1), N(), true},
    {"1<Null", C::Less, I(1), N(), false},
};

TEST(ScriptValueOperations, ComparisonsGiveBooleans)
{
    for (const CompareCase& c : kCompare) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(sameValue(compare(c.op, c.left, c.right, kComma), B(c.expected)));
    }
}

struct UnaryCase {
    const char* name;
    ScriptValue (*op)(const ScriptValue&, const ValueContext&);
    ScriptValue operand, expected;
};

const UnaryCase kUnary[] = {
    {"-5", negate, I(5), I(-5)},
    {"-(-2147483648) wraps", negate, I(kMinInt), I(kMinInt)},
    {"-int64 min wraps", negate, L(kMinInt64), L(kMinInt64)},
    {"-2.5", negate, D(2.5), D(-2.5)},
    {"-'2,5'", negate, T("2,5"), D(-2.5)},
    {"-true", negate, B(true), I(-1)},
    {"-false", negate, B(false), I(0)},
    {"-Empty", negate, E(), I(0)},
    {"-Null", negate, N(), N()},
    {"not 0", logicalNot, I(0), I(-1)},
    {"not 5", logicalNot, I(5), I(-6)},
    {"not int64", logicalNot, L(5), L(-6)},
    {"not true", logicalNot, B(true), B(false)},
    {"not Empty", logicalNot, E(), I(-1)},
    {"not Null", logicalNot, N(), N()},
    {"not 2.5 rounds to even", logicalNot, D(2.5), I(-3)},
    {"not 1e10 is Int64", logicalNot, D(1e10), L(~std::int64_t(10000000000))},
    {"not '5'", logicalNot, T("5"), I(-6)},
    {"not 'true'", logicalNot, T("true"), B(false)},
    {"not 'FALSE'", logicalNot, T("FALSE"), B(true)},
};

TEST(ScriptValueOperations, NegateAndNot)
{
    for (const UnaryCase& c : kUnary) {
        SCOPED_TRACE(c.name);
        const ScriptValue result = c.op(c.operand, kComma);
        EXPECT_TRUE(sameValue(result, c.expected))
            << ::testing::PrintToString(result) << " expected " << ::testing::PrintToString(c.expected);
    }
}

TEST(ScriptValueConversions, DoublesRoundTiesToEven)
{
    const struct { double in; std::int32_t out; } cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {0.5, 0}, {1.5, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(toInt32(D(c.in), kComma), c.out);
        EXPECT_EQ(toInt64(D(c.in), kComma), c.out);
    }
}

TEST(ScriptValueConversions, TextsFollowTheDecimalSeparator)
{
    EXPECT_EQ(toDouble(T("1,5"), kComma), 1.5);
    EXPECT_EQ(toDouble(T("1.5"), kPoint), 1.5);
    EXPECT_THROW(toDouble(T("1,5"), kPoint), ValueError);
    EXPECT_EQ(toDouble(T(" -2,5E2 "), kComma), -250);
    EXPECT_EQ(toInt32(T("2,5"), kComma), 2);
    EXPECT_EQ(toInt32(T("true"), kComma), 1); // the text's Boolean, as an integer
    EXPECT_EQ(toInt64(T("False"), kComma), 0);
    EXPECT_EQ(toInt64(T("-9223372036854775808"), kComma), kMinInt64);
    EXPECT_TRUE(toBoolean(T("True"), kComma));
    EXPECT_FALSE(toBoolean(T("0"), kComma));
    EXPECT_TRUE(toBoolean(T("0,5"), kComma));
    EXPECT_TRUE(sameValue(binaryOperation(Op::Multiply, T("1.5"), I(2), kPoint), D(3)));
}

TEST(ScriptValueConversions, NumbersOfEveryKind)
{
    const ValueContext& c = kComma;
    EXPECT_EQ(toDouble(I(22), c), 22);
    EXPECT_EQ(toDouble(L(6000000000), c), 6e9);
    EXPECT_EQ(toDouble(D(3.5), c), 3.5);
    EXPECT_EQ(toDouble(B(true), c), -1);
    EXPECT_EQ(toDouble(B(false), c), 0);
    EXPECT_EQ(toDouble(E(), c), 0);
    EXPECT_EQ(toDouble(T("123"), c), 123);
    EXPECT_EQ(toText(E(), c), QString());
    EXPECT_EQ(toText(D(2.5), c), QStringLiteral("2,5"));
    EXPECT_EQ(toText(B(true), c), QStringLiteral("True"));
    EXPECT_FALSE(toBoolean(E(), c));
    EXPECT_TRUE(toBoolean(D(0.1), c));
}

// A copy takes the other value whole: no text of the value it replaces stays
// behind, whichever of the two has one.
TEST(ScriptValueKinds, CopyAssignmentTakesTheOtherValueWhole)
{
    const ScriptValue sources[] = {E(), N(), I(7), D(2.5), B(true), T("abc"), T("")};
    for (const ScriptValue& before : sources) {
        for (const ScriptValue& source : sources) {
            ScriptValue copy = before;
            copy = source;
            EXPECT_EQ(copy.kind(), source.kind());
            EXPECT_EQ(copy.intPayload(), source.intPayload());
            EXPECT_EQ(copy.realPayload(), source.realPayload());
            EXPECT_EQ(copy.textPayload(), source.textPayload());
            EXPECT_EQ(copy.textPayload().isNull(), source.textPayload().isNull())
                << ::testing::PrintToString(before) << " := " << ::testing::PrintToString(source);
        }
    }
}

TEST(ScriptValueKinds, NamesInMessages)
{
    EXPECT_EQ(kindName(ValueKind::UnicodeString), QStringLiteral("UnicodeString"));
    EXPECT_EQ(kindName(ValueKind::Smallint), QStringLiteral("Smallint"));
    EXPECT_EQ(kindName(ValueKind::Set), QStringLiteral("SetVariantType"));
    EXPECT_EQ(kindName(ValueKind::Pointer), QStringLiteral("PointerVariantType"));
    EXPECT_EQ(ScriptValue::boolean(true).intPayload(), -1);
    EXPECT_EQ(ScriptValue::ofKind(ValueKind::Byte, 300).intPayload(), 44);
}

} // namespace
