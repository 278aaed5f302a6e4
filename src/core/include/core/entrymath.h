// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator's own arithmetic on the entry's value: x^n, the square root
// and the integer part used by Ganzzahl and Int->Hex, all in extended
// precision. Texts are read with the user's decimal separator.

#include <QString>
#include <cstdint>
#include <optional>

namespace numra {

// The x^n rule: a whole exponent up to 2147483647 in magnitude is computed by
// repeated squaring (0^0 is 1, 0 to a negative power divides by zero); any
// other exponent as 2^(e * log2 b), where 0 gives 0 and a negative base is an
// invalid operation. The result is rounded to a double once, at the end, so a
// result beyond the double range is an overflow. Throws ArithmeticError for
// the three faults.
double power(long double base, long double exponent);

// The square root of the text's value; nothing for a text that is no number
// or a negative value.
std::optional<long double> squareRootOf(const QString& text, QChar separator);

// The text's value truncated toward zero.
struct IntegerPart {
    enum class Status { Ok, NotANumber, OutOfRange }; // OutOfRange: beyond 64 bits
    Status status = Status::NotANumber;
    std::int64_t value = 0;
};
IntegerPart integerPartOf(const QString& text, QChar separator);

} // namespace numra
