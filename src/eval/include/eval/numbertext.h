// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers as text and back, with the user's regional decimal separator passed
// in by the caller. No thousands separators are written or accepted. Each
// form is there for the binary arithmetic's extended values and for the
// exact mode's decimal values.

#include "eval/decimal.h"

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

namespace numra {

// A number's text in a fixed buffer, so that writing it allocates nothing.
class NumberText {
public:
    QStringView view() const { return QStringView(chars_.data(), size_); }
    QString toString() const { return view().toString(); }

    void append(char16_t c) { chars_[std::size_t(size_++)] = c; }
    // value with exactly count digits, leading zeros included.
    void appendDigits(std::uint64_t value, int count);
    void appendZeros(int count);
    // Writing digits at once and the separator into them is quicker than
    // splitting the number.
    void insert(qsizetype position, char16_t c);

private:
    // The longest text: a sign, 21 digits, the separator and two decimals.
    // Only the first size_ characters are ever written or read.
    std::array<char16_t, 32> chars_;
    qsizetype size_ = 0;
};

// Results of "=" without rounding: 15 significant digits, trailing zeros
// dropped, fixed notation for 1E-4 <= |v| < 1E15, otherwise "1,5E20".
// Infinities and NaN read "INF", "-INF" and "NAN".
NumberText generalForm(long double value, QChar separator);
QString formatGeneral(long double value, QChar separator);

// Pattern "0.00": the 15 significant digits of the general form rounded at
// the second decimal, halves away from zero (2.675 gives "2,68" although its
// double lies below 2.675); no sign on a zero result; values from 1E18 on
// fall back to the general form.
NumberText twoDecimalForm(long double value, QChar separator);
QString formatTwoDecimals(long double value, QChar separator);

// The value in hundredths, rounded as the two-decimal form rounds it (2.675
// gives 268); nothing from 1E16 on.
std::optional<std::int64_t> hundredthsOf(long double value);

// A count of hundredths in the two-decimal form: -5 gives "-0,05".
QString formatHundredths(std::int64_t count, QChar separator);

// Blanks U+0020 at both ends, optional sign, digits, separator and digits
// (at least one digit or the separator), optional exponent. Returns false
// for any other text or a value beyond the extended range. The value is
// rounded to nearest, as strtold rounds it.
bool tryParseNumber(QStringView text, QChar separator, long double& value);

// digits * 10^scale rounded to nearest, when that takes one exact operation
// (|scale| at most 27), as the number texts are read; nullopt otherwise.
std::optional<long double> exactDecimalValue(std::uint64_t digits, int scale);

// As tryParseNumber, but throws ConvertError "'%s' ist kein gültiger
// Gleitkommawert" with the text as given.
long double parseNumber(const QString& text, QChar separator);

// The decimal forms take their digits from the exact value: the general form
// rounds it at the 15th significant digit, the two-decimal form and
// hundredthsOf at the second decimal, halves away from zero, so every digit
// shown is the value's own, correctly rounded. The thresholds are the same.
NumberText generalForm(const Decimal& value, QChar separator);
QString formatGeneral(const Decimal& value, QChar separator);
NumberText twoDecimalForm(const Decimal& value, QChar separator);
QString formatTwoDecimals(const Decimal& value, QChar separator);
std::optional<std::int64_t> hundredthsOf(const Decimal& value);

// The texts tryParseNumber reads, held exactly up to 34 significant digits
// and rounded half to even beyond. A value too large for the extended range
// is no number here either, so a text is refused in both modes or in neither;
// one too small for it is zero.
bool tryParseDecimal(QStringView text, QChar separator, Decimal& value);
// As tryParseDecimal, but throws ConvertError as parseNumber does.
Decimal parseDecimal(const QString& text, QChar separator);

// The separator of the user's locale (LC_ALL, LC_NUMERIC, LANG).
QChar systemDecimalSeparator();

} // namespace numra
