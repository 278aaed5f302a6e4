// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers as text and back, with the user's regional decimal separator passed
// in by the caller. No thousands separators are written or accepted.

#include <QString>

namespace numra {

// Results of "=" without rounding: 15 significant digits, trailing zeros
// dropped, fixed notation for 1E-4 <= |v| < 1E15, otherwise "1,5E20".
QString formatGeneral(long double value, QChar separator);

// Pattern "0.00": two decimals, halves away from zero, no sign on a zero
// result; values from 1E18 on fall back to the general form.
QString formatTwoDecimals(long double value, QChar separator);

// Blanks U+0020 at both ends, optional sign, digits, separator and digits,
// optional exponent. Returns false for any other text or a value beyond the
// extended range.
bool tryParseNumber(const QString& text, QChar separator, long double& value);

// As tryParseNumber, but throws ConvertError "'%s' ist kein gültiger
// Gleitkommawert" with the text as given.
long double parseNumber(const QString& text, QChar separator);

// The separator of the user's locale (LC_ALL, LC_NUMERIC, LANG).
QChar systemDecimalSeparator();

} // namespace numra
