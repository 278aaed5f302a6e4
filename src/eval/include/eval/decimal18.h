// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The exact decimal expansion of an extended value to 18 significant digits,
// rounded to nearest with ties to even, as glibc's printf("%.17Le") gives it.
// The number texts start from it. Values from 0.01 to 2^63 take one 64 x 64
// bit product; the others an exact long division on big integers.

#include <cstdint>

namespace numra {

struct Decimal18 {
    std::uint64_t digits = 0; // from 10^17 to 10^18 - 1; 0 for a zero
    int exponent = 0;         // |value| = digits * 10^(exponent - 17)
    bool negative = false;    // the sign bit, also of a zero
};

// value must be finite.
Decimal18 decimal18(long double value);

// The 15 significant digits the general form shows: the 18-digit expansion
// rounded on its 16th digit alone.
struct Decimal15 {
    std::uint64_t digits = 0; // from 10^14 to 10^15 - 1; 0 for a zero
    int exponent = 0;         // |value| = digits * 10^(exponent - 14)
    bool negative = false;
};
Decimal15 roundTo15(long double value);

// The magnitude in hundredths, count * 10^zeros: the 15-digit form rounded
// at its second decimal, halves away from zero. Values from 1E12 on have no
// decimals beyond the 15 digits, so only zeros are appended.
struct Hundredths {
    std::uint64_t count = 0;
    int zeros = 0;
    bool negative = false;
};
Hundredths hundredths(long double value);

inline constexpr std::uint64_t kPowersOf10[] = {
    1ull,
    10ull,
    100ull,
    1000ull,
    10000ull,
    100000ull,
    1000000ull,
    10000000ull,
    100000000ull,
    1000000000ull,
    10000000000ull,
    100000000000ull,
    1000000000000ull,
    10000000000000ull,
    100000000000000ull,
    1000000000000000ull,
    10000000000000000ull,
    100000000000000000ull,
    1000000000000000000ull,
    10000000000000000000ull,
};

} // namespace numra
