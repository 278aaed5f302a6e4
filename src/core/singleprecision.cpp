// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/singleprecision.h"

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

bool isWholeInt32Exponent(float e)
{
    return std::trunc(e) == e && std::fabs(double(e)) <= 2147483647.0;
}

// Nothing for a value beyond the single range.
std::optional<float> toSingleInRange(long double value)
{
    try {
        return fpu::toSingle(value);
    } catch (const ArithmeticError&) {
        return std::nullopt;
    }
}

} // namespace

float singlePrecisionPower(float base, float exponent)
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
    return fpu::toSingle(result);
}

std::optional<float> parseSingle(const QString& text, QChar separator)
{
    long double parsed = 0;
    if (!tryParseNumber(text, separator, parsed))
        return std::nullopt;
    return toSingleInRange(parsed);
}

std::optional<float> singleSquareRoot(const QString& text, QChar separator)
{
    const std::optional<float> x = parseSingle(text, separator);
    if (!x || *x < 0)
        return std::nullopt;
    return std::sqrt(*x);
}

IntegerPart singleIntegerPart(const QString& text, QChar separator)
{
    long double parsed = 0;
    if (!tryParseNumber(text, separator, parsed))
        return {};
    const std::optional<float> x = toSingleInRange(parsed);
    if (!x)
        return {IntegerPart::Status::OutOfRange, 0};
    const double whole = std::trunc(double(*x));
    if (whole < -2147483648.0 || whole > 2147483647.0)
        return {IntegerPart::Status::OutOfRange, 0};
    return {IntegerPart::Status::Ok, std::int32_t(whole)};
}

} // namespace numra
