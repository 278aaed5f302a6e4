// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/numbertext.h"

#include "numbertextparts.h"

#include "eval/charclass.h"
#include "eval/decimal18.h"
#include "eval/errors.h"

#include <QLocale>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace numra {

namespace {

using textparts::Digits15;
using textparts::Hundredths;
using textparts::digitCount;
using textparts::roundTo15;

// The magnitude in hundredths: the 15-digit form rounded at its second
// decimal, halves away from zero. Values from 1E12 on have no decimals beyond
// the 15 digits, so only zeros are appended.
Hundredths hundredths(long double value)
{
    const Digits15 d = roundTo15(value);
    Hundredths h;
    const int dropped = 12 - d.exponent; // digits below the one worth 10^-2
    if (dropped <= 0) {
        h.count = d.digits;
        h.zeros = -dropped;
    } else if (dropped <= 15) {
        h.count = d.digits / kPowersOf10[dropped];
        if (d.digits / kPowersOf10[dropped - 1] % 10 >= 5)
            ++h.count;
    }
    h.negative = d.negative && h.count != 0;
    return h;
}

void appendExponent(NumberText& out, int exponent)
{
    out.append(u'E');
    if (exponent < 0)
        out.append(u'-');
    const auto magnitude = std::uint64_t(exponent < 0 ? -exponent : exponent);
    out.appendDigits(magnitude, digitCount(magnitude));
}

NumberText nonFiniteText(long double value)
{
    NumberText out;
    const char16_t* text = std::isnan(value) ? u"NAN" : (value < 0 ? u"-INF" : u"INF");
    for (; *text != u'\0'; ++text)
        out.append(*text);
    return out;
}

// "00" to "99".
constexpr auto kDigitPairs = [] {
    std::array<char16_t, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[std::size_t(2 * i)] = char16_t(u'0' + i / 10);
        pairs[std::size_t(2 * i + 1)] = char16_t(u'0' + i % 10);
    }
    return pairs;
}();

// Writes value's last count digits backwards from end, two at a time, in
// 32-bit arithmetic; returns where they start.
char16_t* writeDigitsBackwards(char16_t* end, std::uint32_t value, int count)
{
    for (; count >= 2; count -= 2) {
        end -= 2;
        std::memcpy(end, &kDigitPairs[std::size_t(value % 100) * 2], 2 * sizeof(char16_t));
        value /= 100;
    }
    if (count == 1)
        *--end = char16_t(u'0' + value % 10);
    return end;
}

} // namespace

void NumberText::appendDigits(std::uint64_t value, int count)
{
    constexpr std::uint32_t kChunk = 100000000; // eight digits
    size_ += count;
    char16_t* end = chars_.data() + size_;
    for (; count > 8; count -= 8) {
        end = writeDigitsBackwards(end, std::uint32_t(value % kChunk), 8);
        value /= kChunk;
    }
    writeDigitsBackwards(end, std::uint32_t(value), count);
}

void NumberText::insert(qsizetype position, char16_t c)
{
    std::memmove(&chars_[std::size_t(position + 1)], &chars_[std::size_t(position)],
                 std::size_t(size_ - position) * sizeof(char16_t));
    chars_[std::size_t(position)] = c;
    ++size_;
}

void NumberText::appendZeros(int count)
{
    for (; count > 0; --count)
        append(u'0');
}

