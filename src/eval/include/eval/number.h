// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The arithmetic an evaluation computes in, and a result as the calculator
// keeps it beside the text it shows.

#include "eval/decimal.h"
#include "eval/numbertext.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace numra {

// Binary: extended precision with values rounded to doubles, the default.
// Decimal: the exact mode, decimal values of 34 digits (Decimal).
enum class Arithmetic : std::uint8_t { Binary, Decimal };

class Number {
public:
    Number() = default; // the binary zero
    static Number binary(long double value)
    {
        Number n;
        n.binary_ = value;
        return n;
    }
    static Number decimal(const Decimal& value)
    {
        Number n;
        n.arithmetic_ = Arithmetic::Decimal;
        n.decimal_ = value;
        return n;
    }

    Arithmetic arithmetic() const { return arithmetic_; }
    bool isDecimal() const { return arithmetic_ == Arithmetic::Decimal; }
    // The value of a binary number; of a decimal one the nearest extended value.
    long double binaryValue() const { return isDecimal() ? decimal_.toLongDouble() : binary_; }
    // The value of a decimal number; of a binary one its value rounded to
    // 34 digits.
    Decimal decimalValue() const { return isDecimal() ? decimal_ : Decimal::fromLongDouble(binary_); }

private:
    Arithmetic arithmetic_ = Arithmetic::Binary;
    long double binary_ = 0;
    Decimal decimal_;
};

// The forms of numbertext.h for either kind of number.
NumberText generalForm(const Number& value, QChar separator);
NumberText twoDecimalForm(const Number& value, QChar separator);
std::optional<std::int64_t> hundredthsOf(const Number& value);

// tryParseNumber or tryParseDecimal, as the arithmetic says.
bool tryParseNumber(QStringView text, QChar separator, Arithmetic arithmetic, Number& value);
// parseNumber or parseDecimal: throws ConvertError for a text that is no number.
Number parseNumber(const QString& text, QChar separator, Arithmetic arithmetic);

} // namespace numra
