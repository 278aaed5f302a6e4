// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A value or an outcome as one line of text, so table-driven tests compare
// and print them directly ("Integer 7", "Double 3.5", "Decimal 3.5",
// "error: Type mismatch").

#include "eval/scriptvalue.h"

#include <QString>
#include <ostream>
#include <string>

namespace numra::testing {

// Every digit of a decimal, in plain notation with a point; trailing zeros
// after the point are dropped ("3.5", "-0.125", "1234000", "1E+400" stays
// plain: "1" and 400 zeros).
inline std::string exactText(const Decimal& value)
{
    const Decimal::Parts p = value.parts();
    std::string digits;
    for (UInt128 c = p.coefficient; c != 0; c /= 10)
        digits.insert(digits.begin(), char('0' + int(c % 10)));
    if (digits.empty())
        return "0";
    int exponent = p.exponent;
    while (exponent < 0 && digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    if (exponent >= 0) {
        digits.append(std::size_t(exponent), '0');
    } else {
        const auto decimals = std::size_t(-exponent);
        if (digits.size() <= decimals)
            digits.insert(0, decimals - digits.size() + 1, '0');
        digits.insert(digits.size() - decimals, 1, '.');
    }
    return (p.negative ? "-" : "") + digits;
}

inline std::string describe(const ScriptValue& value)
{
    const QString kind = kindName(value.kind());
    switch (value.kind()) {
    case ValueKind::Decimal: // messages call it Double
        return "Decimal " + exactText(value.decimalPayload());
    case ValueKind::Empty:
    case ValueKind::Null:
        return kind.toStdString();
    case ValueKind::Boolean:
        return (kind + (value.intPayload() ? u" true"_qs : u" false"_qs)).toStdString();
    case ValueKind::Double:
    case ValueKind::Date:
        return (kind + u' ' + QString::number(value.realPayload(), 'g', 17)).toStdString();
    default:
        if (value.isText())
            return (kind + u" '"_qs + value.textPayload() + u'\'').toStdString();
        return (kind + u' ' + QString::number(value.intPayload())).toStdString();
    }
}

} // namespace numra::testing

// Failing comparisons of texts print them readably.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
