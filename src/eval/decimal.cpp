// SPDX-License-Identifier: GPL-3.0-or-later
// The library is the Debian build of Intel's Decimal Floating-Point Math
// Library whose functions take their arguments by value, and the rounding
// mode and the status flags as arguments (libbidgcc000). Its functions carry
// the names of the copy in libgcc behind GCC's _Decimal types, which takes
// other arguments: nothing linked with it may use those types.

#include "eval/decimal.h"

#include "eval/errors.h"
#include "eval/fpu.h"

#define DECIMAL_CALL_BY_REFERENCE 0
#define DECIMAL_GLOBAL_ROUNDING 0
#define DECIMAL_GLOBAL_EXCEPTION_FLAGS 0
extern "C" {
#include <bid_conf.h>
#include <bid_functions.h>
}

#include <cstring>

namespace numra {

namespace {

constexpr _IDEC_round kHalfEven = BID_ROUNDING_TO_NEAREST;

BID_UINT128 bid(const Decimal& d)
{
    BID_UINT128 x;
    x.w[0] = d.lowWord();
    x.w[1] = d.highWord();
    return x;
}

Decimal decimal(const BID_UINT128& x) { return Decimal::fromWords(x.w[0], x.w[1]); }

// The faults in the order the binary arithmetic tests them; underflow and
// inexact results pass silently, as they do there.
fpu::Fault faultOf(_IDEC_flags flags)
{
    if (flags & BID_INVALID_EXCEPTION)
        return fpu::Fault::InvalidOperation;
    if (flags & BID_ZERO_DIVIDE_EXCEPTION)
        return fpu::Fault::DivisionByZero;
    if (flags & BID_OVERFLOW_EXCEPTION)
        return fpu::Fault::Overflow;
    return fpu::Fault::None;
}

void raiseOnFault(_IDEC_flags flags)
{
    if (const fpu::Fault fault = faultOf(flags); fault != fpu::Fault::None)
        throw fpu::errorOf(fault);
}

template <class Operation>
Decimal checked(Operation operation)
{
    _IDEC_flags flags = 0;
    const BID_UINT128 result = operation(&flags);
    raiseOnFault(flags);
    return decimal(result);
}

constexpr UInt128 kTenTo17 = 100000000000000000ull;

// 34 digits as two halves of 17.
constexpr Decimal threshold(std::uint64_t high17, std::uint64_t low17, int exponent)
{
    return Decimal::fromParts(false, UInt128(high17) * kTenTo17 + low17, exponent);
}

struct RangeLimits {
    Decimal overflow;  // the least magnitude the binary format rounds to infinity
    Decimal underflow; // the largest magnitude it rounds to zero
    int fastLow;       // values with an exponent from fastLow to fastHigh lie safely within
    int fastHigh;
};

// 2^1024 - 2^970 rounded up, 2^-1075 rounded down; 2^16384 - 2^16319 and
// 2^-16446 for the 80-bit extended format.
constexpr RangeLimits kDoubleLimits = {
    threshold(17976931348623158ull, 7937289714053035ull, 275),
    threshold(24703282292062327ull, 20882843964341106ull, -357),
    -323, 308 - Decimal::kDigits,
};
constexpr RangeLimits kExtendedLimits = {
    threshold(11897314953572317ull, 65053511589829489ull, 4899),
    threshold(18225997659412373ull, 1264202966809709ull, -4984),
    -4950, 4932 - Decimal::kDigits,
};

const RangeLimits& limitsOf(BinaryRange range)
{
    return range == BinaryRange::Double ? kDoubleLimits : kExtendedLimits;
}

// Within the fast bounds |value| < 10^(exponent + 34) and, unless it is
// zero, |value| >= 10^exponent.
bool safelyWithin(const Decimal& value, const RangeLimits& limits)
{
    const int exponent = value.parts().exponent;
    return exponent >= limits.fastLow && exponent <= limits.fastHigh;
}

// The exact power, by repeated squaring; nothing when some product needs
// more than 34 digits or leaves the decimal range. Every product is a power
// of base up to base^n, so all are exact when base^n fits.
std::optional<BID_UINT128> exactPower(BID_UINT128 base, std::uint64_t n)
{
    _IDEC_flags flags = 0;
    BID_UINT128 result = __bid128_from_int32(1);
    BID_UINT128 running = base;
    while (n != 0) {
        if (n & 1u)
            result = __bid128_mul(result, running, kHalfEven, &flags);
        n >>= 1;
        if (n != 0)
            running = __bid128_mul(running, running, kHalfEven, &flags);
        if (flags & (BID_INEXACT_EXCEPTION | BID_OVERFLOW_EXCEPTION | BID_UNDERFLOW_EXCEPTION))
            return std::nullopt;
    }
    return result;
}

} // namespace

Decimal Decimal::fromDouble(double value)
{
    _IDEC_flags flags = 0;
    return decimal(__binary64_to_bid128(value, kHalfEven, &flags));
}

Decimal Decimal::fromLongDouble(long double value)
{
    _IDEC_flags flags = 0;
    return decimal(__binary80_to_bid128(value, kHalfEven, &flags));
}

Decimal::Parts Decimal::parts() const
{
    Parts p;
    p.negative = isNegative();
    // Steering bits 11 mark infinities, NaN and coefficients beyond 2^113,
    // which decimal128 reads as zero; no value here is one of them.
    if (((high_ >> 61) & 3) == 3)
        return p;
    p.exponent = int((high_ >> kExponentShift) & 0x3FFF) + kMinExponent;
    p.coefficient = UInt128(high_ & ((std::uint64_t(1) << kExponentShift) - 1)) << 64 | low_;
    return p;
}

bool Decimal::isIntegral() const
{
    _IDEC_flags flags = 0;
    const BID_UINT128 x = bid(*this);
    return __bid128_quiet_equal(x, __bid128_round_integral_zero(x, &flags), &flags) != 0;
}

double Decimal::toDouble() const
{
    _IDEC_flags flags = 0;
    return __bid128_to_binary64(bid(*this), kHalfEven, &flags);
}

long double Decimal::toLongDouble() const
{
    _IDEC_flags flags = 0;
    return __bid128_to_binary80(bid(*this), kHalfEven, &flags);
}

std::optional<std::int64_t> Decimal::roundedToInt64() const
{
    _IDEC_flags flags = 0;
    const BID_SINT64 result = __bid128_to_int64_rnint(bid(*this), &flags);
    if (flags & BID_INVALID_EXCEPTION)
        return std::nullopt;
    return result;
}

std::optional<std::int64_t> Decimal::truncatedToInt64() const
{
    _IDEC_flags flags = 0;
    const BID_SINT64 result = __bid128_to_int64_int(bid(*this), &flags);
    if (flags & BID_INVALID_EXCEPTION)
        return std::nullopt;
    return result;
}

Decimal operator+(const Decimal& a, const Decimal& b)
{
    return checked([&](_IDEC_flags* flags) { return __bid128_add(bid(a), bid(b), kHalfEven, flags); });
}

Decimal operator-(const Decimal& a, const Decimal& b)
{
    return checked([&](_IDEC_flags* flags) { return __bid128_sub(bid(a), bid(b), kHalfEven, flags); });
}

Decimal operator*(const Decimal& a, const Decimal& b)
{
    return checked([&](_IDEC_flags* flags) { return __bid128_mul(bid(a), bid(b), kHalfEven, flags); });
}

Decimal operator/(const Decimal& a, const Decimal& b)
{
    return checked([&](_IDEC_flags* flags) { return __bid128_div(bid(a), bid(b), kHalfEven, flags); });
}

fpu::Fault divide(const Decimal& a, const Decimal& b, Decimal& quotient)
{
    _IDEC_flags flags = 0;
    const BID_UINT128 result = __bid128_div(bid(a), bid(b), kHalfEven, &flags);
    const fpu::Fault fault = faultOf(flags);
    if (fault == fpu::Fault::None)
        quotient = decimal(result);
    return fault;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b)
{
    _IDEC_flags flags = 0;
    if (__bid128_quiet_less(bid(a), bid(b), &flags))
        return std::strong_ordering::less;
    if (__bid128_quiet_greater(bid(a), bid(b), &flags))
        return std::strong_ordering::greater;
    return std::strong_ordering::equal;
}

bool operator==(const Decimal& a, const Decimal& b)
{
    _IDEC_flags flags = 0;
    return __bid128_quiet_equal(bid(a), bid(b), &flags) != 0;
}

Decimal squareRoot(const Decimal& value)
{
    return checked([&](_IDEC_flags* flags) { return __bid128_sqrt(bid(value), kHalfEven, flags); });
}

Decimal power(const Decimal& base, const Decimal& exponent)
{
    static constexpr Decimal kHalf = Decimal::fromParts(false, 5, -1);
    constexpr std::uint64_t kLargestWhole = std::uint64_t(1) << 62;
    if (exponent.isIntegral()) {
        const std::optional<std::int64_t> n = exponent.truncatedToInt64();
        if (n && *n > -std::int64_t(kLargestWhole) && *n < std::int64_t(kLargestWhole)) {
            const auto magnitude = std::uint64_t(*n < 0 ? -*n : *n);
            if (const std::optional<BID_UINT128> exact = exactPower(bid(base), magnitude))
                return *n < 0 ? Decimal::fromInteger(1) / decimal(*exact) : decimal(*exact);
        }
    } else if (exponent == kHalf) {
        return squareRoot(base);
    }
    // The library's power reports an overflow for some results that in
    // fact underflow to zero (2^-100000); to nearest, a true overflow is
    // infinite.
    _IDEC_flags flags = 0;
    const BID_UINT128 result = __bid128_pow(bid(base), bid(exponent), kHalfEven, &flags);
    if (__bid128_isFinite(result))
        flags &= ~_IDEC_flags(BID_OVERFLOW_EXCEPTION);
    raiseOnFault(flags);
    return decimal(result);
}

bool exceedsRange(const Decimal& value, BinaryRange range)
{
    const RangeLimits& limits = limitsOf(range);
    return !safelyWithin(value, limits) && value.magnitude() >= limits.overflow;
}

Decimal withinRange(const Decimal& value, BinaryRange range, fpu::Fault& fault)
{
    const RangeLimits& limits = limitsOf(range);
    if (safelyWithin(value, limits)) [[likely]]
        return value;
    const Decimal magnitude = value.magnitude();
    if (magnitude >= limits.overflow)
        fault = fpu::Fault::Overflow;
    else if (magnitude <= limits.underflow)
        return value.isNegative() ? -Decimal() : Decimal();
    return value;
}

Decimal withinRange(const Decimal& value, BinaryRange range)
{
    fpu::Fault fault = fpu::Fault::None;
    const Decimal result = withinRange(value, range, fault);
    if (fault != fpu::Fault::None)
        throw fpu::errorOf(fault);
    return result;
}

} // namespace numra
