// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The script interpreter's tagged value: a kind and a payload. Texts are held
// by value as UTF-16 (QString). Operations follow the operand-class rule
// matrix; errors come in two families (ValueError, ArithmeticError) because
// the expression evaluator replaces only value errors by "Type mismatch".

#include "eval/errors.h"
#include "eval/fallible.h"
#include "eval/number.h"

#include <QString>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace numra {

// Every kind a formula can produce; kValueKinds describes each.
enum class ValueKind : std::uint8_t {
    Empty, Null, Smallint, Integer, Double, Date, OleStr, Boolean,
    Byte, Word, LongWord, Int64, UnicodeString, Set, Pointer, Decimal,
};

// Where a kind keeps its value: intPayload() for ordinals and bits,
// realPayload() for reals, textPayload() for texts, decimalPayload() for
// the exact mode's decimals.
enum class Payload : std::uint8_t { None, Ordinal, Real, Text, Bits, Decimal };

// How a kind's values take part in operations: each class is also the name
// of the rule that both operands of an operation follow (valueops.cpp).
// None: no operations of their own (sets and pointers).
enum class OperandClass : std::uint8_t { Empty, Null, Integer, Real, String, Boolean, Int64, None };

struct ValueKindEntry {
    ValueKind kind;
    const char16_t* name; // as messages show the kind
    Payload payload;
    OperandClass operands;
};

// In the order of ValueKind. The narrow integer kinds and Date come only
// from type-name casts. Date computes as a real; Word and LongWord, whose
// values a 32-bit integer may not hold, as 64-bit integers.
inline constexpr ValueKindEntry kValueKinds[] = {
    // a variable before its first assignment
    {ValueKind::Empty, u"Empty", Payload::None, OperandClass::Empty},
    {ValueKind::Null, u"Null", Payload::None, OperandClass::Null},
    {ValueKind::Smallint, u"Smallint", Payload::Ordinal, OperandClass::Integer},  // 16 bits, smallint(...)
    {ValueKind::Integer, u"Integer", Payload::Ordinal, OperandClass::Integer},    // 32 bits
    {ValueKind::Double, u"Double", Payload::Real, OperandClass::Real},
    {ValueKind::Date, u"Date", Payload::Real, OperandClass::Real},                // tdatetime(...)
    {ValueKind::OleStr, u"OleStr", Payload::Text, OperandClass::String},          // "+" with an Empty left operand
    {ValueKind::Boolean, u"Boolean", Payload::Ordinal, OperandClass::Boolean},    // true is -1, false 0
    {ValueKind::Byte, u"Byte", Payload::Ordinal, OperandClass::Integer},          // byte(...)
    {ValueKind::Word, u"Word", Payload::Ordinal, OperandClass::Int64},            // 16 bits unsigned, word(...)
    {ValueKind::LongWord, u"LongWord", Payload::Ordinal, OperandClass::Int64},    // 32 bits unsigned, dword(...)
    {ValueKind::Int64, u"Int64", Payload::Ordinal, OperandClass::Int64},
    {ValueKind::UnicodeString, u"UnicodeString", Payload::Text, OperandClass::String},
    {ValueKind::Set, u"SetVariantType", Payload::Bits, OperandClass::None},       // 32-bit mask: "[1, 2]"
    {ValueKind::Pointer, u"PointerVariantType", Payload::Bits, OperandClass::None}, // 32-bit address: "nil" is 0
    // The exact mode's real, where the binary arithmetic has a Double.
    // Messages name it as they name a Double, so that they read the same
    // in both modes.
    {ValueKind::Decimal, u"Double", Payload::Decimal, OperandClass::Real},
};
static_assert(std::size(kValueKinds) == std::size_t(ValueKind::Decimal) + 1, "one entry per value kind");
static_assert([] {
    for (std::size_t i = 0; i < std::size(kValueKinds); ++i)
        if (std::size_t(kValueKinds[i].kind) != i)
            return false;
    return true;
}(), "the table follows the enum");

constexpr Payload payloadOf(ValueKind kind) { return kValueKinds[std::size_t(kind)].payload; }
constexpr OperandClass operandClassOf(ValueKind kind) { return kValueKinds[std::size_t(kind)].operands; }
// The integer kinds and Boolean.
constexpr bool isOrdinal(ValueKind kind) { return payloadOf(kind) == Payload::Ordinal; }
constexpr bool isReal(ValueKind kind) { return payloadOf(kind) == Payload::Real; }
constexpr bool isDecimal(ValueKind kind) { return kind == ValueKind::Decimal; }

// Conversion, conversion overflow and invalid variant operation.
class ValueError : public Error {
public:
    using Error::Error;
    [[noreturn]] void raise() const override { throw *this; }
    static ValueError conversion(ValueKind from, ValueKind to);
    static ValueError conversionOverflow(ValueKind from, ValueKind to);
    static ValueError invalidOperation();
};

// Integer division by zero and the one integer overflow of "div" and "mod".
inline const QString kIntegerDivisionByZero = QStringLiteral("Division durch Null");
inline const QString kIntegerOverflow = QStringLiteral("Integerüberlauf");

// The name under which messages show a kind ("Integer", "SetVariantType").
QString kindName(ValueKind kind);

