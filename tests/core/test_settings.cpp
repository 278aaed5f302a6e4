// SPDX-License-Identifier: GPL-3.0-or-later
// The settings kept between runs: defaults without a file, every value read
// back as written, and a file that a hand or a broken disk spoilt, of which
// each value that is still good is read and each other one is its default.

#include "core/settings.h"
#include "eval/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace numra;

namespace {

// The user's configuration folder of this test program, set before any
// QSettings looks for it.
QTemporaryDir& configHome()
{
    static QTemporaryDir folder;
    return folder;
}
const bool configHomeSet = [] {
    qputenv("XDG_CONFIG_HOME", configHome().path().toLocal8Bit());
    return true;
}();

struct Kept {
    bool keepTape = false;
    VatRates vatRates;
    bool alwaysOnTop = false;
    std::optional<QPoint> position;
    bool exactArithmetic = false;
    // The default shows thousands points.
    AmountFormat amounts{DecimalSelector::Free, RoundingMode::HalfAwayFromZero, true};
};

Kept read(Settings& settings)
{
    return {settings.keepTape(), settings.vatRates(), settings.alwaysOnTop(), settings.windowPosition(),
            settings.exactArithmetic(), settings.amountFormat()};
}

void expectKept(const Kept& read, const Kept& expected)
{
    EXPECT_EQ(read.keepTape, expected.keepTape);
    EXPECT_EQ(read.vatRates.chosen, expected.vatRates.chosen);
    EXPECT_EQ(read.vatRates.own, expected.vatRates.own);
    EXPECT_EQ(read.alwaysOnTop, expected.alwaysOnTop);
    EXPECT_EQ(read.position, expected.position);
    EXPECT_EQ(read.exactArithmetic, expected.exactArithmetic);
    EXPECT_EQ(decimalSelectorName(read.amounts.selector), decimalSelectorName(expected.amounts.selector));
    EXPECT_EQ(roundingModeName(read.amounts.rounding), roundingModeName(expected.amounts.rounding));
    EXPECT_EQ(read.amounts.grouping, expected.amounts.grouping);
}

const VatRates own16{1600, 1600};
const QPoint somewhere(120, 340);

struct SettingsCase {
    const char* name;
    const char* file;
    Kept kept;
};

void PrintTo(const SettingsCase& c, std::ostream* os) { *os << c.name; }

class SettingsFile : public ::testing::TestWithParam<SettingsCase> {
protected:
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("numra.conf"));
};

TEST_P(SettingsFile, ReadsEachGoodValueAndDefaultsTheOthers)
{
    if (*GetParam().file) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(GetParam().file);
    }
    Settings settings(path);
    expectKept(read(settings), GetParam().kept);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, SettingsFile, ::testing::Values(
    SettingsCase{"no file", "", {}},
    SettingsCase{"every value", "[tape]\nkeep=true\n[vat]\nrate=16\nownRate=16\n"
                                "[window]\nalwaysOnTop=true\nleft=120\ntop=340\n[arithmetic]\nexact=true\n",
                 {true, own16, true, somewhere, true}},
    SettingsCase{"flags as numbers", "[tape]\nkeep=1\n[window]\nalwaysOnTop=1\n[arithmetic]\nexact=1\n",
                 {true, {}, true, {}, true}},
    SettingsCase{"flags off", "[tape]\nkeep=false\n[window]\nalwaysOnTop=false\n[arithmetic]\nexact=false\n", {}},
    SettingsCase{"unreadable flags", "[tape]\nkeep=vielleicht\n[window]\nalwaysOnTop=ja\n[arithmetic]\nexact=genau\n",
                 {}},
    SettingsCase{"a key outside its section", "\xff\xfe\x01[\n=true\nkeep=true\nrate=7\n", {}},
    SettingsCase{"7 %", "[vat]\nrate=7\n", {false, {700}, false, {}}},
    SettingsCase{"a rate written by hand with a comma", "[vat]\nrate=16,5\n", {false, {1650, 1650}, false, {}}},
    SettingsCase{"rate out of range", "[vat]\nrate=250\nownRate=16\n[window]\nalwaysOnTop=true\n",
                 {false, {1900, 1600}, true, {}}},
    SettingsCase{"own rate out of range", "[vat]\nrate=7\nownRate=-3\n", {false, {700}, false, {}}},
    SettingsCase{"a chosen rate that is not offered", "[vat]\nrate=12\nownRate=16\n", {false, {1900, 1600}, false, {}}},
    SettingsCase{"position not a number", "[tape]\nkeep=true\n[window]\nleft=abc\ntop=340\n", {true, {}, false, {}}},
    SettingsCase{"position half missing", "[window]\nleft=120\n", {}},
    SettingsCase{"position beyond any screen", "[window]\nleft=99999999999\ntop=5\n", {}},
    SettingsCase{"garbage around good lines", "\xff\xfe\x01[\n=true\n[vat]\nrate=7\n\x80\x81=\x82\n[window]\nleft=-20\ntop=5\n",
                 {false, {700}, false, QPoint(-20, 5)}},
    SettingsCase{"amounts", "[amounts]\nplaces=ADD\nrounding=abrunden\ngrouping=false\n",
                 {.amounts = {DecimalSelector::Add, RoundingMode::TowardZero, false}}},
    SettingsCase{"amounts written by hand", "[amounts]\nplaces=add\nrounding=\"5/4\"\ngrouping=0\n",
                 {.amounts = {DecimalSelector::Add, RoundingMode::HalfAwayFromZero, false}}},
    SettingsCase{"unreadable amounts", "[amounts]\nplaces=5\nrounding=kaufmännisch\ngrouping=nein\n", {}},
    SettingsCase{"nothing but garbage", "\x7f" "ELF\x02\x01\x01\x00\x00[[[===]]]\n\n\xc3\x28", {}}));
