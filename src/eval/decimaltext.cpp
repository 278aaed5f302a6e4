// SPDX-License-Identifier: GPL-3.0-or-later
// The number texts of decimal values. The coefficient and exponent of the
// encoding are the value's own digits, so a form is one rounding of them
// with integers, and a text is read into them without any rounding up to 34
// digits.

#include "eval/numbertext.h"

#include "numbertextparts.h"

#include "eval/decimal18.h"
#include "eval/errors.h"

namespace numra {

namespace textparts {

int digitCount(UInt128 value)
{
    if (value >> 64 == 0)
        return digitCount(std::uint64_t(value));
    int count = 20;
    while (count < kMostDigits && value >= kPowersOf10Wide[std::size_t(count)])
        ++count;
    return count;
}

UInt128 roundedAway(UInt128 value, int dropped)
{
    if (value == 0) // a zero may carry any exponent: 1E76*0 is 0E76
        return 0;
    if (dropped <= 0)
        return value * kPowersOf10Wide[std::size_t(-dropped)];
    if (dropped > kMostDigits)
        return 0; // any value below 2^128 lies below half of 10^dropped
    const UInt128 divisor = kPowersOf10Wide[std::size_t(dropped)];
    UInt128 quotient = 0;
    UInt128 remainder = 0;
    if (value >> 64 == 0 && dropped < 20) { // in 64 bits, the usual case
        quotient = std::uint64_t(value) / std::uint64_t(divisor);
        remainder = std::uint64_t(value) % std::uint64_t(divisor);
    } else {
        quotient = value / divisor;
        remainder = value % divisor;
    }
    return 2 * remainder >= divisor ? quotient + 1 : quotient;
}

Digits15 roundTo15(const Decimal& value)
{
    const Decimal::Parts p = value.parts();
    if (p.coefficient == 0)
        return {0, 0, p.negative};
    const int count = digitCount(p.coefficient);
    int exponent = p.exponent + count - 1;
    UInt128 digits = roundedAway(p.coefficient, count - 15);
    if (digits == kPowersOf10[15]) { // rounded up to the next power of ten
        digits = kPowersOf10[14];
        ++exponent;
    }
    return {std::uint64_t(digits), exponent, p.negative};
}

} // namespace textparts

namespace {

using textparts::digitCount;
using textparts::kMostDigits;
using textparts::kPowersOf10Wide;
using textparts::roundedAway;
using textparts::roundTo15;

// Whether |value| < 10^power.
bool below(const Decimal::Parts& p, int power)
{
    return p.coefficient == 0 || digitCount(p.coefficient) + p.exponent <= power;
}

// |value| in hundredths, rounded at the second decimal.
UInt128 hundredths(const Decimal::Parts& p)
{
    return roundedAway(p.coefficient, -(p.exponent + 2));
}

// Leading zeros, up to 34 significant digits and the first digit after them
// with whether any other digit follows, as a rounding half to even needs.
class DigitCollector {
public:
    void add(QStringView digits)
    {
        for (QChar c : digits) {
            const auto digit = unsigned(c.unicode() - u'0');
            if (significant_ == 0 && digit == 0)
                continue;
            if (significant_ < Decimal::kDigits) {
                coefficient_ = coefficient_ * 10 + digit;
                ++significant_;
            } else if (dropped_++ == 0) {
                firstDropped_ = digit;
            } else {
                stickyDropped_ |= digit != 0;
            }
        }
    }

    // The coefficient rounded and the power of ten it gained.
    UInt128 rounded(int& scale) const
    {
        UInt128 coefficient = coefficient_;
        scale = dropped_;
        const bool up = firstDropped_ > 5 || (firstDropped_ == 5 && (stickyDropped_ || (coefficient & 1)));
        if (up && ++coefficient == kPowersOf10Wide[Decimal::kDigits]) {
            coefficient = kPowersOf10Wide[Decimal::kDigits - 1];
            ++scale;
        }
        return coefficient;
    }

private:
    UInt128 coefficient_ = 0;
    int significant_ = 0;
    int dropped_ = 0;
    unsigned firstDropped_ = 0;
    bool stickyDropped_ = false;
};

// The exponent's digits with their sign; beyond any decimal exponent it
// stops growing, which keeps the value's meaning (far too large or small).
int exponentOf(QStringView text)
{
    constexpr int kSaturated = 100000;
    int exponent = 0;
    bool negative = false;
    for (QChar c : text) {
        if (c == u'-')
            negative = true;
        else if (c != u'+' && exponent < kSaturated)
            exponent = exponent * 10 + (c.unicode() - u'0');
    }
    return negative ? -exponent : exponent;
}

} // namespace

NumberText generalForm(const Decimal& value, QChar separator)
{
    return textparts::generalText(roundTo15(value), separator);
}

QString formatGeneral(const Decimal& value, QChar separator)
{
    return generalForm(value, separator).toString();
}

NumberText twoDecimalForm(const Decimal& value, QChar separator)
{
    const Decimal::Parts p = value.parts();
    if (!below(p, 18))
        return generalForm(value, separator);
    const UInt128 count = hundredths(p);
    const auto whole = std::uint64_t(count / 100); // below 10^16
    NumberText out;
    if (p.negative && count != 0)
        out.append(u'-');
    out.appendDigits(whole, textparts::digitCount(whole));
    out.append(separator.unicode());
    out.appendDigits(std::uint64_t(count % 100), 2);
    return out;
}

QString formatTwoDecimals(const Decimal& value, QChar separator)
{
    return twoDecimalForm(value, separator).toString();
}

std::optional<std::int64_t> hundredthsOf(const Decimal& value)
{
    const Decimal::Parts p = value.parts();
    if (!below(p, 16))
        return std::nullopt;
    const auto magnitude = std::int64_t(hundredths(p));
    return p.negative ? -magnitude : magnitude;
}

bool tryParseDecimal(QStringView text, QChar separator, Decimal& value)
{
    const std::optional<textparts::NumberParts> parts = textparts::splitNumber(text, separator);
    if (!parts)
        return false;
    DigitCollector digits;
    digits.add(parts->integerDigits);
    digits.add(parts->fractionDigits);
    int gained = 0;
    const UInt128 coefficient = digits.rounded(gained);
    if (coefficient == 0) {
        value = parts->negative ? -Decimal() : Decimal();
        return true;
    }
    const int scale = exponentOf(parts->exponent) - int(parts->fractionDigits.size()) + gained;
    // The extended range ends near 1.19E4932 and 1.8E-4951; far beyond
    // them the exponent alone decides, before it could leave the encoding.
    const int leading = scale + digitCount(coefficient) - 1;
    if (leading > 5000)
        return false;
    if (leading < -5000) {
        value = parts->negative ? -Decimal() : Decimal();
        return true;
    }
    const Decimal parsed = Decimal::fromParts(parts->negative, coefficient, scale);
    if (exceedsRange(parsed, BinaryRange::Extended))
        return false;
    value = withinRange(parsed, BinaryRange::Extended);
    return true;
}

Decimal parseDecimal(const QString& text, QChar separator)
{
    Decimal value;
    if (!tryParseDecimal(text, separator, value))
        throw ConvertError::notAFloat(text);
    return value;
}

} // namespace numra