class ScriptValue {
public:
    ScriptValue() = default; // Empty
    ScriptValue(const ScriptValue&) = default;
    ScriptValue(ScriptValue&&) noexcept = default;
    ScriptValue& operator=(ScriptValue&&) noexcept = default;
    // QString's copy assignment is a call into Qt; values without a text,
    // nearly all of them, skip it.
    ScriptValue& operator=(const ScriptValue& other)
    {
        kind_ = other.kind_;
        words_[0] = other.words_[0];
        words_[1] = other.words_[1];
        if (!(text_.isNull() && other.text_.isNull()))
            text_ = other.text_;
        return *this;
    }
    static ScriptValue null();
    static ScriptValue integer(std::int32_t v);
    static ScriptValue int64(std::int64_t v);
    static ScriptValue dbl(double v);
    static ScriptValue decimal(const Decimal& v);
    static ScriptValue boolean(bool v);
    static ScriptValue text(const QString& v, ValueKind kind = ValueKind::UnicodeString);
    static ScriptValue set(std::uint32_t mask);
    static ScriptValue pointer(std::uint32_t address);
    // Any other kind with an integer or real payload (type-name casts).
    static ScriptValue ofKind(ValueKind kind, std::int64_t intPayload, double realPayload = 0.0);

    // Makes this an Integer in place, as the lexer does for most literals:
    // cheaper than assigning a new value, which moves and releases a text.
    void setInteger(std::int32_t v)
    {
        if (!text_.isNull())
            text_ = QString();
        kind_ = ValueKind::Integer;
        words_[0] = std::uint64_t(std::int64_t(v));
        words_[1] = 0;
    }

    ValueKind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == ValueKind::Empty; }
    bool isNull() const { return kind_ == ValueKind::Null; }
    bool isText() const { return payloadOf(kind_) == Payload::Text; }
    // integers, Boolean (-1/0), set, pointer
    std::int64_t intPayload() const { return std::int64_t(words_[0]); }
    double realPayload() const { return std::bit_cast<double>(words_[1]); } // Double, Date
    const QString& textPayload() const { return text_; }
    Decimal decimalPayload() const { return Decimal::fromWords(words_[0], words_[1]); }

private:
    ScriptValue(ValueKind kind, std::int64_t i, double r)
        : kind_(kind), words_{std::uint64_t(i), std::bit_cast<std::uint64_t>(r)}
    {
    }

    ValueKind kind_ = ValueKind::Empty;
    // The integer payload and the double's bits, or the two words of a
    // decimal: the 16 bytes the largest number needs.
    std::uint64_t words_[2] = {0, 0};
    QString text_;
};

// Text conversions follow the user's regional settings, passed in here, and
// the arithmetic of the evaluation: in the exact mode every real is a
// Decimal, from the literals to the results of the real rule and the texts
// converted to numbers; the integer rules stay integer.
struct ValueContext {
    QChar decimalSeparator = u',';
    Arithmetic arithmetic = Arithmetic::Binary;
};

enum class BinaryOp { Add, Subtract, Multiply, Divide, IntDivide, Modulus, Shl, Shr, And, Or, Xor };
enum class CompareOp { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

// An arithmetic fault (ArithmeticError: "1/0", "5 div 0", an overflow) is
// handed back in failure, and the value is then Empty; an operand that does
// not convert is thrown.
ScriptValue binaryOperation(BinaryOp op, const ScriptValue& left, const ScriptValue& right,
                            const ValueContext& context, Status& failure);
// The same, with the fault thrown too.
ScriptValue binaryOperation(BinaryOp op, const ScriptValue& left, const ScriptValue& right,
                            const ValueContext& context);
// Always a Boolean value.
ScriptValue compare(CompareOp op, const ScriptValue& left, const ScriptValue& right,
                    const ValueContext& context);
ScriptValue negate(const ScriptValue& value, const ValueContext& context);
ScriptValue logicalNot(const ScriptValue& value, const ValueContext& context);

std::int32_t toInt32(const ScriptValue& value, const ValueContext& context);
std::int64_t toInt64(const ScriptValue& value, const ValueContext& context);
double toDouble(const ScriptValue& value, const ValueContext& context);
// The exact mode's counterpart: integers and Booleans exactly, a Double to
// 34 digits, a text read as a decimal; within the double range, as
// toDouble's values are, with the same errors.
Decimal toDecimal(const ScriptValue& value, const ValueContext& context);
// The number the calculator takes from a run's result: toDouble, or
// toDecimal in the exact mode.
Number toNumber(const ScriptValue& value, const ValueContext& context);
bool toBoolean(const ScriptValue& value, const ValueContext& context);
QString toText(const ScriptValue& value, const ValueContext& context);

// The numeric constructors sit on the evaluator's hot path.
inline ScriptValue ScriptValue::null() { return {ValueKind::Null, 0, 0.0}; }
inline ScriptValue ScriptValue::integer(std::int32_t v) { return {ValueKind::Integer, v, 0.0}; }
inline ScriptValue ScriptValue::int64(std::int64_t v) { return {ValueKind::Int64, v, 0.0}; }
inline ScriptValue ScriptValue::dbl(double v) { return {ValueKind::Double, 0, v}; }
inline ScriptValue ScriptValue::decimal(const Decimal& v)
{
    ScriptValue value;
    value.kind_ = ValueKind::Decimal;
    value.words_[0] = v.lowWord();
    value.words_[1] = v.highWord();
    return value;
}
inline ScriptValue ScriptValue::boolean(bool v) { return {ValueKind::Boolean, v ? -1 : 0, 0.0}; }

} // namespace numra
