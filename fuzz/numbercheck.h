// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks on a computed value and on the two texts the calculator shows for it.

#include "fuzzcheck.h"

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

} // namespace numra::fuzz
