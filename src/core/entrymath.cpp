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

bool isWholeInt32Exponent(long double e)
{
    return std::trunc(e) == e && std::fabs(e) <= 2147483647.0L;
}

// 2^63 and -2^63 exactly: the ends of the 64-bit range.
constexpr long double kTwoTo63 = 9223372036854775808.0L;

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

std::optional<long double> squareRootOf(const QString& text, QChar separator)
{
    long double x = 0;
    if (!tryParseNumber(text, separator, x) || x < 0)
        return std::nullopt;
    return std::sqrt(x);
}

IntegerPart integerPartOf(const QString& text, QChar separator)
{
    long double x = 0;
    if (!tryParseNumber(text, separator, x))
        return {};
    const long double whole = std::trunc(x);
    if (whole < -kTwoTo63 || whole >= kTwoTo63)
        return {IntegerPart::Status::OutOfRange, 0};
    return {IntegerPart::Status::Ok, static_cast<std::int64_t>(whole)};
}

} // namespace numra
