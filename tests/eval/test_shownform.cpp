// SPDX-License-Identifier: GPL-3.0-or-later
// Results with a number of places and a rounding mode, in both arithmetics,
// and thousands separators in shown numbers.

#include "eval/decimal.h"
#include "eval/digitgrouping.h"
#include "eval/shownform.h"

#include <gtest/gtest.h>

#include <random>

using namespace numra;

namespace {

constexpr RoundingMode kUp = RoundingMode::AwayFromZero;
constexpr RoundingMode kHalf = RoundingMode::HalfAwayFromZero;
constexpr RoundingMode kDown = RoundingMode::TowardZero;
constexpr RoundingMode kModes[] = {kUp, kHalf, kDown};

const char* nameOf(RoundingMode mode)
{
    return mode == kUp ? "aufrunden" : mode == kHalf ? "5/4" : "abrunden";
}

Number binaryOf(const char* text)
{
    Number n;
    EXPECT_TRUE(tryParseNumber(QString::fromUtf8(text), u'.', Arithmetic::Binary, n)) << text;
    return n;
}

Number decimalOf(const char* text)
{
    return Number::decimal(parseDecimal(QString::fromUtf8(text), u'.'));
}

Decimal dec(std::int64_t n)
{
    return Decimal::fromInteger(n);
}

// One value shown in the three modes: the texts for aufrunden, 5/4 and
// abrunden, and whether the places dropped digits.
struct Shown {
    const char* name;
    Number value;
    int places;
    const char* texts[3];
    bool rounded;
};

void expectShown(const Shown& c)
{
    for (int m = 0; m < 3; ++m) {
        const ShownNumber shown = placesForm(c.value, c.places, kModes[m], u',');
        EXPECT_EQ(shown.text.toString(), QString::fromUtf8(c.texts[m])) << c.name << ", " << nameOf(kModes[m]);
        EXPECT_EQ(shown.rounded, c.rounded) << c.name << ", " << nameOf(kModes[m]);
    }
}

// Values written exactly in both arithmetics, so both show the same.
TEST(PlacesForm, RoundsInEachModeAlikeInBothArithmetics)
{
    struct Case {
        const char* name;
        const char* value;
        int places;
        const char* texts[3];
        bool rounded;
    };
    const Case cases[] = {
        {"a half, no places", "2.5", 0, {"3", "3", "2"}, true},
        {"a negative half mirrors", "-2.5", 0, {"-3", "-3", "-2"}, true},
        {"a zero result has no sign", "-0.4", 0, {"-1", "0", "0"}, true},
        {"a cent's half", "0.125", 2, {"0,13", "0,13", "0,12"}, true},
        {"below half a cent", "-0.001", 2, {"-0,01", "0,00", "0,00"}, true},
        {"a whole amount gets its places", "5", 2, {"5,00", "5,00", "5,00"}, false},
        {"four places", "1234.5", 4, {"1234,5000", "1234,5000", "1234,5000"}, false},
        {"four places rounded", "0.33335", 4, {"0,3334", "0,3334", "0,3333"}, true},
        {"a carry into a new digit", "999.9995", 3, {"1000,000", "1000,000", "999,999"}, true},
        {"a millionth of the last place counts", "1.00000001", 2, {"1,01", "1,00", "1,00"}, true},
        {"less than a millionth is noise", "1.000000004", 2, {"1,00", "1,00", "1,00"}, false},
        {"just below the last place is noise too", "2.999999999", 2, {"3,00", "3,00", "3,00"}, false},
        {"a large value with places", "999999999999999000", 1,
         {"999999999999999000,0", "999999999999999000,0", "999999999999999000,0"}, false},
        {"from 1E18 on the general form", "1.5E18", 2, {"1,5E18", "1,5E18", "1,5E18"}, false},
    };
    for (const Case& c : cases) {
        expectShown({c.name, binaryOf(c.value), c.places, {c.texts[0], c.texts[1], c.texts[2]}, c.rounded});
        expectShown({c.name, decimalOf(c.value), c.places, {c.texts[0], c.texts[1], c.texts[2]}, c.rounded});
    }
}

// Values as the formulas compute them, where the arithmetics differ.
TEST(PlacesForm, RoundsWhatEachArithmeticComputes)
{
    const double third = 2.0 / 3; // a script's quotient is a double
    const Shown cases[] = {
        {"2/3 binary", Number::binary(third), 3, {"0,667", "0,667", "0,666"}, true},
        {"-2/3 binary", Number::binary(-third), 3, {"-0,667", "-0,667", "-0,666"}, true},
        {"2/3 exact", Number::decimal(dec(2) / dec(3)), 3, {"0,667", "0,667", "0,666"}, true},
        {"-2/3 exact", Number::decimal(dec(-2) / dec(3)), 3, {"-0,667", "-0,667", "-0,666"}, true},
        // The double nearest 2.675 lies below it; its 15 digits do not.
        {"2.675 binary", Number::binary(2.675), 2, {"2,68", "2,68", "2,67"}, true},
        {"0.1+0.2 binary", Number::binary(0.1 + 0.2), 2, {"0,30", "0,30", "0,30"}, false},
        {"a binary sum that cancels", Number::binary(100.10 - 100 - 0.10), 2, {"0,00", "0,00", "0,00"}, false},
        {"2/3*3 exact", Number::decimal(dec(2) / dec(3) * dec(3)), 2, {"2,00", "2,00", "2,00"}, false},
        {"1/3*3 exact", Number::decimal(dec(1) / dec(3) * dec(3)), 2, {"1,00", "1,00", "1,00"}, false},
        // Half away from zero rounds the exact value once; only the directed
        // modes ignore what lies below a millionth of a cent.
        {"34 digits below a half", decimalOf("4908.324999999999999999999999999999"), 2, {"4908,33", "4908,32", "4908,32"},
         true},
        {"exact 19 digits carry", decimalOf("999999999999999999.5"), 0,
         {"1000000000000000000", "1000000000000000000", "999999999999999999"}, true},
        {"binary beyond the double range", Number::binary(1e400L), 2, {"1E400", "1E400", "1E400"}, false},
    };
    for (const Shown& c : cases)
        expectShown(c);
}

TEST(ShownForm, FreeIsTheGeneralFormAndTwoPlacesHalfAwayTheTwoDecimalForm)
{
    const Number third = Number::binary(1.0 / 3);
    const ShownNumber free = shownForm(third, ShownFormat{}, u',');
    EXPECT_EQ(free.text.toString(), QStringLiteral("0,333333333333333"));
    EXPECT_FALSE(free.rounded);
    EXPECT_EQ(shownForm(third, ShownFormat{2, kDown}, u'.').text.toString(), QStringLiteral("0.33"));

    // Random amounts and quotients, and values of every size in both
    // arithmetics: the texts agree and each value is that of its text.
    std::mt19937_64 random(26);
    for (int i = 0; i < 20000; ++i) {
        const double amount = double(random() % 100000000) / 100;
        const double rates[] = {1.19, 1 / 1.19, 0.97, 1 / 3.0, std::ldexp(1.0, int(random() % 140) - 70)};
        const long double binary = amount * rates[random() % 5] * (random() % 2 ? 1 : -1);
        const Decimal decimal = Decimal::fromLongDouble(binary) / dec(std::int64_t(random() % 9) + 1);
        for (const Number& n : {Number::binary(binary), Number::decimal(decimal)}) {
            const QString context = formatGeneral(n.binaryValue(), u'.');
            EXPECT_EQ(placesForm(n, 2, kHalf, u',').text.toString(), twoDecimalForm(n, u',').toString()) << context.toStdString();
            EXPECT_EQ(shownForm(n, ShownFormat{}, u',').text.toString(), generalForm(n, u',').toString()) << context.toStdString();
            for (const ShownFormat& format : {ShownFormat{}, ShownFormat{0, kUp}, ShownFormat{3, kDown}}) {
                const ShownNumber shown = shownForm(n, format, u',');
                Number parsed;
                ASSERT_TRUE(tryParseNumber(shown.text.view(), u',', n.arithmetic(), parsed)) << context.toStdString();
                EXPECT_EQ(shown.value.arithmetic(), n.arithmetic());
                if (n.isDecimal())
                    EXPECT_EQ(shown.value.decimalValue(), parsed.decimalValue()) << context.toStdString();
                else
                    EXPECT_EQ(shown.value.binaryValue(), parsed.binaryValue()) << context.toStdString();
            }
        }
    }
}

// Up and down differ by one unit of the last place exactly when the value
// was rounded, and half away from zero lies between them.
TEST(PlacesForm, DirectedModesEncloseHalfAwayByOneUnit)
{
    std::mt19937_64 random(2604);
    for (int i = 0; i < 20000; ++i) {
        const int places = int(random() % (kMaxPlaces + 1));
        const auto coefficient = std::int64_t(random() % 10000000000000) * (random() % 2 ? 1 : -1);
        const int exponent = int(random() % 16) - 12;
        const Decimal exact = Decimal::fromParts(coefficient < 0, UInt128(coefficient < 0 ? -coefficient : coefficient),
                                                 exponent);
        for (const Number& n : {Number::decimal(exact), Number::binary(exact.toLongDouble())}) {
            Decimal shown[3];
            bool rounded[3];
            for (int m = 0; m < 3; ++m) {
                const ShownNumber s = placesForm(n, places, kModes[m], u'.');
                shown[m] = parseDecimal(s.text.toString(), u'.');
                rounded[m] = s.rounded;
            }
            const QString context = formatGeneral(n.binaryValue(), u'.') + QStringLiteral(" at %1 places").arg(places);
            const Decimal unit = Decimal::fromParts(false, 1, -places);
            const Decimal gap = (shown[0] - shown[2]).magnitude();
            EXPECT_TRUE(rounded[0] ? gap == unit : gap.isZero()) << context.toStdString();
            EXPECT_TRUE(rounded[0] == rounded[1] && rounded[1] == rounded[2]) << context.toStdString();
            EXPECT_TRUE(shown[1] == shown[0] || shown[1] == shown[2]) << context.toStdString();
            EXPECT_LE(shown[2].magnitude(), shown[0].magnitude()) << context.toStdString();
        }
    }
}

TEST(GroupThousands, GroupsTheIntegerDigitsOfShownNumbersOnly)
{
    struct Case {
        const char* shown;
        QChar separator;
        const char* grouped;
    };
    const Case cases[] = {
        {"1234567,89", u',', "1.234.567,89"},
        {"1234567.89", u'.', "1,234,567.89"},
        {"-1234", u',', "-1.234"},
        {"123", u',', "123"},
        {"-100", u',', "-100"},
        {"999999999999999", u',', "999.999.999.999.999"},
        {"1000000000000000000,0000", u',', "1.000.000.000.000.000.000,0000"},
        {"0,00012345", u',', "0,00012345"},
        {"1234,5678", u',', "1.234,5678"},
        {"1,5E20", u',', "1,5E20"},
        {"1234.5", u',', "1234.5"}, // not a number under the decimal comma
        {"INF", u',', "INF"},
        {"-", u',', "-"},
        {"", u',', ""},
        {"12+3456", u',', "12+3456"},
        {"Fehler", u',', "Fehler"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(groupThousands(QString::fromUtf8(c.shown), c.separator), QString::fromUtf8(c.grouped)) << c.shown;
    EXPECT_EQ(groupThousands(QString::fromUtf8("1234567\u066B5"), QChar(0x066B)),
              QString::fromUtf8("1\u202F234\u202F567\u066B5"));
}

} // namespace
