// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/decimal18.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>

namespace numra {

namespace {

__extension__ typedef unsigned __int128 u128; // GCC's 128-bit integer

constexpr std::uint64_t kLowest18Digits = kPowersOf10[17];
constexpr std::uint64_t kBeyond18Digits = kPowersOf10[18];

// |value| = mantissa * 2^exponent, with the 64-bit significand of the x87
// format as it is stored (subnormals keep the exponent of the smallest
// normal value).
struct BinaryParts {
    std::uint64_t mantissa;
    int exponent;
};

BinaryParts binaryPartsOf(long double value)
{
    static_assert(sizeof(long double) >= 10, "80-bit extended long double");
    std::uint64_t mantissa = 0;
    std::uint16_t signAndExponent = 0;
    std::memcpy(&mantissa, &value, sizeof mantissa);
    std::memcpy(&signAndExponent, reinterpret_cast<const char*>(&value) + 8, sizeof signAndExponent);
    const int biased = signAndExponent & 0x7FFF;
    return {mantissa, (biased == 0 ? 1 : biased) - 16383 - 63};
}

// floor(log10(|value|)) or one less: 1292913986 / 2^32 is log10(2) to ten
// digits, close enough over the whole extended range.
int decimalExponentEstimate(const BinaryParts& parts)
{
    const int bitLength = 64 - std::countl_zero(parts.mantissa) + parts.exponent;
    return int((std::int64_t(bitLength - 1) * 1292913986) >> 32);
}

// Rounds quotient + remainder/divisor to nearest, ties to even, where
// comparison is the remainder's comparison with half the divisor.
std::uint64_t roundHalfEven(std::uint64_t quotient, int comparison)
{
    return comparison > 0 || (comparison == 0 && (quotient & 1)) ? quotient + 1 : quotient;
}

// A natural number of up to kLimbs 64-bit limbs, enough for the extended
// range scaled by a power of ten (about 11,700 bits at either end).
class BigNat {
public:
    static constexpr int kLimbs = 200;

    explicit BigNat(std::uint64_t value) { limbs_[0] = value; size_ = value != 0; }

    void multiply(std::uint64_t factor)
    {
        std::uint64_t carry = 0;
        for (int i = 0; i < size_; ++i) {
            const u128 product = u128(limbs_[i]) * factor + carry;
            limbs_[i] = std::uint64_t(product);
            carry = std::uint64_t(product >> 64);
        }
        if (carry != 0)
            limbs_[size_++] = carry;
    }

    void multiplyByPowerOf5(int n)
    {
        constexpr std::uint64_t kFiveTo27 = 7450580596923828125ull; // the largest below 2^64
        for (; n >= 27; n -= 27)
            multiply(kFiveTo27);
        std::uint64_t rest = 1;
        for (; n > 0; --n)
            rest *= 5;
        multiply(rest);
    }

    void shiftLeft(int bits)
    {
        if (size_ == 0 || bits == 0)
            return;
        const int limbShift = bits / 64;
        const int bitShift = bits % 64;
        limbs_[size_] = 0;
        for (int i = size_; i >= 0; --i) {
            const std::uint64_t high = limbs_[i] << bitShift;
            const std::uint64_t low = bitShift != 0 && i > 0 ? limbs_[i - 1] >> (64 - bitShift) : 0;
            limbs_[i + limbShift] = high | low;
        }
        std::fill(limbs_.begin(), limbs_.begin() + limbShift, 0);
        size_ += limbShift + 1;
        trim();
    }

    // -1, 0 or 1 as this is less than, equal to or greater than other.
    int compare(const BigNat& other) const
    {
        if (size_ != other.size_)
            return size_ < other.size_ ? -1 : 1;
        for (int i = size_ - 1; i >= 0; --i) {
            if (limbs_[i] != other.limbs_[i])
                return limbs_[i] < other.limbs_[i] ? -1 : 1;
        }
        return 0;
    }

    // this -= other, which is not larger.
    void subtract(const BigNat& other)
    {
        std::uint64_t borrow = 0;
        for (int i = 0; i < size_; ++i) {
            const std::uint64_t subtrahend = i < other.size_ ? other.limbs_[i] : 0;
            const u128 difference = u128(limbs_[i]) - subtrahend - borrow;
            limbs_[i] = std::uint64_t(difference);
            borrow = std::uint64_t(difference >> 64) & 1;
        }
        trim();
    }

    int leadingZeroBits() const { return std::countl_zero(limbs_[size_ - 1]); }
    int size() const { return size_; }
    std::uint64_t limb(int i) const { return i < size_ ? limbs_[i] : 0; }

private:
    void trim()
    {
        while (size_ > 0 && limbs_[size_ - 1] == 0)
            --size_;
    }

