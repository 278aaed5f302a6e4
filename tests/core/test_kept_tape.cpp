// SPDX-License-Identifier: GPL-3.0-or-later
// The tape kept between runs: reading and writing its file, a damaged file
// set aside, and two processes keeping the same tape.

#include "core/kepttape.h"
#include "core/tapefile.h"
#include "eval/errors.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace numra;

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

class KeptTapeFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    QByteArray contents() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void write(const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("numra/rechenstreifen.tsv"));
    Tape tape{u','};
    KeptTape kept{tape, path};
};

TEST_F(KeptTapeFile, MissingFileGivesAnEmptyTapeAndIsWrittenOnceTheTapeChanges)
{
    tape.add({TapeRowKind::Result, QStringLiteral("1+1"), QStringLiteral("2")});
    EXPECT_FALSE(kept.load());
    EXPECT_EQ(tape.size(), 0);
    kept.saveIfChanged();
    EXPECT_FALSE(QFile::exists(path));

    tape.add({TapeRowKind::Result, QStringLiteral("12+5*2"), QStringLiteral("22")});
    kept.saveIfChanged();
    EXPECT_EQ(decodeTapeFile(contents()), (std::vector<TapeRow>{tape.row(0)})) << "the folder is created";

    Tape next(u',');
    KeptTape nextRun(next, path);
    EXPECT_FALSE(nextRun.load()) << "read whole";
    EXPECT_EQ(next.summary(), QStringLiteral("Summe: 22 · 1 Posten"));
}

QByteArray rowLines(int from, int to, qsizetype formulaSize = 0)
{
    QByteArray lines;
    for (int i = from; i <= to; ++i)
        lines += "Ergebnis\t" + QByteArray(formulaSize, '1') + QByteArray::number(i) + "\t" + QByteArray::number(i) + "\n";
    return lines;
}

struct DamagedCase {
    const char* name;
    QByteArray bytes;
    qsizetype rowsTaken;
    qsizetype rowsLeftOut;
    QString newestResult;
};

void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

class DamagedKeptTape : public KeptTapeFile, public ::testing::WithParamInterface<DamagedCase> {};

// The good rows are taken, the original is kept aside before anything is
// written, and nothing more is lost at the next save.
TEST_P(DamagedKeptTape, GoodRowsAreTakenAndTheOriginalIsMovedAside)
{
    const DamagedCase& c = GetParam();
    write(c.bytes);
    const std::optional<SetAsideTape> aside = kept.load();
    ASSERT_TRUE(aside);
    EXPECT_EQ(aside->rowsTaken, c.rowsTaken);
    EXPECT_EQ(aside->rowsLeftOut, c.rowsLeftOut);
    EXPECT_EQ(aside->movedTo, path + QStringLiteral(".defekt"));
    EXPECT_FALSE(QFile::exists(path));
    QFile original(aside->movedTo);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_TRUE(original.readAll() == c.bytes) << "the whole original";
    ASSERT_EQ(tape.size(), c.rowsTaken);
    if (c.rowsTaken > 0) {
        EXPECT_EQ(tape.row(tape.size() - 1).result, c.newestResult);
    }

    tape.add({TapeRowKind::Result, QStringLiteral("2"), QStringLiteral("2")});
    kept.saveIfChanged();
    EXPECT_EQ(decodeTapeFile(contents())->size(), std::size_t(tape.size()));
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedKeptTape, ::testing::Values(
    DamagedCase{"three good rows and a fourth cut off", "Numra-Rechenstreifen 1\n" + rowLines(1, 3) + "Ergebnis\t4",
                3, 1, "3"},
    DamagedCase{"a damaged row between good ones",
                "Numra-Rechenstreifen 1\n" + rowLines(1, 2) + "Summe\t1\t1\n" + rowLines(3, 3), 3, 1, "3"},
    DamagedCase{"a row that is not UTF-8", "Numra-Rechenstreifen 1\n" + rowLines(1, 1) + "Ergebnis\t\xff\t1\n", 1, 1, "1"},
    DamagedCase{"a newer version", "Numra-Rechenstreifen 3\n" + rowLines(1, 2), 0, 3, ""},
    DamagedCase{"an empty file", "", 0, 1, ""},
    DamagedCase{"more rows than the tape holds", "Numra-Rechenstreifen 1\n" + rowLines(1, kMaxTapeRows + 2),
                kMaxTapeRows, 2, "10002"},
    DamagedCase{"more characters than the tape holds",
                "Numra-Rechenstreifen 1\n" + rowLines(1, 5, kMaxTapeCharacters / 4), 3, 2, "5"}));

