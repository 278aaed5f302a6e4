// SPDX-License-Identifier: GPL-3.0-or-later
// Binary operations, comparisons, negation and "not" of script values. The
// operand classes of the two values select a rule from one matrix; the rule
// converts both operands and computes the result.

#include "eval/decimal.h"
#include "eval/fpu.h"
#include "eval/numbertext.h"
#include "eval/scriptvalue.h"

#include <limits>
#include <type_traits>

namespace numra {

namespace {

// The operand classes of the two operands select a rule; each class is also
// the name of its rule.
using Rule = OperandClass;

constexpr int kFormulaClasses = 7; // Empty .. Int64 take part in the matrix

using R = Rule;
// Row: left operand class, column: right operand class.
constexpr Rule kRuleMatrix[kFormulaClasses][kFormulaClasses] = {
    //          empty      null    integer    real      string     boolean     int64
    /*empty*/ {R::Empty,   R::Null, R::Integer, R::Real, R::String, R::Boolean, R::Int64},
    /*null*/  {R::Null,    R::Null, R::Null,    R::Null, R::Null,   R::Null,    R::Null},
    /*int*/   {R::Integer, R::Null, R::Integer, R::Real, R::Real,   R::Integer, R::Int64},
    /*real*/  {R::Real,    R::Null, R::Real,    R::Real, R::Real,   R::Real,    R::Real},
    /*str*/   {R::String,  R::Null, R::Real,    R::Real, R::String, R::Boolean, R::Real},
    /*bool*/  {R::Boolean, R::Null, R::Integer, R::Real, R::Boolean, R::Boolean, R::Int64},
    /*int64*/ {R::Int64,   R::Null, R::Int64,   R::Real, R::Real,   R::Int64,   R::Int64},
};

Rule selectRule(const ScriptValue& left, const ScriptValue& right)
{
    const Rule l = operandClassOf(left.kind());
    const Rule r = operandClassOf(right.kind());
    if (l == Rule::None || r == Rule::None)
        return Rule::None;
    return kRuleMatrix[int(l)][int(r)];
}

bool isArithmetic(BinaryOp op)
{
    return op == BinaryOp::Add || op == BinaryOp::Subtract || op == BinaryOp::Multiply
        || op == BinaryOp::Divide;
}

template <class Int>
ScriptValue integerRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right,
                        const ValueContext& context);

// The exact mode's "+", "-", "*" and "/": exact within 34 digits, "/"
// correctly rounded; a result beyond the double range overflows as the
// binary rule's does.
ScriptValue decimalRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right,
                        const ValueContext& context)
{
    const auto decimal = [&](const ScriptValue& value) {
        return value.kind() == ValueKind::Decimal ? value.decimalPayload() : toDecimal(value, context);
    };
    const Decimal a = decimal(left);
    const Decimal b = decimal(right);
    Decimal result;
    switch (op) {
    case BinaryOp::Add: result = a + b; break;
    case BinaryOp::Subtract: result = a - b; break;
    case BinaryOp::Multiply: result = a * b; break;
    default: result = a / b; break;
    }
    return ScriptValue::decimal(withinRange(result, BinaryRange::Double));
}

// "+", "-", "*" and "/" in extended precision, rounded to a double (or in
// the exact mode's decimals); every other operation converts to 32-bit
// integers.
ScriptValue realRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right,
                     const ValueContext& context)
{
    if (!isArithmetic(op))
        return integerRule<std::int32_t>(op, left, right, context);
    if (context.arithmetic == Arithmetic::Decimal)
        return decimalRule(op, left, right, context);
    const auto real = [&](const ScriptValue& value) -> long double {
        return value.kind() == ValueKind::Double ? value.realPayload() : toDouble(value, context);
    };
    const long double a = real(left);
    const long double b = real(right);
    long double result = 0;
    switch (op) {
    case BinaryOp::Add: result = fpu::add(a, b); break;
    case BinaryOp::Subtract: result = fpu::sub(a, b); break;
    case BinaryOp::Multiply: result = fpu::mul(a, b); break;
    default: result = fpu::div(a, b); break;
    }
    return ScriptValue::dbl(fpu::toDouble(result));
}

template <class Int>
void checkDivision(Int dividend, Int divisor)
{
    if (divisor == 0)
        throw ArithmeticError(kIntegerDivisionByZero);
    if (dividend == std::numeric_limits<Int>::min() && divisor == -1)
        throw ArithmeticError(kIntegerOverflow);
}

