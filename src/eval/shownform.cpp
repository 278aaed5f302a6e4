// SPDX-License-Identifier: GPL-3.0-or-later
// The forms with places work on a magnitude written as an integer and a
// power of ten, which both arithmetics give exactly: the binary one its 15
// shown digits, the decimal one its coefficient and exponent.

#include "eval/shownform.h"

#include "numbertextparts.h"

#include <algorithm>
#include <cmath>

namespace numra {

namespace {

using textparts::Digits15;
using textparts::digitCount;
using textparts::kPowersOf10Wide;
using textparts::roundedAway;
using textparts::roundTo15;

// The directed modes look at the value in millionths of the last place, so
// that the noise of binary sums and of a quotient's last digit goes unseen.
constexpr int kNoiseDigits = 6;

// |value| = coefficient * 10^exponent
struct Magnitude {
    UInt128 coefficient = 0;
    int exponent = 0;
    bool negative = false;
};

// |value| in units of the last place.
struct Units {
    UInt128 count = 0;
    bool rounded = false;
};

Units unitsAt(const Magnitude& m, int places, RoundingMode rounding)
{
    const int dropped = -m.exponent - places; // digits below the last place
    if (dropped <= 0)
        return {roundedAway(m.coefficient, dropped), false};
    const UInt128 millionths = roundedAway(m.coefficient, dropped - kNoiseDigits);
    const UInt128 perUnit = kPowersOf10Wide[kNoiseDigits];
    const UInt128 whole = millionths / perUnit;
    const bool remainder = millionths % perUnit != 0;
    switch (rounding) {
    case RoundingMode::AwayFromZero:
        return {whole + (remainder ? 1 : 0), remainder};
    case RoundingMode::TowardZero:
        return {whole, remainder};
    case RoundingMode::HalfAwayFromZero:
        break;
    }
    return {roundedAway(m.coefficient, dropped), remainder}; // rounded once
}

NumberText placesText(bool negative, UInt128 units, int places, QChar separator)
{
    const auto perWhole = std::uint64_t(kPowersOf10Wide[std::size_t(places)]);
    // Below 1E18 with at most four places; 64-bit division where it fits.
    std::uint64_t whole = 0;
    std::uint64_t fraction = 0;
    if (units >> 64 == 0) {
        whole = std::uint64_t(units) / perWhole;
        fraction = std::uint64_t(units) % perWhole;
    } else {
        whole = std::uint64_t(units / perWhole);
        fraction = std::uint64_t(units % perWhole);
    }
    NumberText out;
    if (negative && units != 0)
        out.append(u'-');
    out.appendDigits(whole, digitCount(whole));
    if (places > 0) {
        out.append(separator.unicode());
        out.appendDigits(fraction, places);
    }
    return out;
}

// The value of a shown text that no shortcut gives exactly.
Number valueOfText(const NumberText& text, QChar separator, Arithmetic arithmetic)
{
    Number value;
    tryParseNumber(text.view(), separator, arithmetic, value);
    return value;
}

// coefficient * 10^exponent as a number of the arithmetic, exactly or (binary)
// rounded to nearest; the text when that takes more than one operation.
Number valueOf(bool negative, UInt128 coefficient, int exponent, Arithmetic arithmetic, const NumberText& text,
               QChar separator)
{
    negative = negative && coefficient != 0;
    if (arithmetic == Arithmetic::Decimal) {
        if (exponent < Decimal::kMinExponent || exponent > Decimal::kMaxExponent)
            return valueOfText(text, separator, arithmetic);
        return Number::decimal(Decimal::fromParts(negative, coefficient, exponent));
    }
    if (coefficient >> 64 != 0)
        return valueOfText(text, separator, arithmetic);
    const std::optional<long double> magnitude = exactDecimalValue(std::uint64_t(coefficient), exponent);
    if (!magnitude)
        return valueOfText(text, separator, arithmetic);
    return Number::binary(negative ? -*magnitude : *magnitude);
}

ShownNumber freeForm(const Number& value, QChar separator)
{
    ShownNumber shown{generalForm(value, separator), value, false};
    if (!value.isDecimal() && !std::isfinite(value.binaryValue()))
        return shown;
    const Digits15 d = value.isDecimal() ? roundTo15(value.decimalValue()) : roundTo15(value.binaryValue());
    shown.value = valueOf(d.negative, d.digits, d.exponent - 14, value.arithmetic(), shown.text, separator);
    return shown;
}

} // namespace

ShownNumber placesForm(const Number& value, int places, RoundingMode rounding, QChar separator)
{
    places = std::clamp(places, 0, kMaxPlaces);
    Magnitude m;
    if (value.isDecimal()) {
        const Decimal::Parts p = value.decimalValue().parts();
        if (p.coefficient != 0 && digitCount(p.coefficient) + p.exponent > 18)
            return freeForm(value, separator);
        m = {p.coefficient, p.exponent, p.negative};
    } else {
        if (!(std::fabs(value.binaryValue()) < 1e18L))
            return freeForm(value, separator);
        const Digits15 d = roundTo15(value.binaryValue());
        m = {d.digits, d.exponent - 14, d.negative};
    }
    const Units units = unitsAt(m, places, rounding);
    ShownNumber shown;
    shown.text = placesText(m.negative, units.count, places, separator);
    shown.value = valueOf(m.negative, units.count, -places, value.arithmetic(), shown.text, separator);
    shown.rounded = units.rounded;
    return shown;
}

ShownNumber shownForm(const Number& value, const ShownFormat& format, QChar separator)
{
    if (!format.places)
        return freeForm(value, separator);
    return placesForm(value, *format.places, format.rounding, separator);
}

} // namespace numra