// clang-format on

TEST(Settings, EveryValueRoundTrips)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("numra.conf"));
    const Kept values[] = {{true, {1650, 1650}, true, QPoint(-1200, 7), true},
                           {false, {700, 1600}, false, QPoint(0, 0), false},
                           {false, {kMaxVatRate, kMaxVatRate}, true, somewhere, true},
                           {true, {0, 0}, false, somewhere, false}};
    for (const Kept& kept : values) {
        {
            Settings settings(path);
            settings.setKeepTape(kept.keepTape);
            settings.setVatRates(kept.vatRates);
            settings.setAlwaysOnTop(kept.alwaysOnTop);
            settings.setWindowPosition(*kept.position);
            settings.setExactArithmetic(kept.exactArithmetic);
        }
        Settings again(path);
        expectKept(read(again), kept);
    }
}

TEST(Settings, EveryAmountFormatRoundTrips)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("numra.conf"));
    for (const DecimalSelector selector : kDecimalSelectors) {
        for (const RoundingMode rounding : kRoundingModes) {
            for (const bool grouping : {false, true}) {
                const AmountFormat format{selector, rounding, grouping};
                Settings(path).setAmountFormat(format);
                EXPECT_TRUE(Settings(path).amountFormat() == format)
                    << decimalSelectorName(selector).toString().toStdString() << ' '
                    << roundingModeName(rounding).toString().toStdString() << ' ' << grouping;
            }
        }
    }
}

// A value written later replaces a spoilt one and keeps the good ones.
TEST(Settings, WritingKeepsTheGoodValuesOfASpoiltFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("numra.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[tape]\nkeep=true\n[vat]\nrate=250\nownRate=16\n\xff\xfe\n");
    file.close();
    Settings(path).setAlwaysOnTop(true);
    Settings settings(path);
    expectKept(read(settings), {true, {1900, 1600}, true, {}});
}

// A change that cannot be written says where and why, holds all the same,
// and leaves the file as it was.
TEST(Settings, AChangeThatCannotBeWrittenIsAnErrorAndHoldsForTheRun)
{
    QTemporaryDir folder;
    QFile blocker(folder.filePath(QStringLiteral("numra"))); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = folder.filePath(QStringLiteral("numra/numra.conf"));
    Settings settings(path);
    try {
        settings.setAlwaysOnTop(true);
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(path)))
            << error.message().toStdString();
    }
    EXPECT_TRUE(settings.alwaysOnTop());
}

// The window and the tape keeping each hold the settings, and so does a
// second Numra: a change by one owner never writes back another's older
// values.
TEST(Settings, OwnersOfOneFileDoNotUndoEachOthersChanges)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("numra.conf"));
    Settings window(path);
    Settings tapeKeeping(path);
    window.setZoom(150);
    tapeKeeping.setKeepTape(true);
    window.setZoom(125);
    window.setAlwaysOnTop(true);
    tapeKeeping.setKeepTape(false);
    Settings again(path);
    EXPECT_EQ(again.zoom(), 125);
    EXPECT_TRUE(again.alwaysOnTop());
    EXPECT_FALSE(again.keepTape());
    EXPECT_EQ(window.zoom(), 125) << "its own change stays, whatever the other owner read";
}

// Values of the file that Numra does not know are written back as they were.
TEST(Settings, KeepsWhatItDoesNotKnow)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("numra.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[extra]\nnote=\"a, b; \\\"c\\\" \xc3\xa4\"\nplain=x1\n");
    file.close();
    Settings(path).setKeepTape(true);
    const QSettings read(path, QSettings::IniFormat);
    EXPECT_EQ(read.value(QStringLiteral("extra/note")).toString(), QStringLiteral("a, b; \"c\" ä"));
    EXPECT_EQ(read.value(QStringLiteral("extra/plain")).toString(), QStringLiteral("x1"));
    EXPECT_EQ(read.value(QStringLiteral("tape/keep")).toString(), QStringLiteral("true"));
}

TEST(Settings, LiveInTheUsersConfigurationFolderWrittenOnlyWhenChanged)
{
    const QString expected = QDir(configHome().path()).filePath(QStringLiteral("numra/numra.conf"));
    {
        Settings settings;
        expectKept(read(settings), {});
    }
    EXPECT_FALSE(QFileInfo::exists(expected)) << "reading wrote the file";
    Settings().setVatRates({700});
    EXPECT_TRUE(QFileInfo::exists(expected)) << expected.toStdString();
    EXPECT_EQ(Settings().vatRates(), VatRates{700});
}

} // namespace
