// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exact mode's number: a decimal floating-point value of 34 significant
// digits (IEEE 754 decimal128 in its binary integer encoding), computed by
// Intel's Decimal Floating-Point Math Library. A value is held exactly as
// written; + - * are exact within 34 digits, / and the square root are
// correctly rounded, half to even. The three floating-point faults raise
// ArithmeticError with the binary arithmetic's messages, so an error box reads
// the same in both modes.

#include "eval/fpu.h"

#include <compare>
#include <cstdint>
#include <optional>

namespace numra {

__extension__ typedef unsigned __int128 UInt128; // GCC's 128-bit integer

class Decimal {
public:
    static constexpr int kDigits = 34;
    static constexpr int kMinExponent = -6176; // of the coefficient's last digit
    static constexpr int kMaxExponent = 6111;

    constexpr Decimal() = default; // zero

    // ±coefficient × 10^exponent, exactly; coefficient below 10^34, exponent
    // from kMinExponent to kMaxExponent.
    static constexpr Decimal fromParts(bool negative, UInt128 coefficient, int exponent)
    {
        Decimal d;
        d.low_ = std::uint64_t(coefficient);
        d.high_ = (negative ? kSignBit : 0) | std::uint64_t(exponent - kMinExponent) << kExponentShift
            | std::uint64_t(coefficient >> 64);
        return d;
    }
    static constexpr Decimal fromInteger(std::int64_t value)
    {
        const bool negative = value < 0;
        return fromParts(negative, negative ? 0 - std::uint64_t(value) : std::uint64_t(value), 0);
    }
    // The binary value rounded to 34 digits.
    static Decimal fromDouble(double value);
    static Decimal fromLongDouble(long double value);

    struct Parts {
        bool negative = false;
        UInt128 coefficient = 0; // below 10^34
        int exponent = 0;        // value = ±coefficient × 10^exponent
    };
    Parts parts() const;

    bool isZero() const { return parts().coefficient == 0; }
    bool isNegative() const { return (high_ & kSignBit) != 0; } // also of a zero
    Decimal operator-() const
    {
        Decimal d = *this;
        d.high_ ^= kSignBit;
        return d;
    }
    Decimal magnitude() const
    {
        Decimal d = *this;
        d.high_ &= ~kSignBit;
        return d;
    }
    // Whether the value is a whole number.
    bool isIntegral() const;

    // Nearest double and extended value; beyond their range infinite.
    double toDouble() const;
    long double toLongDouble() const;
    // Rounded to the nearest integer, ties to even, or truncated toward zero;
    // nothing beyond the 64-bit range.
    std::optional<std::int64_t> roundedToInt64() const;
    std::optional<std::int64_t> truncatedToInt64() const;

    // The encoding's two 64-bit words, for a holder that keeps them itself.
    std::uint64_t lowWord() const { return low_; }
    std::uint64_t highWord() const { return high_; }
    static constexpr Decimal fromWords(std::uint64_t low, std::uint64_t high)
    {
        Decimal d;
        d.low_ = low;
        d.high_ = high;
        return d;
    }

private:
    static constexpr std::uint64_t kSignBit = std::uint64_t(1) << 63;
    static constexpr int kExponentShift = 49;

    std::uint64_t low_ = 0;  // the coefficient's low 64 bits
    std::uint64_t high_ = 0; // sign, biased exponent, the coefficient's high 49 bits
};

// Exact within 34 digits, otherwise rounded half to even. Throw
// ArithmeticError: "/" by zero "Gleitkommadivision durch Null", 0/0
// "Ungültige Gleitkommaoperation", beyond the decimal range "Gleitkommaüberlauf".
Decimal operator+(const Decimal& a, const Decimal& b);
Decimal operator-(const Decimal& a, const Decimal& b);
Decimal operator*(const Decimal& a, const Decimal& b);
Decimal operator/(const Decimal& a, const Decimal& b);
// a / b with its fault handed back instead of thrown; the quotient holds
// the value only when there is none.
fpu::Fault divide(const Decimal& a, const Decimal& b, Decimal& quotient);

// Numeric order: 1.50 equals 1.5, -0 equals 0.
std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
bool operator==(const Decimal& a, const Decimal& b);

// Correctly rounded; a negative value is an invalid operation.
Decimal squareRoot(const Decimal& value);

// base^exponent. A whole exponent below 2^63 in magnitude gives the exact
// power whenever it fits in 34 digits (a negative one its reciprocal,
// correctly rounded), the exponent 0.5 the square root; any other power is
// the library's, within a unit or so of the 34th digit. 0^0 is 1, 0 to a
// negative power divides by zero, a negative base with a fractional exponent
// is an invalid operation.
Decimal power(const Decimal& base, const Decimal& exponent);

// The ranges of the binary formats. The exact mode keeps them, so that a
// value too large for today's arithmetic fails in both modes.
enum class BinaryRange { Double, Extended };

// The value, unless it is too large for the range ("Gleitkommaüberlauf");
// a value too small for it becomes zero of the same sign, as it does there.
Decimal withinRange(const Decimal& value, BinaryRange range);
// The same, with the overflow handed back in fault instead of thrown (the
// value returned is then of no use).
Decimal withinRange(const Decimal& value, BinaryRange range, fpu::Fault& fault);
// Whether withinRange() would raise the overflow.
bool exceedsRange(const Decimal& value, BinaryRange range);

} // namespace numra
