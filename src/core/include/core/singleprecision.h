// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator's operations on single-precision values: x^n, square root
// and the integer part used by Ganzzahl and Int->Hex. Texts are read with the
// user's decimal separator.

#include <QString>
#include <cstdint>
#include <optional>

namespace numra {

// A whole exponent up to 2147483647 in magnitude is computed by repeated
// squaring (0^0 is 1, 0 to a negative power divides by zero); any other
// exponent as 2^(e * log2 b), where 0 gives 0 and a negative base is an
// invalid operation. Intermediate values are extended; the result is rounded
// to single precision. Throws ArithmeticError for the three faults.
float singlePrecisionPower(float base, float exponent);

// The text's value rounded to single precision; nothing for a text that is
// no number or a value beyond the single range.
std::optional<float> parseSingle(const QString& text, QChar separator);

// The square root of the text's value, both held in single precision;
// nothing for a text that is no number, a negative value or one beyond the
// single range.
std::optional<float> singleSquareRoot(const QString& text, QChar separator);

// The text's value rounded to single precision and truncated toward zero.
struct IntegerPart {
    enum class Status { Ok, NotANumber, OutOfRange };
    Status status = Status::NotANumber;
    std::int32_t value = 0;
};
IntegerPart singleIntegerPart(const QString& text, QChar separator);

} // namespace numra
