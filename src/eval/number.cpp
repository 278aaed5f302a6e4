// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/number.h"

namespace numra {

NumberText generalForm(const Number& value, QChar separator)
{
    if (value.isDecimal())
        return generalForm(value.decimalValue(), separator);
    return generalForm(value.binaryValue(), separator);
}

NumberText twoDecimalForm(const Number& value, QChar separator)
{
    if (value.isDecimal())
        return twoDecimalForm(value.decimalValue(), separator);
    return twoDecimalForm(value.binaryValue(), separator);
}

std::optional<std::int64_t> hundredthsOf(const Number& value)
{
    if (value.isDecimal())
        return hundredthsOf(value.decimalValue());
    return hundredthsOf(value.binaryValue());
}

bool tryParseNumber(QStringView text, QChar separator, Arithmetic arithmetic, Number& value)
{
    if (arithmetic == Arithmetic::Decimal) {
        Decimal decimal;
        if (!tryParseDecimal(text, separator, decimal))
            return false;
        value = Number::decimal(decimal);
        return true;
    }
    long double binary = 0;
    if (!tryParseNumber(text, separator, binary))
        return false;
    value = Number::binary(binary);
    return true;
}

Number parseNumber(const QString& text, QChar separator, Arithmetic arithmetic)
{
    if (arithmetic == Arithmetic::Decimal)
        return Number::decimal(parseDecimal(text, separator));
    return Number::binary(parseNumber(text, separator));
}

} // namespace numra
