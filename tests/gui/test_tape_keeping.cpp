// SPDX-License-Identifier: GPL-3.0-or-later
// Keeping the tape between runs as the window does it: the notices for a
// damaged kept file and for rows that leave at the tape's bounds.

#include "gui/guitest.h"

#include "core/settings.h"
#include "core/tapefile.h"
#include "files/datafolder.h"
#include "gui/tapekeeping.h"
#include "support/testfiles.h"

#include <QFile>
#include <gtest/gtest.h>
#include <vector>

using namespace numra;
using namespace numra::testing;

namespace {

class TapeKeepingTest : public ::testing::Test, public NumraFixture {
protected:
    // What the window does right after its first paint is done before the
    // test begins.
    TapeKeepingTest() { processEvents(); }
};

TEST_F(TapeKeepingTest, ADamagedKeptTapeIsSalvagedWithANoticeAndItsOriginalKept)
{
    Settings settings;
    settings.setKeepTape(true);
    const QByteArray damaged = "Numra-Rechenstreifen 1\nErgebnis\t1+1\t2\nErgebnis\t2+2\t4\nErgebnis\t3+3";
    writeFile(keptTapeFile(), damaged);
    Tape tape(u',');
    WriteFailures failures(mainWindow);
    TapeKeeping keeping(tape, settings, failures, mainWindow);

    ShownMessage notice;
    ModalScript modals;
    modals.then(acknowledge(notice));
    keeping.start();
    const QString original = keptTapeFile() + QStringLiteral(".defekt");
    EXPECT_EQ(notice.caption, QStringLiteral("Informationen"));
    EXPECT_EQ(notice.text, QStringLiteral("Der aufbewahrte Rechenstreifen konnte nicht vollständig gelesen werden: "
                                          "2 Zeilen wurden übernommen, 1 Zeilen nicht (beschädigt oder über den "
                                          "Grenzen des Rechenstreifens). Die ursprüngliche Datei liegt jetzt unter "
                                          "\"%1\".")
                               .arg(original));
    EXPECT_EQ(tape.summary(), QStringLiteral("Summe: 6 · 2 Posten"));
    EXPECT_EQ(contentsOf(original), damaged) << "moved aside before anything is written";

    tape.add({TapeRowKind::Result, QStringLiteral("5"), QStringLiteral("5")});
    processEvents(800);
    const auto kept = decodeTapeFile(contentsOf(keptTapeFile()));
    ASSERT_TRUE(kept);
    EXPECT_EQ(*kept, (std::vector<TapeRow>{tape.row(0), tape.row(1), tape.row(2)}));
    EXPECT_EQ(tape.row(2).formula, QStringLiteral("5"));
    keeping.setWanted(false);
    QFile::remove(original);
}

TEST_F(TapeKeepingTest, RowsLeavingAtTheTapesBoundAreToldOnce)
{
    Settings settings;
    Tape tape(u',');
    WriteFailures failures(mainWindow);
    TapeKeeping keeping(tape, settings, failures, mainWindow);
    std::vector<TapeRow> full(std::size_t(kMaxTapeRows), TapeRow{TapeRowKind::Result, "1", "1"});
    tape.replaceRows(full);

    ShownMessage notice;
    ModalScript modals;
    modals.then(acknowledge(notice));
    tape.add({TapeRowKind::Result, QStringLiteral("2"), QStringLiteral("2")});
    processEvents();
    EXPECT_TRUE(notice.text.startsWith(QStringLiteral("Der Rechenstreifen hat seine Grenze erreicht"))) << notice.text.toStdString();
    tape.add({TapeRowKind::Result, QStringLiteral("3"), QStringLiteral("3")});
    processEvents(); // a second box would find no script and fail the test
    EXPECT_EQ(tape.size(), kMaxTapeRows);
}

} // namespace
