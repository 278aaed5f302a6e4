// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator's own arithmetic on the entry's value: +/-, 1/x, x^n, the
// square root and the integer part used by Ganzzahl and Int->Hex, in either
// arithmetic. The binary one computes in extended precision; the decimal
// one keeps its limits and errors, so a key fails in both or in neither
// wherever no digit decides it. Texts are read with the user's decimal
// separator.

#include "eval/number.h"

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
// The same rule in the number's arithmetic. The decimal one computes a whole
// power exactly whenever it fits in 34 digits, and fails where the binary
// one does: a power beyond the extended range, or its reciprocal.
Number power(const Number& base, const Number& exponent);

// +/- and 1/x compute as a formula does: the binary arithmetic on doubles,
// the decimal one within the double range.
Number negated(const Number& value);
Number reciprocal(const Number& value);

// The square root of the text's value; nothing for a text that is no number
// or a negative value.
std::optional<Number> squareRootOf(const QString& text, QChar separator, Arithmetic arithmetic);

// The text's value truncated toward zero.
struct IntegerPart {
    enum class Status { Ok, NotANumber, OutOfRange }; // OutOfRange: beyond 64 bits
    Status status = Status::NotANumber;
    std::int64_t value = 0;
};
IntegerPart integerPartOf(const QString& text, QChar separator, Arithmetic arithmetic);

} // namespace numra
