// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Results as the calculator shows them: free, in the general form, or with a
// fixed number of places, rounded in one of the three ways of a desk
// calculator's rounding switch. Each form comes with the value of exactly
// the text it shows and tells whether the places dropped digits of the value.

#include "eval/number.h"

#include <QChar>
#include <cstdint>
#include <optional>

namespace numra {

enum class RoundingMode : std::uint8_t {
    AwayFromZero,     // 0,661 and 0,669 show 0,67
    HalfAwayFromZero, // 0,665 shows 0,67, 0,664 shows 0,66: the two-decimal form's rule
    TowardZero,       // 0,661 and 0,669 show 0,66
};

inline constexpr int kMaxPlaces = 4;

struct ShownFormat {
    std::optional<int> places; // none: free, the general form; else 0 to kMaxPlaces
    RoundingMode rounding = RoundingMode::HalfAwayFromZero;
};

struct ShownNumber {
    NumberText text;
    Number value;         // exactly the text's value, in the arithmetic of the number shown
    bool rounded = false; // the text leaves out digits of the value beyond its places
};

// Exactly `places` decimals (0 to kMaxPlaces); a zero result has no sign.
// A binary value is rounded from the 15 significant digits the general form
// shows (the double nearest 2.675 lies below it and still shows 2,68 at
// half away), a decimal value from its exact digits. In the two directed
// modes, and for `rounded`, a remainder of less than a millionth of the last
// place counts as none: a binary sum that cancels (100.10-100-0.10 is
// -5.7E-15) shows 0,00 rather than -0,01, and the last digit of an exact
// quotient (2/3*3 is 2.000…001) does not turn 2 into 2,01. Values from 1E18
// on are shown in the general form, as the two-decimal form shows them, and
// count as not rounded. Two places at half away from zero is the
// two-decimal form.
ShownNumber placesForm(const Number& value, int places, RoundingMode rounding, QChar separator);

// The general form when the format is free (never `rounded`; its value is
// that of the 15 digits shown), placesForm otherwise.
ShownNumber shownForm(const Number& value, const ShownFormat& format, QChar separator);

} // namespace numra
