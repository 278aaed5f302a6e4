// SPDX-License-Identifier: GPL-3.0-or-later
// Conversions of script values to integers, doubles, Booleans and texts.
//
// Texts convert under the user's decimal separator. Besides plain numbers in
// that format (blanks at both ends, sign, digits, separator, exponent) the
// only texts accepted are "true" and "false" in any letter case: they are
// Booleans, and 1 and 0 as integers. Nothing else is read as a number; no
// thousands separators, currency signs or dates.

#include "eval/fpu.h"
#include "eval/numbertext.h"
#include "eval/scriptvalue.h"

#include <cmath>
#include <limits>

namespace numra {

namespace {

constexpr long double kTwoTo63 = 9223372036854775808.0L;

// Rounds to the nearest integer, ties to even; false when the result lies
// outside the 64-bit range.
bool roundToInt64(long double x, std::int64_t& out)
{
    const long double rounded = std::nearbyint(x);
    if (!(rounded >= -kTwoTo63 && rounded < kTwoTo63))
        return false;
    out = static_cast<std::int64_t>(rounded);
    return true;
}

bool textToBoolean(const QString& text, const ValueContext& context, bool& out)
{
    long double number = 0;
    if (tryParseNumber(text, context.decimalSeparator, number)) {
        out = number != 0;
        return true;
    }
    const QString word = text.trimmed();
    if (word.compare(u"true", Qt::CaseInsensitive) == 0) {
        out = true;
        return true;
    }
    if (word.compare(u"false", Qt::CaseInsensitive) == 0) {
        out = false;
        return true;
    }
    return false;
}

std::int64_t textToInteger(const ScriptValue& value, const ValueContext& context, ValueKind target)
{
    long double number = 0;
    if (tryParseNumber(value.textPayload(), context.decimalSeparator, number)) {
        std::int64_t result = 0;
        if (!roundToInt64(number, result))
            throw ValueError::conversionOverflow(value.kind(), target);
        return result;
    }
    bool flag = false;
    if (textToBoolean(value.textPayload(), context, flag))
        return flag ? 1 : 0;
    throw ValueError::conversion(value.kind(), target);
}

// The 64-bit value of any kind; target names the kind asked for in messages.
std::int64_t toInteger(const ScriptValue& value, const ValueContext& context, ValueKind target)
{
    const ValueKind kind = value.kind();
    if (isOrdinal(kind))
        return value.intPayload();
    if (isReal(kind)) {
        std::int64_t result = 0;
        if (!roundToInt64(value.realPayload(), result))
            throw ArithmeticError(fpu::kInvalidOperation);
        return result;
    }
    if (isDecimal(kind)) {
        const std::optional<std::int64_t> result = value.decimalPayload().roundedToInt64();
        if (!result)
            throw ArithmeticError(fpu::kInvalidOperation);
        return *result;
    }
    if (value.isText())
        return textToInteger(value, context, target);
    if (kind == ValueKind::Empty)
        return 0;
    throw ValueError::conversion(kind, target);
}

} // namespace

std::int32_t toInt32(const ScriptValue& value, const ValueContext& context)
{
    if (value.kind() == ValueKind::Integer)
        return static_cast<std::int32_t>(value.intPayload());
    const std::int64_t wide = toInteger(value, context, ValueKind::Integer);
    if (wide < std::numeric_limits<std::int32_t>::min() || wide > std::numeric_limits<std::int32_t>::max())
        throw ValueError::conversionOverflow(value.kind(), ValueKind::Integer);
    return static_cast<std::int32_t>(wide);
}

std::int64_t toInt64(const ScriptValue& value, const ValueContext& context)
{
    return toInteger(value, context, ValueKind::Int64);
}

double toDouble(const ScriptValue& value, const ValueContext& context)
{
    const ValueKind kind = value.kind();
    if (isReal(kind))
        return value.realPayload();
    if (isOrdinal(kind))
        return static_cast<double>(value.intPayload());
    if (isDecimal(kind))
        return value.decimalPayload().toDouble();
    if (value.isText()) {
        long double number = 0;
        if (!tryParseNumber(value.textPayload(), context.decimalSeparator, number))
            throw ValueError::conversion(kind, ValueKind::Double);
        const double result = static_cast<double>(number);
        if (std::isinf(result))
            throw ValueError::conversionOverflow(kind, ValueKind::Double);
        return result;
    }
    if (kind == ValueKind::Empty)
        return 0.0;
    throw ValueError::conversion(kind, ValueKind::Double);
}

Decimal toDecimal(const ScriptValue& value, const ValueContext& context)
{
    const ValueKind kind = value.kind();
    if (isDecimal(kind))
        return value.decimalPayload();
    if (isOrdinal(kind))
        return Decimal::fromInteger(value.intPayload());
    if (isReal(kind))
        return Decimal::fromDouble(value.realPayload());
    if (value.isText()) {
        Decimal number;
        if (!tryParseDecimal(value.textPayload(), context.decimalSeparator, number))
            throw ValueError::conversion(kind, ValueKind::Double);
        if (exceedsRange(number, BinaryRange::Double))
            throw ValueError::conversionOverflow(kind, ValueKind::Double);
        return withinRange(number, BinaryRange::Double);
    }
    if (kind == ValueKind::Empty)
        return Decimal();
    throw ValueError::conversion(kind, ValueKind::Double);
}

Number toNumber(const ScriptValue& value, const ValueContext& context)
{
    if (context.arithmetic == Arithmetic::Decimal)
        return Number::decimal(toDecimal(value, context));
    return Number::binary(toDouble(value, context));
}

bool toBoolean(const ScriptValue& value, const ValueContext& context)
{
    const ValueKind kind = value.kind();
    if (isOrdinal(kind))
        return value.intPayload() != 0;
    if (isReal(kind))
        return value.realPayload() != 0;
    if (isDecimal(kind))
        return !value.decimalPayload().isZero();
    if (value.isText()) {
        bool result = false;
        if (!textToBoolean(value.textPayload(), context, result))
            throw ValueError::conversion(kind, ValueKind::Boolean);
        return result;
    }
    if (kind == ValueKind::Empty)
        return false;
    throw ValueError::conversion(kind, ValueKind::Boolean);
}

QString toText(const ScriptValue& value, const ValueContext& context)
{
    const ValueKind kind = value.kind();
    if (value.isText())
        return value.textPayload();
    if (kind == ValueKind::Empty)
        return QString();
    if (kind == ValueKind::Boolean)
        return value.intPayload() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    if (isOrdinal(kind))
        return QString::number(value.intPayload());
    if (isReal(kind))
        return formatGeneral(value.realPayload(), context.decimalSeparator);
    if (isDecimal(kind))
        return formatGeneral(value.decimalPayload(), context.decimalSeparator);
    throw ValueError::conversion(kind, ValueKind::UnicodeString);
}

} // namespace numra