TEST_F(KeptTapeFile, AnOriginalAlreadySetAsideIsKeptAndTheNextOneNumbered)
{
    write("Numra-Rechenstreifen 1\nErgebnis\t1");
    ASSERT_TRUE(kept.load());
    write("Numra-Rechenstreifen 1\nErgebnis\t2");
    Tape next(u',');
    KeptTape nextRun(next, path);
    const std::optional<SetAsideTape> aside = nextRun.load();
    ASSERT_TRUE(aside);
    EXPECT_EQ(aside->movedTo, path + QStringLiteral(".defekt.2"));
    QFile first(path + QStringLiteral(".defekt"));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), QByteArray("Numra-Rechenstreifen 1\nErgebnis\t1"));
}

TEST_F(KeptTapeFile, ADamagedFileThatCannotBeMovedAsideIsNeverWritten)
{
    const QByteArray damaged = "Numra-Rechenstreifen 1\n" + rowLines(1, 2) + "Ergebnis\t3";
    write(damaged);
    const QString tapeFolder = QFileInfo(path).absolutePath();
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
        | QFile::ExeOther;
    QFile::setPermissions(tapeFolder, readOnly);
    QFile::setPermissions(folder.path(), readOnly | QFile::WriteOwner);
    {
        const numra::testing::WithoutRootRights nobody;
        const std::optional<SetAsideTape> aside = kept.load();
        ASSERT_TRUE(aside);
        EXPECT_TRUE(aside->movedTo.isEmpty());
        EXPECT_FALSE(aside->reason.isEmpty());
        EXPECT_EQ(aside->rowsTaken, 2);
        EXPECT_TRUE(kept.leftAlone());
        tape.add({TapeRowKind::Result, QStringLiteral("4"), QStringLiteral("4")});
        EXPECT_NO_THROW(kept.saveIfChanged());
    }
    QFile::setPermissions(tapeFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(contents(), damaged);
    EXPECT_EQ(tape.size(), 3) << "the tape is kept in memory";
}

std::vector<QString> formulasOf(const std::vector<TapeRow>& rows, QChar window)
{
    std::vector<QString> formulas;
    for (const TapeRow& row : rows)
        if (row.formula.startsWith(window))
            formulas.push_back(row.formula);
    return formulas;
}

std::vector<QString> numbered(QChar window, int count)
{
    std::vector<QString> formulas;
    for (int i = 1; i <= count; ++i)
        formulas.push_back(window + QString::number(i));
    return formulas;
}

// Two windows started with the tape kept, both before either saves; each
// makes five rows; they quit in either order.
TEST_F(KeptTapeFile, TwoWindowsQuittingInEitherOrderKeepTheRowsOfBoth)
{
    for (const bool firstQuitsFirst : {true, false}) {
        QFile::remove(path);
        Tape firstTape(u','), secondTape(u',');
        KeptTape first(firstTape, path), second(secondTape, path);
        first.load();
        second.load();
        for (int i = 1; i <= 5; ++i) {
            firstTape.add({TapeRowKind::Result, QStringLiteral("a%1").arg(i), QString::number(i)});
            secondTape.add({TapeRowKind::Result, QStringLiteral("b%1").arg(i), QString::number(i)});
        }
        (firstQuitsFirst ? first : second).saveIfChanged();
        (firstQuitsFirst ? second : first).saveIfChanged();

        const std::optional<std::vector<TapeRow>> rows = decodeTapeFile(contents());
        ASSERT_TRUE(rows);
        EXPECT_EQ(rows->size(), 10u) << "first quits first: " << firstQuitsFirst;
        EXPECT_EQ(formulasOf(*rows, u'a'), numbered(u'a', 5));
        EXPECT_EQ(formulasOf(*rows, u'b'), numbered(u'b', 5));
    }
}

// Two processes keep the tape at once and save after every row: the lock
// and the merge lose no row of either, and each one's rows stay in order.
TEST_F(KeptTapeFile, TwoProcessesSavingAtOnceLoseNoRow)
{
    constexpr int kRows = 60;
    std::vector<pid_t> children;
    for (const QChar window : {u'a', u'b'}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int status = 0;
            try {
                Tape own(u',');
                KeptTape keeping(own, path);
                keeping.load();
                for (int i = 1; i <= kRows; ++i) {
                    own.add({TapeRowKind::Result, window + QString::number(i), QString::number(i)});
                    keeping.save();
                }
            } catch (...) {
                status = 1;
            }
            _exit(status);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = -1;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::optional<std::vector<TapeRow>> rows = decodeTapeFile(contents());
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->size(), std::size_t(2 * kRows));
    EXPECT_EQ(formulasOf(*rows, u'a'), numbered(u'a', kRows));
    EXPECT_EQ(formulasOf(*rows, u'b'), numbered(u'b', kRows));
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".lock")));
}

TEST_F(KeptTapeFile, UnwritableFileIsReported)
{
    write("x");
    KeptTape belowAFile(tape, path + QStringLiteral("/rechenstreifen.tsv"));
    try {
        belowAFile.save();
        ADD_FAILURE() << "saved below a file";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("kann nicht erstellt werden"))) << error.what();
    }
}

} // namespace