namespace textparts {

// The 18-digit expansion rounded on its 16th digit alone.
Digits15 roundTo15(long double value)
{
    const Decimal18 d = decimal18(value);
    Digits15 r{d.digits / 1000, d.exponent, d.negative};
    if (d.digits % 1000 >= 500 && ++r.digits == kPowersOf10[15]) {
        r.digits = kPowersOf10[14];
        ++r.exponent;
    }
    return r;
}

int digitCount(std::uint64_t value)
{
    int count = 1;
    while (count < 20 && value >= kPowersOf10[count])
        ++count;
    return count;
}

NumberText hundredthsText(const Hundredths& h, QChar separator)
{
    NumberText out;
    if (h.negative)
        out.append(u'-');
    if (h.zeros > 2) { // beyond 64 bits from 1E17 on
        out.appendDigits(h.count, digitCount(h.count));
        out.appendZeros(h.zeros - 2);
        out.append(separator.unicode());
        out.appendZeros(2);
        return out;
    }
    const std::uint64_t count = h.count * kPowersOf10[h.zeros];
    out.appendDigits(count / 100, digitCount(count / 100));
    out.append(separator.unicode());
    out.appendDigits(count % 100, 2);
    return out;
}

NumberText generalText(const Digits15& d, QChar separator)
{
    NumberText out;
    if (d.digits == 0) {
        out.append(u'0');
        return out;
    }
    int count = 15; // significant digits without the trailing zeros
    std::uint64_t digits = d.digits;
    for (int zeros : {8, 4, 2, 1}) { // in halving steps: amounts have many
        if (digits % kPowersOf10[zeros] == 0) {
            digits /= kPowersOf10[zeros];
            count -= zeros;
        }
    }
    const int exponent = d.exponent;
    const char16_t sep = separator.unicode();
    if (d.negative)
        out.append(u'-');
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            out.append(u'0');
            out.append(sep);
            out.appendZeros(-exponent - 1);
            out.appendDigits(digits, count);
        } else if (count <= exponent + 1) {
            out.appendDigits(digits, count);
            out.appendZeros(exponent + 1 - count);
        } else {
            out.appendDigits(digits, count);
            out.insert(out.view().size() - (count - exponent - 1), sep);
        }
    } else {
        out.appendDigits(digits, count);
        if (count > 1)
            out.insert(out.view().size() - (count - 1), sep);
        appendExponent(out, exponent);
    }
    return out;
}

} // namespace textparts

NumberText generalForm(long double value, QChar separator)
{
    if (!std::isfinite(value))
        return nonFiniteText(value);
    return textparts::generalText(roundTo15(value), separator);
}

QString formatGeneral(long double value, QChar separator)
{
    return generalForm(value, separator).toString();
}

NumberText twoDecimalForm(long double value, QChar separator)
{
    if (!(std::fabs(value) < 1e18L))
        return generalForm(value, separator);
    return textparts::hundredthsText(hundredths(value), separator);
}

QString formatTwoDecimals(long double value, QChar separator)
{
    return twoDecimalForm(value, separator).toString();
}

// digits * 10^scale; beyond the powers that make it one exact operation
// (|value| from about 1E42 on, or below 1E-13) the last of its 19 digits may
// differ from the text's, which no sum of shown values can show.
static long double decimalValue(std::uint64_t digits, int scale, bool negative)
{
    // Not value_or, which would compute the power for every value.
    const std::optional<long double> exact = exactDecimalValue(digits, scale);
    const long double magnitude = exact ? *exact : digits * std::pow(10.0L, scale);
    return negative ? -magnitude : magnitude;
}

std::optional<std::int64_t> hundredthsOf(long double value)
{
    if (!(std::fabs(value) < 1e16L))
        return std::nullopt;
    const Hundredths h = hundredths(value);
    const auto magnitude = std::int64_t(h.count * kPowersOf10[h.zeros]);
    return h.negative ? -magnitude : magnitude;
}

QString formatHundredths(std::int64_t count, QChar separator)
{
    const std::uint64_t magnitude = count < 0 ? 0 - std::uint64_t(count) : std::uint64_t(count);
    return textparts::hundredthsText(Hundredths{magnitude, 0, count < 0}, separator).toString();
}

namespace textparts {

namespace {

QStringView digitsAt(QStringView text, qsizetype& i)
{
    const qsizetype start = i;
    while (i < text.size() && charclass::isDigit(text[i].unicode()))
        ++i;
    return text.sliced(start, i - start);
}

} // namespace

std::optional<NumberParts> splitNumber(QStringView text, QChar separator)
{
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && text[i] == u' ')
        ++i;
    while (end > i && text[end - 1] == u' ')
        --end;
    text = text.sliced(i, end - i);
    i = 0;
    NumberParts parts;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-'))
        parts.negative = text[i++] == u'-';
    // A sign alone is no number; the separator alone reads as 0.
    const qsizetype mantissaStart = i;
    parts.integerDigits = digitsAt(text, i);
    if (i < text.size() && text[i] == separator) {
        ++i;
        parts.fractionDigits = digitsAt(text, i);
    }
    if (i == mantissaStart)
        return std::nullopt;
    if (i < text.size() && (text[i] == u'E' || text[i] == u'e')) {
        const qsizetype start = ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        if (digitsAt(text, i).isEmpty())
            return std::nullopt;
        parts.exponent = text.sliced(start, i - start);
    }
    if (i != text.size())
        return std::nullopt;
    return parts;
}

} // namespace textparts

