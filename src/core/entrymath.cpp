// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/entrymath.h"

#include "eval/fpu.h"
#include "eval/numbertext.h"

#include <cmath>

namespace numra {

namespace {

long double powerBySquaring(long double base, std::uint32_t exponent)
{
    long double result = 1;
    long double running = base;
    while (exponent != 0) {
        if (exponent & 1u)
            result = fpu::mul(result, running);
        exponent >>= 1;
        if (exponent != 0)
            running = fpu::mul(running, running);
    }
    return result;
}

constexpr std::int64_t kLargestWholeExponent = 2147483647;

bool isWholeInt32Exponent(long double e)
{
    return std::trunc(e) == e && std::fabs(e) <= kLargestWholeExponent;
}

// 2^63 and -2^63 exactly: the ends of the 64-bit range.
constexpr long double kTwoTo63 = 9223372036854775808.0L;

const Decimal kOne = Decimal::fromInteger(1);

// Where the binary rule squares in extended precision, the whole power must
// lie within the extended range, and so must the power whose reciprocal a
// negative exponent takes (0,5^-20000 divides by zero there).
Decimal decimalPower(const Decimal& base, const Decimal& exponent)
{
    Decimal result;
    if (exponent.isIntegral() && exponent.magnitude() <= Decimal::fromInteger(kLargestWholeExponent)) {
        const Decimal whole = withinRange(power(base, exponent.magnitude()), BinaryRange::Extended);
        result = exponent.isNegative() ? kOne / whole : whole;
    } else if (!base.isZero()) {
        result = power(base, exponent);
    }
    return withinRange(result, BinaryRange::Double);
}

} // namespace

double power(long double base, long double exponent)
{
    long double result;
    if (isWholeInt32Exponent(exponent)) {
        const auto magnitude = std::uint32_t(std::fabs(exponent));
        result = powerBySquaring(base, magnitude);
        if (exponent < 0)
            result = fpu::div(1.0L, result);
    } else if (base == 0) {
        result = 0;
    } else {
        result = fpu::checked([&] {
            volatile long double b = base, e = exponent;
            return std::exp2l(e * std::log2l(b));
        });
    }
    return fpu::toDouble(result);
}

Number power(const Number& base, const Number& exponent)
{
    if (base.isDecimal())
        return Number::decimal(decimalPower(base.decimalValue(), exponent.decimalValue()));
    return Number::binary(power(base.binaryValue(), exponent.binaryValue()));
}

Number negated(const Number& value)
{
    if (value.isDecimal())
        return Number::decimal(-withinRange(value.decimalValue(), BinaryRange::Double));
    return Number::binary(-fpu::toDouble(value.binaryValue()));
}

Number reciprocal(const Number& value)
{
    if (value.isDecimal())
        return Number::decimal(withinRange(kOne / withinRange(value.decimalValue(), BinaryRange::Double),
                                           BinaryRange::Double));
    return Number::binary(fpu::toDouble(fpu::div(1.0L, fpu::toDouble(value.binaryValue()))));
}

std::optional<Number> squareRootOf(const QString& text, QChar separator, Arithmetic arithmetic)
{
    Number x;
    if (!tryParseNumber(text, separator, arithmetic, x))
        return std::nullopt;
    if (x.isDecimal()) {
        if (x.decimalValue() < Decimal())
            return std::nullopt;
        return Number::decimal(squareRoot(x.decimalValue()));
    }
    if (x.binaryValue() < 0)
        return std::nullopt;
    return Number::binary(std::sqrt(x.binaryValue()));
}

IntegerPart integerPartOf(const QString& text, QChar separator, Arithmetic arithmetic)
{
    Number x;
    if (!tryParseNumber(text, separator, arithmetic, x))
        return {};
    if (x.isDecimal()) {
        const std::optional<std::int64_t> whole = x.decimalValue().truncatedToInt64();
        return whole ? IntegerPart{IntegerPart::Status::Ok, *whole} : IntegerPart{IntegerPart::Status::OutOfRange, 0};
    }
    const long double whole = std::trunc(x.binaryValue());
    if (whole < -kTwoTo63 || whole >= kTwoTo63)
        return {IntegerPart::Status::OutOfRange, 0};
    return {IntegerPart::Status::Ok, static_cast<std::int64_t>(whole)};
}

} // namespace numra
