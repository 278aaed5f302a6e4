// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks on a computed value and on the two texts the calculator shows for it.

#include "fuzzcheck.h"

#include "eval/number.h"
#include "eval/numbertext.h"

#include <QRegularExpression>
#include <cmath>

namespace numra::fuzz {

// "-12,5", "1,5E20", "1E-5": digits, at most one separator, an exponent
// without "+" or leading zeros.
inline bool isGeneralForm(const QString& text, QChar separator)
{
    static const QRegularExpression comma(QStringLiteral("^-?[0-9]+(,[0-9]+)?(E-?[1-9][0-9]*)?$"));
    static const QRegularExpression point(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?(E-?[1-9][0-9]*)?$"));
    return (separator == u',' ? comma : point).match(text).hasMatch();
}

// A finite value's shown texts read back as numbers close to it, and a value
// that rounds to zero is shown without a sign.
inline void checkShownValue(long double value, QChar separator)
{
    require(std::isfinite(value));
    const QString general = formatGeneral(value, separator);
    require(isGeneralForm(general, separator));
    require(general != QStringLiteral("-0"));
    long double back = 0;
    require(tryParseNumber(general, separator, back));
    // 15 significant digits; denormals carry fewer.
    if (std::fabs(value) > 1e-4900L)
        require(std::fabs(back - value) <= std::fabs(value) * 1e-14L);

    const QString twoDecimals = formatTwoDecimals(value, separator);
    require(tryParseNumber(twoDecimals, separator, back));
    require(!twoDecimals.startsWith(u'-') || back != 0);
    if (std::fabs(value) < 1e15L) {
        require(twoDecimals.size() >= 4 && twoDecimals[twoDecimals.size() - 3] == separator);
        // Rounded twice: to the 15 significant digits shown, then at the
        // second decimal.
        require(std::fabs(back - value) <= 0.005L + std::fabs(value) * 5e-15L + 1e-15L);
    }
}

// The exact mode's texts are the decimal value rounded once: the general
// form at the 15th significant digit, the two-decimal form at the second
// decimal.
inline void checkShownValue(const Decimal& value, QChar separator)
{
    require(!exceedsRange(value, BinaryRange::Extended));
    const QString general = formatGeneral(value, separator);
    require(isGeneralForm(general, separator));
    require(general != QStringLiteral("-0"));
    Decimal back;
    require(tryParseDecimal(general, separator, back));
    require((back - value).magnitude() <= value.magnitude() * Decimal::fromParts(false, 5, -15));

    const QString twoDecimals = formatTwoDecimals(value, separator);
    require(tryParseDecimal(twoDecimals, separator, back));
    require(!twoDecimals.startsWith(u'-') || !back.isZero());
    if (value.magnitude() < Decimal::fromParts(false, 1, 18)) {
        require(twoDecimals.size() >= 4 && twoDecimals[twoDecimals.size() - 3] == separator);
        require((back - value).magnitude() <= Decimal::fromParts(false, 5, -3));
    }
}

inline void checkShownValue(const Number& value, QChar separator)
{
    if (value.isDecimal())
        checkShownValue(value.decimalValue(), separator);
    else
        checkShownValue(value.binaryValue(), separator);
}

// Errors that depend on the values computed: the arithmetic faults, the
// conversions of values, and "Type mismatch", which stands for a failed
// conversion inside an expression; a number text at the very edge of the
// extended range may read in one arithmetic and not in the other. Every
// other error depends on the text alone, so it comes in both modes alike
// unless a value-dependent one came first.
inline bool dependsOnValues(const QString& message)
{
    static const char* const kValueMessages[] = {
        "Gleitkomma", "Division durch Null", "Integerüberlauf", "Type mismatch",
        "Variante des Typs", "Überlauf bei der Konvertierung", "Ungültige Variantenoperation",
        "ist kein gültiger Gleitkommawert", "Internal interpreter error",
    };
    for (const char* part : kValueMessages)
        if (message.contains(QString::fromUtf8(part)))
            return true;
    return false;
}

// The outcomes of one text in the two arithmetics: where neither ends in a
// value-dependent error, both succeed or both fail with the same message.
inline void checkSameFailure(const std::optional<QString>& binary, const std::optional<QString>& decimal)
{
    if ((binary && dependsOnValues(*binary)) || (decimal && dependsOnValues(*decimal)))
        return;
    require(binary == decimal);
}

} // namespace numra::fuzz
