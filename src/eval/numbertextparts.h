// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the number texts of the binary and the decimal arithmetic share: the
// digits a form shows, the writers that turn them into text, and a number
// text split into its parts. Private to the eval library.

#include "eval/numbertext.h"

#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

namespace numra::textparts {

// The 15 significant digits of the general form.
struct Digits15 {
    std::uint64_t digits = 0; // from 10^14 to 10^15 - 1; 0 for a zero
    int exponent = 0;         // |value| = digits * 10^(exponent - 14)
    bool negative = false;
};

// The digits of a finite binary value (its 18-digit expansion rounded on
// the 16th digit alone) and of a decimal value (rounded half away from zero).
Digits15 roundTo15(long double value);
Digits15 roundTo15(const Decimal& value);

// Fixed notation for 1E-4 <= |v| < 1E15, otherwise scientific; trailing
// zeros dropped; a zero is "0" without sign.
NumberText generalText(const Digits15& d, QChar separator);

// A magnitude in hundredths, count * 10^zeros.
struct Hundredths {
    std::uint64_t count = 0;
    int zeros = 0;
    bool negative = false; // never for a zero count
};

// At least one integer digit, the separator and two decimals.
NumberText hundredthsText(const Hundredths& h, QChar separator);

int digitCount(std::uint64_t value);
int digitCount(UInt128 value);

inline constexpr int kMostDigits = 38; // 10^38 < 2^128

inline constexpr auto kPowersOf10Wide = [] {
    std::array<UInt128, kMostDigits + 1> powers{};
    UInt128 power = 1;
    for (UInt128& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

// value / 10^dropped rounded to an integer, halves away from zero; a
// negative dropped appends zeros, which must fit.
UInt128 roundedAway(UInt128 value, int dropped);

// Where the parts of a number text lie; each range may be empty.
struct NumberParts {
    bool negative = false;
    QStringView integerDigits;
    QStringView fractionDigits;
    QStringView exponent; // with its sign
};

// Blanks U+0020 at both ends, optional sign, digits, separator and digits
// (at least one digit or the separator), optional exponent; nothing for any
// other text.
std::optional<NumberParts> splitNumber(QStringView text, QChar separator);

} // namespace numra::textparts
