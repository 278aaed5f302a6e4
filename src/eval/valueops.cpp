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

// A rule hands an arithmetic fault back in failure and returns Empty.
ScriptValue fail(Status& failure, Status error)
{
    failure = std::move(error);
    return ScriptValue();
}

Status arithmeticFault(fpu::Fault fault)
{
    return Status::failure(fpu::errorOf(fault));
}

template <class Int>
ScriptValue integerRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right, const ValueContext& context,
                  Status& failure);

// The exact mode's "+", "-", "*" and "/": exact within 34 digits, "/"
// correctly rounded; a result beyond the double range overflows as the
// binary rule's does.
ScriptValue decimalRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right, const ValueContext& context,
                  Status& failure)
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
    default:
        if (const fpu::Fault fault = divide(a, b, result); fault != fpu::Fault::None) [[unlikely]]
            return fail(failure, arithmeticFault(fault));
        break;
    }
    fpu::Fault fault = fpu::Fault::None;
    result = withinRange(result, BinaryRange::Double, fault);
    if (fault != fpu::Fault::None) [[unlikely]]
        return fail(failure, arithmeticFault(fault));
    return ScriptValue::decimal(result);
}

// The fault of a real "+", "-", "*" or "/" whose result was not finite.
fpu::Fault faultOfReal(BinaryOp op, long double a, long double b)
{
    switch (op) {
    case BinaryOp::Add: return fpu::faultOfBasic(a, b, std::plus<long double>());
    case BinaryOp::Subtract: return fpu::faultOfBasic(a, b, std::minus<long double>());
    case BinaryOp::Multiply: return fpu::faultOfBasic(a, b, std::multiplies<long double>());
    default: return fpu::faultOfBasic(a, b, std::divides<long double>());
    }
}

// "+", "-", "*" and "/" in extended precision, rounded to a double (or in
// the exact mode's decimals); every other operation converts to 32-bit
// integers.
ScriptValue realRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right, const ValueContext& context,
                  Status& failure)
{
    if (!isArithmetic(op))
        return integerRule<std::int32_t>(op, left, right, context, failure);
    if (context.arithmetic == Arithmetic::Decimal)
        return decimalRule(op, left, right, context, failure);
    const auto real = [&](const ScriptValue& value) -> long double {
        return value.kind() == ValueKind::Double ? value.realPayload() : toDouble(value, context);
    };
    const long double a = real(left);
    const long double b = real(right);
    long double result = 0;
    switch (op) {
    case BinaryOp::Add: result = a + b; break;
    case BinaryOp::Subtract: result = a - b; break;
    case BinaryOp::Multiply: result = a * b; break;
    default: result = a / b; break;
    }
    if (!__builtin_isfinite(result)) [[unlikely]] {
        if (const fpu::Fault fault = faultOfReal(op, a, b); fault != fpu::Fault::None)
            return fail(failure, arithmeticFault(fault));
    }
    const double rounded = static_cast<double>(result);
    if (!__builtin_isfinite(rounded)) [[unlikely]] {
        if (const fpu::Fault fault = fpu::faultOfRounding(result); fault != fpu::Fault::None)
            return fail(failure, arithmeticFault(fault));
    }
    return ScriptValue::dbl(rounded);
}

// How an integer operation ended: with its result, or handing over to the
// real rule ("/", and an overflow of "+", "-" or "*"), or failing.
enum class IntegerOutcome { Done, ByRealRule, DivisionByZero, Overflow };

template <class Int>
IntegerOutcome division(Int dividend, Int divisor, Int& out, bool remainder)
{
    if (divisor == 0)
        return IntegerOutcome::DivisionByZero;
    if (dividend == std::numeric_limits<Int>::min() && divisor == -1)
        return IntegerOutcome::Overflow;
    out = remainder ? dividend % divisor : dividend / divisor;
    return IntegerOutcome::Done;
}

// The integer operations common to the 32-bit and 64-bit rules.
template <class Int>
IntegerOutcome integerOperation(BinaryOp op, Int a, Int b, Int& out)
{
    using Bits = std::make_unsigned_t<Int>;
    constexpr int kShiftMask = std::numeric_limits<Bits>::digits - 1;
    const auto unlessOverflow = [](bool overflow) {
        return overflow ? IntegerOutcome::ByRealRule : IntegerOutcome::Done;
    };
    switch (op) {
    case BinaryOp::Add: return unlessOverflow(__builtin_add_overflow(a, b, &out));
    case BinaryOp::Subtract: return unlessOverflow(__builtin_sub_overflow(a, b, &out));
    case BinaryOp::Multiply: return unlessOverflow(__builtin_mul_overflow(a, b, &out));
    case BinaryOp::IntDivide: return division(a, b, out, false);
    case BinaryOp::Modulus: return division(a, b, out, true);
    case BinaryOp::Shl: out = Int(Bits(a) << (b & kShiftMask)); break;
    case BinaryOp::Shr: out = Int(Bits(a) >> (b & kShiftMask)); break;
    case BinaryOp::And: out = a & b; break;
    case BinaryOp::Or: out = a | b; break;
    case BinaryOp::Xor: out = a ^ b; break;
    case BinaryOp::Divide: return IntegerOutcome::ByRealRule;
    }
    return IntegerOutcome::Done;
}

