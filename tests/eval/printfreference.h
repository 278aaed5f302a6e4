// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The number texts as glibc's exact printf and strtold give them: the
// reference that the conversions without printf must match digit for digit.
// Slow and allocating on purpose; only tests use it.

#include "eval/decimal18.h"

#include <QString>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace numra::reference {

// "%.17Le": d.ddddddddddddddddde+XX, rounded to nearest by glibc.
inline Decimal18 decimal18(long double value)
{
    Decimal18 d;
    d.negative = std::signbit(value);
    if (value == 0)
        return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Le", std::fabs(value));
    std::string digits(1, buf[0]);
    digits.append(buf + 2, 17);
    d.digits = std::stoull(digits);
    d.exponent = std::atoi(buf + 20);
    return d;
}

// The 15 digits the general form shows, as text, and the weight of the first.
inline std::string digits15(const Decimal18& d, int& exponent)
{
    std::uint64_t digits = d.digits / 1000 + (d.digits % 1000 >= 500 ? 1 : 0);
    exponent = d.exponent;
    if (digits == kPowersOf10[15]) {
        digits /= 10;
        ++exponent;
    }
    return digits == 0 ? std::string(15, '0') : std::to_string(digits);
}

// The forms take the value's expansion, so that a test that checks them all
// calls printf once.
inline QString generalForm(const Decimal18& d, char separator)
{
    int exponent = 0;
    const std::string digits = digits15(d, exponent);
    if (digits[0] == '0')
        return QStringLiteral("0");
    const int count = int(digits.find_last_not_of('0')) + 1;
    std::string out = d.negative ? "-" : "";
    if (exponent >= -4 && exponent < 15 && exponent < 0) {
        out += std::string("0") + separator + std::string(std::size_t(-exponent - 1), '0');
        out += digits.substr(0, std::size_t(count));
    } else if (exponent >= -4 && exponent < 15) {
        const int integerDigits = exponent + 1;
        for (int i = 0; i < integerDigits; ++i)
            out += i < count ? digits[std::size_t(i)] : '0';
        if (count > integerDigits)
            out += separator + digits.substr(std::size_t(integerDigits), std::size_t(count - integerDigits));
    } else {
        out += digits[0];
        if (count > 1)
            out += separator + digits.substr(1, std::size_t(count - 1));
        out += 'E' + std::to_string(exponent);
    }
    return QString::fromStdString(out);
}

// Hundredths as decimal digits, at least three, rounded halves away from zero.
inline std::string hundredthDigits(const Decimal18& d, bool& negative)
{
    int exponent = 0;
    const std::string digits = digits15(d, exponent);
    const int keep = exponent + 3;
    std::string h;
    for (int i = 0; i < keep; ++i)
        h += i < 15 ? digits[std::size_t(i)] : '0';
    if (keep >= 0 && keep < 15 && digits[std::size_t(keep)] >= '5') {
        int i = keep - 1;
        for (; i >= 0 && h[std::size_t(i)] == '9'; --i)
            h[std::size_t(i)] = '0';
        if (i < 0)
            h.insert(h.begin(), '1');
        else
            ++h[std::size_t(i)];
    }
    if (h.size() < 3)
        h.insert(0, 3 - h.size(), '0');
    negative = d.negative && h.find_first_not_of('0') != std::string::npos;
    return h;
}

inline QString twoDecimalForm(long double value, const Decimal18& d, char separator)
{
    if (std::fabs(value) >= 1e18L)
        return generalForm(d, separator);
    bool negative = false;
    const std::string h = hundredthDigits(d, negative);
    std::string out = negative ? "-" : "";
    out.append(h, 0, h.size() - 2).append(1, separator).append(h, h.size() - 2);
    return QString::fromStdString(out);
}

// text in strtold's own syntax ("." and "e"); false beyond the range.
inline bool parse(const std::string& text, long double& value)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    errno = 0;
    value = strtold_l(text.c_str(), nullptr, cLocale);
    return !(errno == ERANGE && std::isinf(value));
}

} // namespace numra::reference