    std::array<std::uint64_t, kLimbs + 1> limbs_{};
    int size_ = 0;
};

// numerator / denominator rounded to nearest, ties to even, for a quotient
// below 2^64 (Knuth's division with one quotient limb: the estimate from the
// top limbs of the normalized operands is at most two too large).
std::uint64_t roundedQuotient(BigNat numerator, BigNat denominator)
{
    const int normalize = denominator.leadingZeroBits();
    numerator.shiftLeft(normalize);
    denominator.shiftLeft(normalize);
    const int n = denominator.size();
    const u128 top = u128(numerator.limb(n)) << 64 | numerator.limb(n - 1);
    const u128 estimate = top / denominator.limb(n - 1);
    std::uint64_t quotient = estimate > UINT64_MAX ? UINT64_MAX : std::uint64_t(estimate);
    BigNat product = denominator;
    product.multiply(quotient);
    while (product.compare(numerator) > 0) {
        --quotient;
        product.subtract(denominator);
    }
    numerator.subtract(product);
    numerator.shiftLeft(1); // twice the remainder against the divisor
    return roundHalfEven(quotient, numerator.compare(denominator));
}

// mantissa * 2^exponent * 10^scale, rounded, with big integers.
std::uint64_t scaledExactly(const BinaryParts& parts, int scale)
{
    BigNat numerator(parts.mantissa);
    BigNat denominator(1);
    if (scale >= 0)
        numerator.multiplyByPowerOf5(scale);
    else
        denominator.multiplyByPowerOf5(-scale);
    const int twos = parts.exponent + scale;
    if (twos >= 0)
        numerator.shiftLeft(twos);
    else
        denominator.shiftLeft(-twos);
    return roundedQuotient(numerator, denominator);
}

// The same with one 128-bit product when the value lies below 2^63 and the
// scale is at most 19, which covers every value from 0.01 to 2^63.
bool scaledQuickly(const BinaryParts& parts, int scale, std::uint64_t& rounded)
{
    const int shift = -parts.exponent;
    if (scale < 0 || scale > 19 || shift <= 0 || shift > 127)
        return false;
    const u128 product = u128(parts.mantissa) * kPowersOf10[scale];
    const u128 remainder = product & ((u128(1) << shift) - 1);
    const u128 half = u128(1) << (shift - 1);
    const auto quotient = std::uint64_t(product >> shift);
    rounded = roundHalfEven(quotient, remainder > half ? 1 : (remainder == half ? 0 : -1));
    return true;
}

std::uint64_t scaled(const BinaryParts& parts, int scale)
{
    std::uint64_t rounded = 0;
    if (scaledQuickly(parts, scale, rounded))
        return rounded;
    return scaledExactly(parts, scale);
}

} // namespace

Decimal18 decimal18(long double value)
{
    Decimal18 d;
    d.negative = std::signbit(value);
    const BinaryParts parts = binaryPartsOf(value);
    if (parts.mantissa == 0)
        return d;
    // The estimate is the exponent or one less; a quotient of 19 digits says
    // which, and the value is scaled once more, so that it is rounded once.
    int exponent = decimalExponentEstimate(parts);
    std::uint64_t digits = scaled(parts, 17 - exponent);
    if (digits >= kBeyond18Digits) {
        ++exponent;
        digits = scaled(parts, 17 - exponent);
    }
    if (digits == kBeyond18Digits) { // rounded up to the next power of ten
        digits = kLowest18Digits;
        ++exponent;
    }
    d.digits = digits;
    d.exponent = exponent;
    return d;
}

Decimal15 roundTo15(long double value)
{
    const Decimal18 d = decimal18(value);
    Decimal15 r{d.digits / 1000, d.exponent, d.negative};
    if (d.digits % 1000 >= 500 && ++r.digits == kPowersOf10[15]) {
        r.digits = kPowersOf10[14];
        ++r.exponent;
    }
    return r;
}

Hundredths hundredths(long double value)
{
    const Decimal15 d = roundTo15(value);
    Hundredths h;
    const int dropped = 12 - d.exponent; // digits below the one worth 10^-2
    if (dropped <= 0) {
        h.count = d.digits;
        h.zeros = -dropped;
    } else if (dropped <= 15) {
        h.count = d.digits / kPowersOf10[dropped];
        if (d.digits / kPowersOf10[dropped - 1] % 10 >= 5)
            ++h.count;
    }
    h.negative = d.negative && h.count != 0;
    return h;
}

} // namespace numra
