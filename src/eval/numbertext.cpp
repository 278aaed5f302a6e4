// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/numbertext.h"

#include "eval/errors.h"

#include <QLocale>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace numra {

namespace {

// The value's decimal expansion to 18 significant digits, rounded to nearest:
// value = 0.d0 d1 ... d17 * 10^(exponent + 1), i.e. d0 has weight 10^exponent.
struct Decimal18 {
    std::array<char, 18> digits{};
    int exponent = 0;
    bool negative = false;
    bool zero = false;
};

Decimal18 expand18(long double value)
{
    Decimal18 d;
    d.negative = std::signbit(value);
    if (value == 0) {
        d.zero = true;
        d.digits.fill('0');
        return d;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Le", std::fabs(value));
    // buf: "d.ddddddddddddddddde+XX"
    d.digits[0] = buf[0];
    for (int i = 1; i < 18; ++i)
        d.digits[i] = buf[i + 1];
    d.exponent = std::atoi(buf + 20);
    return d;
}

// Rounds digits[0..keep) up in magnitude by one unit of the last kept digit.
// Returns true when the carry ran out of the front ("999" -> "000", +1 digit).
bool roundUp(char* digits, int keep)
{
    for (int i = keep - 1; i >= 0; --i) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

// The 15 significant digits the general form shows: the 18-digit expansion
// rounded on its 16th digit alone.
struct Decimal15 {
    std::array<char, 15> digits{};
    int exponent = 0; // weight of digits[0] is 10^exponent
    bool negative = false;
};

Decimal15 roundTo15(long double value)
{
    const Decimal18 d = expand18(value);
    Decimal15 r;
    std::copy(d.digits.begin(), d.digits.begin() + 15, r.digits.begin());
    r.exponent = d.exponent;
    r.negative = d.negative;
    if (d.digits[15] >= '5' && roundUp(r.digits.data(), 15)) {
        r.digits[0] = '1';
        ++r.exponent;
    }
    return r;
}

// The magnitude in hundredths as decimal digits, at least three ("005" for
// 0.05): the 15-digit form rounded at its second decimal, halves away from
// zero. A value that rounds to zero has no sign.
struct Hundredths {
    std::string digits;
    bool negative = false;
};

Hundredths hundredths(long double value)
{
    const Decimal15 d = roundTo15(value);
    const int keep = d.exponent + 3; // digits down to the one worth 10^-2
    Hundredths h;
    for (int i = 0; i < keep; ++i)
        h.digits += i < 15 ? d.digits[size_t(i)] : '0';
    if (keep >= 0 && keep < 15 && d.digits[size_t(keep)] >= '5' && roundUp(h.digits.data(), keep))
        h.digits.insert(h.digits.begin(), '1');
    if (h.digits.size() < 3)
        h.digits.insert(0, 3 - h.digits.size(), '0');
    h.negative = d.negative && h.digits.find_first_not_of('0') != std::string::npos;
    return h;
}

QString fromLatin(const std::string& s) { return QString::fromLatin1(s.data(), qsizetype(s.size())); }

} // namespace

QString formatGeneral(long double value, QChar separator)
{
    const Decimal15 d = roundTo15(value);
    int count = 15;
    while (count > 0 && d.digits[count - 1] == '0')
        --count;
    if (count == 0)
        return QStringLiteral("0");

    const char* digits = d.digits.data();
    const int exponent = d.exponent;
    const char sep = char(separator.unicode() < 128 ? separator.unicode() : '?');
    std::string out;
    out.reserve(40);
    if (d.negative)
        out += '-';
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            out += '0';
            out += sep;
            out.append(size_t(-exponent - 1), '0');
            out.append(digits, size_t(count));
        } else {
            const int intDigits = exponent + 1;
            for (int i = 0; i < intDigits; ++i)
                out += i < count ? digits[i] : '0';
            if (count > intDigits) {
                out += sep;
                out.append(digits + intDigits, size_t(count - intDigits));
            }
        }
    } else {
        out += digits[0];
        if (count > 1) {
            out += sep;
            out.append(digits + 1, size_t(count - 1));
        }
        out += 'E';
        out += std::to_string(exponent);
    }
    QString result = fromLatin(out);
    if (separator.unicode() >= 128)
        result.replace(u'?', separator);
    return result;
}

QString formatTwoDecimals(long double value, QChar separator)
{
    if (std::fabs(value) >= 1e18L)
        return formatGeneral(value, separator);
    const Hundredths h = hundredths(value);
    QString out;
    out.reserve(qsizetype(h.digits.size()) + 2);
    if (h.negative)
        out += u'-';
    out += QLatin1StringView(h.digits.data(), qsizetype(h.digits.size() - 2));
    out += separator;
    out += QLatin1StringView(h.digits.data() + h.digits.size() - 2, 2);
    return out;
}

std::optional<std::int64_t> hundredthsOf(long double value)
{
    if (!(std::fabs(value) < 1e16L))
        return std::nullopt;
    const Hundredths h = hundredths(value);
    std::int64_t count = 0;
    for (char digit : h.digits)
        count = count * 10 + (digit - '0');
    return h.negative ? -count : count;
}

QString formatHundredths(std::int64_t count, QChar separator)
{
    const std::uint64_t magnitude = count < 0 ? 0 - std::uint64_t(count) : std::uint64_t(count);
    const QString digits = QString::number(magnitude).rightJustified(3, u'0');
    QString out = count < 0 ? QStringLiteral("-") : QString();
    out += QStringView(digits).left(digits.size() - 2);
    out += separator;
    out += QStringView(digits).right(2);
    return out;
}

bool tryParseNumber(const QString& text, QChar separator, long double& value)
{
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && text[i] == u' ')
        ++i;
    while (end > i && text[end - 1] == u' ')
        --end;
    if (i == end)
        return false;

    std::string number; // normalised for strtold: sign, digits, '.', digits, 'e', exponent
    auto isDigit = [&](qsizetype k) { return k < end && text[k] >= u'0' && text[k] <= u'9'; };
    if (text[i] == u'+' || text[i] == u'-')
        number += char(text[i++].unicode());
    // A sign alone is no number; the separator alone reads as 0.
    const qsizetype mantissaStart = i;
    number += '0';
    while (isDigit(i))
        number += char(text[i++].unicode());
    if (i < end && text[i] == separator) {
        ++i;
        number += '.';
        while (isDigit(i))
            number += char(text[i++].unicode());
    }
    if (i == mantissaStart)
        return false;
    if (i < end && (text[i] == u'E' || text[i] == u'e')) {
        ++i;
        number += 'e';
        if (i < end && (text[i] == u'+' || text[i] == u'-'))
            number += char(text[i++].unicode());
        if (!isDigit(i))
            return false;
        while (isDigit(i))
            number += char(text[i++].unicode());
    }
    if (i != end)
        return false;

    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    errno = 0;
    const long double parsed = strtold_l(number.c_str(), nullptr, cLocale);
    if (errno == ERANGE && std::isinf(parsed))
        return false;
    value = parsed;
    return true;
}

long double parseNumber(const QString& text, QChar separator)
{
    long double value = 0;
    if (!tryParseNumber(text, separator, value))
        throw ConvertError::notAFloat(text);
    return value;
}

QChar systemDecimalSeparator()
{
    const QString point = QLocale::system().decimalPoint();
    return point.isEmpty() ? QChar(u'.') : point.front();
}

} // namespace numra