namespace {

using textparts::NumberParts;

constexpr int kExactPowers = 27; // 10^27 = 2^27 * 5^27 and 5^27 < 2^64

constexpr std::array<long double, kExactPowers + 1> kExactPowersOf10 = [] {
    std::array<long double, kExactPowers + 1> powers{};
    long double power = 1;
    for (long double& p : powers) {
        p = power;
        power *= 10;
    }
    return powers;
}();

bool exactDecimal(bool negative, std::uint64_t digits, int scale, long double& value)
{
    const std::optional<long double> magnitude = exactDecimalValue(digits, scale);
    if (magnitude)
        value = negative ? -*magnitude : *magnitude;
    return magnitude.has_value();
}

// The commonest texts in one pass: a sign, at most 19 significant digits
// and a separator among them, nothing else. False leaves the text to
// splitNumber(), which also decides whether it is a number at all.
bool readPlainQuickly(QStringView text, QChar separator, long double& value)
{
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == u'-';
    if (!text.isEmpty() && (text[0] == u'+' || negative))
        ++i;
    if (i == text.size())
        return false;
    std::uint64_t digits = 0;
    int significant = 0;
    int scale = 0;
    bool separated = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            if ((digits != 0 || c != u'0') && ++significant > 19)
                return false;
            digits = digits * 10 + (c - u'0');
            scale -= separated;
        } else if (text[i] == separator && !separated) {
            separated = true;
        } else {
            return false;
        }
    }
    return exactDecimal(negative, digits, scale, value);
}

// As exactDecimal() for any split number text.
bool readQuickly(const NumberParts& parts, long double& value)
{
    std::uint64_t digits = 0;
    int significant = 0;
    int scale = -int(parts.fractionDigits.size());
    for (QStringView run : {parts.integerDigits, parts.fractionDigits}) {
        for (QChar c : run) {
            if (digits == 0 && c == u'0')
                continue; // leading zeros
            if (++significant > 19)
                return false;
            digits = digits * 10 + (c.unicode() - u'0');
        }
    }
    if (!parts.exponent.isEmpty()) {
        if (parts.exponent.size() > 6)
            return false;
        int exponent = 0;
        for (QChar c : parts.exponent)
            exponent = charclass::isDigit(c.unicode()) ? exponent * 10 + (c.unicode() - u'0') : exponent;
        scale += parts.exponent[0] == u'-' ? -exponent : exponent;
    }
    return exactDecimal(parts.negative, digits, scale, value);
}

// Any other number through strtold, whose rounding is exact.
bool readSlowly(const NumberParts& parts, long double& value)
{
    std::string number = parts.negative ? "-0" : "0";
    const auto appendAscii = [&](QStringView run) {
        for (QChar c : run)
            number += char(c.unicode());
    };
    appendAscii(parts.integerDigits);
    number += '.';
    appendAscii(parts.fractionDigits);
    if (!parts.exponent.isEmpty()) {
        number += 'e';
        appendAscii(parts.exponent);
    }
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    errno = 0;
    const long double parsed = strtold_l(number.c_str(), nullptr, cLocale);
    if (errno == ERANGE && std::isinf(parsed))
        return false;
    value = parsed;
    return true;
}

} // namespace

// The digits are below 2^64 and a power of ten up to 10^27 is exact in
// extended precision (5^27 < 2^64), so one multiplication or division rounds
// the value as strtold does (Clinger's fast path).
std::optional<long double> exactDecimalValue(std::uint64_t digits, int scale)
{
    if (digits == 0)
        return 0.0L;
    if (scale < -kExactPowers || scale > kExactPowers)
        return std::nullopt;
    const long double value = static_cast<long double>(digits);
    return scale < 0 ? value / kExactPowersOf10[std::size_t(-scale)] : value * kExactPowersOf10[std::size_t(scale)];
}

bool tryParseNumber(QStringView text, QChar separator, long double& value)
{
    if (readPlainQuickly(text, separator, value))
        return true;
    const std::optional<NumberParts> parts = textparts::splitNumber(text, separator);
    if (!parts)
        return false;
    return readQuickly(*parts, value) || readSlowly(*parts, value);
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