// The integer operations common to the 32-bit and 64-bit rules. Returns false
// when "+", "-" or "*" overflow, so the caller applies the real rule.
template <class Int>
bool integerOperation(BinaryOp op, Int a, Int b, Int& out)
{
    using Bits = std::make_unsigned_t<Int>;
    constexpr int kShiftMask = std::numeric_limits<Bits>::digits - 1;
    switch (op) {
    case BinaryOp::Add: return !__builtin_add_overflow(a, b, &out);
    case BinaryOp::Subtract: return !__builtin_sub_overflow(a, b, &out);
    case BinaryOp::Multiply: return !__builtin_mul_overflow(a, b, &out);
    case BinaryOp::IntDivide: checkDivision(a, b); out = a / b; return true;
    case BinaryOp::Modulus: checkDivision(a, b); out = a % b; return true;
    case BinaryOp::Shl: out = Int(Bits(a) << (b & kShiftMask)); return true;
    case BinaryOp::Shr: out = Int(Bits(a) >> (b & kShiftMask)); return true;
    case BinaryOp::And: out = a & b; return true;
    case BinaryOp::Or: out = a | b; return true;
    case BinaryOp::Xor: out = a ^ b; return true;
    case BinaryOp::Divide: break;
    }
    return false;
}

// 32-bit or 64-bit integers; "/", and an overflow of "+", "-" or "*", go by
// the real rule.
template <class Int>
ScriptValue integerRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right,
                        const ValueContext& context)
{
    static_assert(std::is_same_v<Int, std::int32_t> || std::is_same_v<Int, std::int64_t>);
    constexpr bool narrow = std::is_same_v<Int, std::int32_t>;
    if (op == BinaryOp::Divide)
        return realRule(op, left, right, context);
    Int result = 0;
    const auto operand = [&](const ScriptValue& value) {
        if constexpr (narrow)
            return toInt32(value, context);
        else
            return toInt64(value, context);
    };
    if (!integerOperation(op, operand(left), operand(right), result))
        return realRule(op, left, right, context);
    if constexpr (narrow)
        return ScriptValue::integer(result);
    else
        return ScriptValue::int64(result);
}

ScriptValue stringRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right,
                       const ValueContext& context)
{
    if (op != BinaryOp::Add)
        return realRule(op, left, right, context);
    const ValueKind kind = left.isEmpty() ? ValueKind::OleStr : ValueKind::UnicodeString;
    return ScriptValue::text(toText(left, context) + toText(right, context), kind);
}

ScriptValue booleanRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right,
                        const ValueContext& context)
{
    switch (op) {
    case BinaryOp::And: return ScriptValue::boolean(toBoolean(left, context) && toBoolean(right, context));
    case BinaryOp::Or: return ScriptValue::boolean(toBoolean(left, context) || toBoolean(right, context));
    case BinaryOp::Xor: return ScriptValue::boolean(toBoolean(left, context) != toBoolean(right, context));
    default: return realRule(op, left, right, context);
    }
}

ScriptValue emptyRule(BinaryOp op)
{
    if (op == BinaryOp::Divide)
        throw ArithmeticError(fpu::kDivisionByZero);
    if (op == BinaryOp::IntDivide || op == BinaryOp::Modulus)
        throw ArithmeticError(kIntegerDivisionByZero);
    return ScriptValue();
}

// Three-valued "and" and "or"; every other operation with a Null gives Null.
ScriptValue nullRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right,
                     const ValueContext& context)
{
    const bool leftNull = left.isNull();
    const ScriptValue& other = leftNull ? right : left;
    if (op == BinaryOp::And) {
        if (other.isNull())
            return ScriptValue::null();
        const bool otherTrue = toBoolean(other, context);
        return otherTrue ? ScriptValue::null() : other;
    }
    if (op == BinaryOp::Or) {
        if (!other.isNull() && toBoolean(other, context))
            return other;
        return ScriptValue::null();
    }
    return ScriptValue::null();
}

