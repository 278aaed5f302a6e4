// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The script interpreter's tagged value: a kind and a payload. Texts are held
// by value as UTF-16 (QString). Operations follow the operand-class rule
// matrix; errors come in two families (ValueError, ArithmeticError) because
// the expression evaluator replaces only value errors by "Type mismatch".

#include "eval/errors.h"

#include <QString>
#include <cstdint>

namespace numra {

enum class ValueKind : std::uint8_t {
    Empty,
    Null,
    Smallint,
    Integer,
    Single,
    Double,
    Currency,
    Date,
    OleStr,
    Dispatch,
    Boolean,
    ShortInt,
    Byte,
    Word,
    LongWord,
    Int64,
    UInt64,
    String,        // AnsiString
    UnicodeString,
    Set,           // TSetVariantType, 32-bit mask
    Pointer,       // TPointerVariantType, 32-bit address; nil is 0
    Object,        // TObjectVariantType: script objects
    Class,         // TClassVariantType
    Record,        // TRecordVariantType
    Array,         // TArrayVariantType
    Unknown,       // interface reference
};

// Conversion, conversion overflow and invalid variant operation.
class ValueError : public Error {
public:
    using Error::Error;
    static ValueError conversion(ValueKind from, ValueKind to);
    static ValueError invalidCast(); // a conversion that names no kinds
    static ValueError conversionOverflow(ValueKind from, ValueKind to);
    static ValueError invalidOperation();
};

// Integer division by zero and the one integer overflow of "div" and "mod".
inline const QString kIntegerDivisionByZero = QStringLiteral("Division durch Null");
inline const QString kIntegerOverflow = QStringLiteral("Integerüberlauf");

// The name under which messages show a kind ("Integer", "UnicodeString",
// "SetVariantType", ...).
QString kindName(ValueKind kind);

class ScriptValue {
public:
    ScriptValue() = default; // Empty
    static ScriptValue null();
    static ScriptValue integer(std::int32_t v);
    static ScriptValue int64(std::int64_t v);
    static ScriptValue dbl(double v);
    static ScriptValue boolean(bool v);
    static ScriptValue text(const QString& v, ValueKind kind = ValueKind::UnicodeString);
    static ScriptValue set(std::uint32_t mask);
    static ScriptValue pointer(std::uint32_t address);
    static ScriptValue dispatch(); // automation object placeholder
    // Any other kind with an integer or floating payload (type-name casts).
    static ScriptValue ofKind(ValueKind kind, std::int64_t intPayload, double realPayload = 0.0);

    ValueKind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == ValueKind::Empty; }
    bool isNull() const { return kind_ == ValueKind::Null; }
    bool isText() const;
    std::int64_t intPayload() const { return int_; }   // integers, Boolean (-1/0), set, pointer
    double realPayload() const { return real_; }       // Single, Double, Currency, Date
    const QString& textPayload() const { return text_; }

private:
    ScriptValue(ValueKind kind, std::int64_t i, double r) : kind_(kind), int_(i), real_(r) {}

    ValueKind kind_ = ValueKind::Empty;
    std::int64_t int_ = 0;
    double real_ = 0.0;
    QString text_;
};

// Text conversions follow the user's regional settings, passed in here.
struct ValueContext {
    QChar decimalSeparator = u',';
};

enum class BinaryOp { Add, Subtract, Multiply, Divide, IntDivide, Modulus, Shl, Shr, And, Or, Xor };
enum class CompareOp { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };

ScriptValue binaryOperation(BinaryOp op, const ScriptValue& left, const ScriptValue& right,
                            const ValueContext& context);
// Always a Boolean value.
ScriptValue compare(CompareOp op, const ScriptValue& left, const ScriptValue& right,
                    const ValueContext& context);
ScriptValue negate(const ScriptValue& value, const ValueContext& context);
ScriptValue logicalNot(const ScriptValue& value, const ValueContext& context);

std::int32_t toInt32(const ScriptValue& value, const ValueContext& context);
std::int64_t toInt64(const ScriptValue& value, const ValueContext& context);
// Also the number the calculator takes from a run's result.
double toDouble(const ScriptValue& value, const ValueContext& context);
bool toBoolean(const ScriptValue& value, const ValueContext& context);
QString toText(const ScriptValue& value, const ValueContext& context);

// The numeric constructors sit on the evaluator's hot path.
inline ScriptValue ScriptValue::null() { return {ValueKind::Null, 0, 0.0}; }
inline ScriptValue ScriptValue::integer(std::int32_t v) { return {ValueKind::Integer, v, 0.0}; }
inline ScriptValue ScriptValue::int64(std::int64_t v) { return {ValueKind::Int64, v, 0.0}; }
inline ScriptValue ScriptValue::dbl(double v) { return {ValueKind::Double, 0, v}; }
inline ScriptValue ScriptValue::boolean(bool v) { return {ValueKind::Boolean, v ? -1 : 0, 0.0}; }

} // namespace numra
