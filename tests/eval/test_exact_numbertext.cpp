// SPDX-License-Identifier: GPL-3.0-or-later
// The number texts against glibc's exact printf and strtold (the reference
// in printfreference.h): hard cases first, then a million random doubles and
// extended values, then random number texts.

#include "eval/decimal18.h"
#include "eval/numbertext.h"
#include "printfreference.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using namespace numra;

namespace {

std::string show(long double value)
{
    char text[96];
    std::snprintf(text, sizeof text, "%.21Lg (%La)", value, value);
    return text;
}

std::optional<std::int64_t> referenceHundredths(long double value, const Decimal18& d)
{
    if (!(std::fabs(value) < 1e16L))
        return std::nullopt;
    bool negative = false;
    const std::int64_t magnitude = std::stoll(reference::hundredthDigits(d, negative));
    return negative ? -magnitude : magnitude;
}

// Counts the values whose digits or texts differ from the reference and
// reports the first few of them.
class Differences {
public:
    void check(long double value)
    {
        const Decimal18 ours = decimal18(value);
        const Decimal18 theirs = reference::decimal18(value);
        const QString general = formatGeneral(value, u',');
        const QString twoDecimals = formatTwoDecimals(value, u',');
        const QString theirGeneral = reference::generalForm(theirs, ',');
        const QString theirTwoDecimals = reference::twoDecimalForm(value, theirs, ',');
        if (ours.digits == theirs.digits && ours.exponent == theirs.exponent && ours.negative == theirs.negative
            && general == theirGeneral && twoDecimals == theirTwoDecimals
            && hundredthsOf(value) == referenceHundredths(value, theirs))
            return;
        if (++count_ <= 10) {
            ADD_FAILURE() << show(value) << ": digits " << ours.digits << "E" << ours.exponent << " against "
                          << theirs.digits << "E" << theirs.exponent << ", general " << general.toStdString()
                          << " against " << theirGeneral.toStdString() << ", two decimals "
                          << twoDecimals.toStdString() << " against " << theirTwoDecimals.toStdString();
        }
    }
    int count() const { return count_; }

private:
    int count_ = 0;
};

long double extended(std::uint64_t mantissa, int biasedExponent, bool negative)
{
    long double value = 0;
    const auto signAndExponent = std::uint16_t((negative ? 0x8000 : 0) | biasedExponent);
    std::memcpy(&value, &mantissa, sizeof mantissa);
    std::memcpy(reinterpret_cast<char*>(&value) + 8, &signAndExponent, sizeof signAndExponent);
    return value;
}

// Values where a digit generator goes wrong: ties at the 18th and at the
// 16th digit, both borders of the fixed notation, carries into a new power
// of ten, subnormals and the largest values of each format.
TEST(ExactNumberText, HardCasesMatchPrintf)
{
    const long double cases[] = {
        1234567890123456785.0L, 1234567890123456775.0L, 1000000000000000005.0L, 1000000000000000015.0L,
        9999999999999999995.0L, 999999999999999999.5L, 99999999999999999.95L,
        0.125L, -0.125L, 2.675, 1.005, 0.005, 0.015, 1.0000000000000005L, 0.1234567890123455L,
        999999999999999.0L, 999999999999999.4L, 999999999999999.5L, 999999999999999.6L, 1e15L,
        1e15, 0.0001L, 0.0001, 0.00009999999999999995L, 0.000099999999999999949L, 1e-5L,
        9999999999999999.0L, 1e16L, 99999999999999999.0L, 1e17L, 1e18L, 1e18, 9.2233720368547758e18L,
        18446744073709551615.0L, 18446744073709551616.0L,
        std::numeric_limits<long double>::denorm_min(), std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<float>::denorm_min(), LDBL_MIN, DBL_MIN, FLT_MIN,
        extended(0x7FFFFFFFFFFFFFFFull, 0, false), LDBL_MAX, DBL_MAX, FLT_MAX, -LDBL_MAX, -0.0L, 0.0L,
    };
    Differences differences;
    for (long double value : cases)
        differences.check(value);
    EXPECT_EQ(differences.count(), 0);
}

// Every power of two and of ten of the extended range, with its neighbours.
TEST(ExactNumberText, PowersOfTwoAndTenMatchPrintf)
{
    Differences differences;
    for (int n = -16445; n <= 16383; ++n)
        differences.check(std::ldexp(1.0L, n));
    for (int n = -4950; n <= 4932; ++n) {
        long double power = 0;
        ASSERT_TRUE(reference::parse("1e" + std::to_string(n), power));
        differences.check(power);
        differences.check(std::nextafter(power, 0.0L));
        differences.check(std::nextafter(power, LDBL_MAX));
    }
    EXPECT_EQ(differences.count(), 0);
}

// Random bit patterns over the whole range of both formats, and amounts as
// an office computes them.
TEST(ExactNumberText, AMillionRandomValuesMatchPrintf)
{
    std::mt19937_64 random(20260417);
    Differences differences;
    for (int i = 0; i < 400000; ++i) {
        double value = 0;
        const std::uint64_t bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            differences.check(value);
    }
    for (int i = 0; i < 200000; ++i) {
        const double amount = double(random() % 100000000) / 100;
        const double rates[] = {1.19, 1 / 1.19, 0.97, 4.95, double(random() % 40 + 2)};
        differences.check(amount * rates[random() % 5]);
    }
    for (int i = 0; i < 150000; ++i) {
        const std::uint64_t mantissa = random() | 1ull << 63;
        const int biasedExponent = int(random() % 0x7FFF); // 0: subnormal
        differences.check(extended(biasedExponent == 0 ? mantissa >> 1 : mantissa, biasedExponent, random() & 1));
    }
    for (int i = 0; i < 250000; ++i) { // the range of office results, 1E-30 to 1E30
        const int biasedExponent = 16383 + int(random() % 200) - 100;
        differences.check(extended(random() | 1ull << 63, biasedExponent, random() & 1));
    }
    EXPECT_EQ(differences.count(), 0);
}

// Texts of up to 25 digits with a separator anywhere and an exponent now and
// then, read as strtold reads them.
TEST(ExactNumberText, RandomTextsReadAsStrtoldReadsThem)
{
    std::mt19937_64 random(7);
    int differences = 0;
    for (int i = 0; i < 200000 && differences < 10; ++i) {
        std::string digits;
        const int count = int(random() % 25) + 1;
        for (int d = 0; d < count; ++d)
            digits += char('0' + random() % 10);
        const std::size_t point = random() % (digits.size() + 1);
        std::string ours = random() % 2 == 0 ? "-" : "";
        std::string theirs = ours;
        ours.append(digits, 0, point).append(1, ',').append(digits, point);
        theirs.append(digits, 0, point).append(1, '.').append(digits, point);
        if (random() % 4 == 0) {
            const std::string exponent = std::to_string(int(random() % 90) - 45);
            ours += 'E' + exponent;
            theirs += 'e' + exponent;
        }
        long double ourValue = 0;
        long double theirValue = 0;
        ASSERT_TRUE(tryParseNumber(QString::fromStdString(ours), u',', ourValue)) << ours;
        ASSERT_TRUE(reference::parse(theirs, theirValue)) << theirs;
        if (std::memcmp(&ourValue, &theirValue, 10) != 0 && ++differences <= 10)
            ADD_FAILURE() << ours << ": " << show(ourValue) << " against " << show(theirValue);
    }
    EXPECT_EQ(differences, 0);
}

} // namespace