Status integerFault(IntegerOutcome outcome)
{
    return Status::failure(
        ArithmeticError(outcome == IntegerOutcome::DivisionByZero ? kIntegerDivisionByZero : kIntegerOverflow));
}

// 32-bit or 64-bit integers; "/", and an overflow of "+", "-" or "*", go by
// the real rule.
template <class Int>
ScriptValue integerRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right, const ValueContext& context,
                  Status& failure)
{
    static_assert(std::is_same_v<Int, std::int32_t> || std::is_same_v<Int, std::int64_t>);
    constexpr bool narrow = std::is_same_v<Int, std::int32_t>;
    if (op == BinaryOp::Divide)
        return realRule(op, left, right, context, failure);
    Int result = 0;
    const auto operand = [&](const ScriptValue& value) {
        if constexpr (narrow)
            return toInt32(value, context);
        else
            return toInt64(value, context);
    };
    const IntegerOutcome outcome = integerOperation(op, operand(left), operand(right), result);
    if (outcome == IntegerOutcome::ByRealRule)
        return realRule(op, left, right, context, failure);
    if (outcome != IntegerOutcome::Done) [[unlikely]]
        return fail(failure, integerFault(outcome));
    if constexpr (narrow)
        return ScriptValue::integer(result);
    else
        return ScriptValue::int64(result);
}

ScriptValue stringRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right, const ValueContext& context,
                  Status& failure)
{
    if (op != BinaryOp::Add)
        return realRule(op, left, right, context, failure);
    const ValueKind kind = left.isEmpty() ? ValueKind::OleStr : ValueKind::UnicodeString;
    return ScriptValue::text(toText(left, context) + toText(right, context), kind);
}

ScriptValue booleanRule(BinaryOp op, const ScriptValue& left, const ScriptValue& right, const ValueContext& context,
                  Status& failure)
{
    switch (op) {
    case BinaryOp::And: return ScriptValue::boolean(toBoolean(left, context) && toBoolean(right, context));
    case BinaryOp::Or: return ScriptValue::boolean(toBoolean(left, context) || toBoolean(right, context));
    case BinaryOp::Xor: return ScriptValue::boolean(toBoolean(left, context) != toBoolean(right, context));
    default: return realRule(op, left, right, context, failure);
    }
}

ScriptValue emptyRule(BinaryOp op, Status& failure)
{
    if (op == BinaryOp::Divide)
        return fail(failure, arithmeticFault(fpu::Fault::DivisionByZero));
    if (op == BinaryOp::IntDivide || op == BinaryOp::Modulus)
        return fail(failure, integerFault(IntegerOutcome::DivisionByZero));
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
                            const ValueContext& context, Status& failure)
{
    // The commonest pairs of a formula, ahead of the matrix that gives them
    // the same rules.
    if (left.kind() == ValueKind::Integer && right.kind() == ValueKind::Integer) {
        std::int32_t result = 0;
        const IntegerOutcome outcome =
            integerOperation(op, std::int32_t(left.intPayload()), std::int32_t(right.intPayload()), result);
        if (outcome == IntegerOutcome::Done)
            return ScriptValue::integer(result);
        if (outcome == IntegerOutcome::ByRealRule)
            return realRule(op, left, right, context, failure);
        return fail(failure, integerFault(outcome));
    }
    if (left.kind() == ValueKind::Double && right.kind() == ValueKind::Double && isArithmetic(op))
        return realRule(op, left, right, context, failure);
    if (left.kind() == ValueKind::Decimal && right.kind() == ValueKind::Decimal && isArithmetic(op)
        && context.arithmetic == Arithmetic::Decimal)
        return decimalRule(op, left, right, context, failure);
    switch (selectRule(left, right)) {
    case Rule::Empty: return emptyRule(op, failure);
    case Rule::Null: return nullRule(op, left, right, context);
    case Rule::Integer: return integerRule<std::int32_t>(op, left, right, context, failure);
    case Rule::Real: return realRule(op, left, right, context, failure);
    case Rule::String: return stringRule(op, left, right, context, failure);
    case Rule::Boolean: return booleanRule(op, left, right, context, failure);
    case Rule::Int64: return integerRule<std::int64_t>(op, left, right, context, failure);
    case Rule::None: break;
    }
    throw ValueError::invalidOperation();
}

ScriptValue binaryOperation(BinaryOp op, const ScriptValue& left, const ScriptValue& right,
                            const ValueContext& context)
{
    Status failure;
    ScriptValue result = binaryOperation(op, left, right, context, failure);
    failure.orThrow();
    return result;
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