template <class T>
int threeWay(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int threeWay(const Decimal& a, const Decimal& b)
{
    const std::strong_ordering order = a <=> b;
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int realOrder(const ScriptValue& left, const ScriptValue& right, const ValueContext& context)
{
    if (context.arithmetic == Arithmetic::Decimal)
        return threeWay(toDecimal(left, context), toDecimal(right, context));
    return threeWay(toDouble(left, context), toDouble(right, context));
}

// Less, equal or greater as -1, 0, 1.
int order(Rule rule, const ScriptValue& left, const ScriptValue& right, const ValueContext& context)
{
    switch (rule) {
    case Rule::Empty: return 0;
    case Rule::Null: return left.isNull() ? (right.isNull() ? 0 : -1) : 1;
    case Rule::Integer: return threeWay(toInt32(left, context), toInt32(right, context));
    case Rule::Real: return realOrder(left, right, context);
    case Rule::String: return threeWay(toText(left, context).compare(toText(right, context)), 0);
    case Rule::Boolean: return threeWay(toBoolean(left, context), toBoolean(right, context));
    case Rule::Int64: return threeWay(toInt64(left, context), toInt64(right, context));
    case Rule::None: break;
    }
    throw ValueError::invalidOperation();
}

bool holds(CompareOp op, int order)
{
    switch (op) {
    case CompareOp::Equal: return order == 0;
    case CompareOp::NotEqual: return order != 0;
    case CompareOp::Less: return order < 0;
    case CompareOp::LessEqual: return order <= 0;
    case CompareOp::Greater: return order > 0;
    case CompareOp::GreaterEqual: return order >= 0;
    }
    return false;
}

// A text that reads as a number is complemented as a 32-bit integer; any
// other text is negated as a Boolean.
ScriptValue textNot(const ScriptValue& value, const ValueContext& context)
{
    long double number = 0;
    if (tryParseNumber(value.textPayload(), context.decimalSeparator, number))
        return ScriptValue::integer(~toInt32(value, context));
    return ScriptValue::boolean(!toBoolean(value, context));
}

} // namespace

ScriptValue binaryOperation(BinaryOp op, const ScriptValue& left, const ScriptValue& right,
                            const ValueContext& context)
{
    // The commonest pairs of a formula, ahead of the matrix that gives them
    // the same rules.
    if (left.kind() == ValueKind::Integer && right.kind() == ValueKind::Integer) {
        std::int32_t result = 0;
        if (integerOperation(op, std::int32_t(left.intPayload()), std::int32_t(right.intPayload()), result))
            return ScriptValue::integer(result);
        return realRule(op, left, right, context);
    }
    if (left.kind() == ValueKind::Double && right.kind() == ValueKind::Double && isArithmetic(op))
        return realRule(op, left, right, context);
    if (left.kind() == ValueKind::Decimal && right.kind() == ValueKind::Decimal && isArithmetic(op)
        && context.arithmetic == Arithmetic::Decimal)
        return decimalRule(op, left, right, context);
    switch (selectRule(left, right)) {
    case Rule::Empty: return emptyRule(op);
    case Rule::Null: return nullRule(op, left, right, context);
    case Rule::Integer: return integerRule<std::int32_t>(op, left, right, context);
    case Rule::Real: return realRule(op, left, right, context);
    case Rule::String: return stringRule(op, left, right, context);
    case Rule::Boolean: return booleanRule(op, left, right, context);
    case Rule::Int64: return integerRule<std::int64_t>(op, left, right, context);
    case Rule::None: break;
    }
    throw ValueError::invalidOperation();
}

ScriptValue compare(CompareOp op, const ScriptValue& left, const ScriptValue& right,
                    const ValueContext& context)
{
    const Rule rule = selectRule(left, right);
    // "=" and "<>" with a Null: only two Nulls are equal.
    if (rule == Rule::Null && (op == CompareOp::Equal || op == CompareOp::NotEqual))
        return ScriptValue::boolean((left.isNull() && right.isNull()) == (op == CompareOp::Equal));
    return ScriptValue::boolean(holds(op, order(rule, left, right, context)));
}

ScriptValue negate(const ScriptValue& value, const ValueContext& context)
{
    switch (operandClassOf(value.kind())) {
    case Rule::Empty: return ScriptValue::integer(0);
    case Rule::Null: return ScriptValue::null();
    case Rule::Integer: // wraps: -(-2147483648) stays -2147483648
        return ScriptValue::integer(std::int32_t(0u - std::uint32_t(toInt32(value, context))));
    case Rule::Int64:
        return ScriptValue::int64(std::int64_t(0u - std::uint64_t(toInt64(value, context))));
    case Rule::Real:
    case Rule::String:
        if (context.arithmetic == Arithmetic::Decimal)
            return ScriptValue::decimal(-toDecimal(value, context));
        return ScriptValue::dbl(-toDouble(value, context));
    case Rule::Boolean: return ScriptValue::integer(value.intPayload() != 0 ? -1 : 0);
    case Rule::None: break;
    }
    throw ValueError::invalidOperation();
}

ScriptValue logicalNot(const ScriptValue& value, const ValueContext& context)
{
    switch (operandClassOf(value.kind())) {
    case Rule::Empty: return ScriptValue::integer(-1);
    case Rule::Null: return ScriptValue::null();
    case Rule::Integer: return ScriptValue::integer(~toInt32(value, context));
    case Rule::Int64: return ScriptValue::int64(~toInt64(value, context));
    case Rule::Real: {
        const std::int64_t complement = ~toInt64(value, context);
        if (complement == std::int32_t(complement))
            return ScriptValue::integer(std::int32_t(complement));
        return ScriptValue::int64(complement);
    }
    case Rule::String: return textNot(value, context);
    case Rule::Boolean: return ScriptValue::boolean(value.intPayload() == 0);
    case Rule::None: break;
    }
    throw ValueError::invalidOperation();
}

} // namespace numra
