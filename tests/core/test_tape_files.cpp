// SPDX-License-Identifier: GPL-3.0-or-later
// The tape as text and CSV, and the file it is kept in between runs.

#include "core/kepttape.h"
#include "core/tapefile.h"
#include "core/tapeformats.h"
#include "eval/errors.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace numra;

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

// Rows whose texts need every escape and every kind of quoting.
std::vector<TapeRow> awkwardRows()
{
    return {
        {TapeRowKind::Result, QStringLiteral("12+5*2"), QStringLiteral("22")},
        {TapeRowKind::Subtotal, QStringLiteral("a;b \"c\""), QStringLiteral("5,00")},
        {TapeRowKind::Result, QStringLiteral("1+\t2\r\n"), QStringLiteral("-3")},
        {TapeRowKind::VatFromNet, QStringLiteral("Netto 12,50 · Steuer 19 % 2,38 · Brutto 14,88"), QStringLiteral("14,88")},
        {TapeRowKind::HexToInt, QStringLiteral("\\n\\ä"), QStringLiteral("")},
    };
}

std::unique_ptr<Tape> tapeWith(const std::vector<TapeRow>& rows, QChar separator = u',')
{
    auto tape = std::make_unique<Tape>(separator);
    for (const TapeRow& row : rows)
        tape->add(row);
    return tape;
}

// The reading side of a spreadsheet: RFC 4180 with ";" between the fields.
std::vector<QStringList> readCsv(const QString& text)
{
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (next == u'"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u';') {
            record << field;
            field.clear();
        } else if (c == u'\r' && next == u'\n') {
            ++i;
            record << field;
            records.push_back(record);
            record.clear();
            field.clear();
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(field.isEmpty() && record.isEmpty() && !quoted) << "the last line ends with CR LF";
    return records;
}

TEST(TapeFormats, CsvReadsBackAsTheWindowShowsTheRows)
{
    const std::vector<TapeRow> rows = awkwardRows();
    const QByteArray csv = tapeAsCsv(*tapeWith(rows));
    ASSERT_TRUE(csv.startsWith("\xEF\xBB\xBF")) << "UTF-8 with byte-order mark";
    const QString text = QString::fromUtf8(csv.mid(3));
    EXPECT_EQ(text.count(u'\n'), text.count(QStringLiteral("\r\n")));

    const std::vector<QStringList> records = readCsv(text);
    ASSERT_EQ(records.size(), rows.size() + 1);
    EXPECT_EQ(records[0], (QStringList{"Formel", "Ergebnis", "Art"}));
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(records[i + 1], (QStringList{shownOnOneLine(rows[i].formula), rows[i].result,
                                              tapeRowKindName(rows[i].kind).toString()}))
            << "row " << i;
}

TEST(TapeFormats, CsvResultsHaveADecimalCommaWhateverTheSeparator)
{
    const QByteArray csv = tapeAsCsv(*tapeWith({{TapeRowKind::Result, QStringLiteral("2.5*1"), QStringLiteral("2.5")}}, u'.'));
    EXPECT_EQ(csv, QByteArray("\xEF\xBB\xBF" "Formel;Ergebnis;Art\r\n2.5*1;2,5;Ergebnis\r\n"));
}

struct CsvCase {
    const char* name;
    QString formula;
    QString cell; // the formula's cell as a spreadsheet reads it
};

void PrintTo(const CsvCase& c, std::ostream* os) { *os << c.name; }

class CsvFormula : public ::testing::TestWithParam<CsvCase> {};

// A spreadsheet must never run a formula of the tape as its own; Numra reads
// its export back as it was shown, and the result stays a number.
TEST_P(CsvFormula, IsTextToASpreadsheetAndReadsBack)
{
    const CsvCase& c = GetParam();
    const std::vector<TapeRow> rows{{TapeRowKind::Result, c.formula, QStringLiteral("-1,5")},
                                    {TapeRowKind::Subtotal, QStringLiteral("7-"), QStringLiteral("7,00")}};
    const QByteArray csv = tapeAsCsv(*tapeWith(rows));

    const std::vector<QStringList> records = readCsv(QString::fromUtf8(csv.mid(3)));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1], (QStringList{c.cell, "-1,5", "Ergebnis"}));
    EXPECT_EQ(records[2], (QStringList{"7-", "7,00", "Zwischensumme"}));

    std::vector<TapeRow> shown = rows;
    shown[0].formula = shownOnOneLine(c.formula);
    EXPECT_EQ(tapeRowsFromCsv(csv, u','), shown);
}

INSTANTIATE_TEST_SUITE_P(Starts, CsvFormula, ::testing::Values(
    CsvCase{"equals", "=1+2", "'=1+2"},
    CsvCase{"plus", "+5*2", "'+5*2"},
    CsvCase{"minus", "-2+3", "'-2+3"},
    CsvCase{"at", "@SUM(A1)", "'@SUM(A1)"},
    CsvCase{"tab, shown as a blank", "\t-2", "' -2"},
    CsvCase{"CR, shown as a blank", "\r=1", "' =1"},
    CsvCase{"blanks before equals", "  =1", "'  =1"},
    CsvCase{"an apostrophe of its own", "'a'+'b'", "''a'+'b'"},
    CsvCase{"quote and semicolon", "=\"a;b\"", "'=\"a;b\""},
    CsvCase{"a plain formula", "12+5", "12+5"},
    CsvCase{"blanks only", "  ", "  "}));

TEST(TapeFormats, CsvReaderRefusesOtherTexts)
{
    const QByteArray good = tapeAsCsv(*tapeWith(awkwardRows()));
    ASSERT_TRUE(tapeRowsFromCsv(good, u','));
    for (const QByteArray& other : {good.mid(3), good.chopped(2), QByteArray(good).replace("Formel", "Formula"),
                                    good + "1;2\r\n", good + "1;2;Summe\r\n", good + "\"1;2;Ergebnis\r\n"})
        EXPECT_EQ(tapeRowsFromCsv(other, u','), std::nullopt) << other.toStdString();
}

TEST(TapeFormats, CsvResultsComeBackWithTheRegionalSeparator)
{
    const std::vector<TapeRow> rows{{TapeRowKind::Result, QStringLiteral("2.5*1"), QStringLiteral("2.5")}};
    EXPECT_EQ(tapeRowsFromCsv(tapeAsCsv(*tapeWith(rows, u'.')), u'.'), rows);
}

TEST(TapeFormats, TextHasARowPerLineAndTheTotalLast)
{
    const std::unique_ptr<Tape> tape = tapeWith(awkwardRows());
    tape->deleteRow(4);
    tape->deleteRow(3);
    EXPECT_EQ(tapeAsText(*tape), QStringLiteral("12+5*2\t22\tErgebnis\n"
                                               "a;b \"c\"\t5,00\tZwischensumme\n"
                                               "1+ 2  \t-3\tErgebnis\n"
                                               "Summe\t19\t2 Posten\n")
                                    .toUtf8());
}

TEST(TapeFile, RowsComeBackExactly)
{
    const std::vector<TapeRow> rows = awkwardRows();
    const QByteArray file = encodeTapeFile(*tapeWith(rows));
    EXPECT_TRUE(file.startsWith("Numra-Rechenstreifen 1\nErgebnis\t12+5*2\t22\n"));
    EXPECT_EQ(file.count('\n'), qsizetype(rows.size()) + 1) << "one line per row";
    EXPECT_EQ(decodeTapeFile(file), rows);
}

struct FileCase {
    const char* name;
    QByteArray bytes;
};

void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class CorruptTapeFile : public ::testing::TestWithParam<FileCase> {};

TEST_P(CorruptTapeFile, ReadsAsNothing)
{
    EXPECT_EQ(decodeTapeFile(GetParam().bytes), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Files, CorruptTapeFile, ::testing::Values(
    FileCase{"empty", ""},
    FileCase{"header without its line break", "Numra-Rechenstreifen 1"},
    FileCase{"another version", "Numra-Rechenstreifen 2\n"},
    FileCase{"another file", "12+5\r\n"},
    FileCase{"a field too few", "Numra-Rechenstreifen 1\nErgebnis\t1\n"},
    FileCase{"a field too many", "Numra-Rechenstreifen 1\nErgebnis\t1\t1\t1\n"},
    FileCase{"unknown kind", "Numra-Rechenstreifen 1\nSumme\t1\t1\n"},
    FileCase{"unknown escape", "Numra-Rechenstreifen 1\nErgebnis\t\\x\t1\n"},
    FileCase{"backslash at the end of a field", "Numra-Rechenstreifen 1\nErgebnis\t1\\\t1\n"},
    FileCase{"CR LF line breaks", "Numra-Rechenstreifen 1\r\nErgebnis\t1\t1\r\n"},
    FileCase{"an empty line", "Numra-Rechenstreifen 1\n\nErgebnis\t1\t1\n"},
    FileCase{"cut short", "Numra-Rechenstreifen 1\nErgebnis\t1\t1\nErgebnis\t2"},
    FileCase{"not UTF-8", "Numra-Rechenstreifen 1\nErgebnis\t\xff\t1\n"},
    FileCase{"one row too many", "Numra-Rechenstreifen 1\n" + QByteArray("Ergebnis\t1\t1\n").repeated(kMaxTapeRows + 1)},
    FileCase{"larger than the bound", "Numra-Rechenstreifen 1\n" + QByteArray(kMaxTapeFileSize, 'x') + "\n"}));

TEST(TapeFile, AFullTapeAndAnEmptyOneAreValid)
{
    EXPECT_EQ(decodeTapeFile("Numra-Rechenstreifen 1\n"), std::vector<TapeRow>());
    const auto full = decodeTapeFile("Numra-Rechenstreifen 1\n" + QByteArray("Ergebnis\t1\t1\n").repeated(kMaxTapeRows));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->size(), std::size_t(kMaxTapeRows));
}

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
    EXPECT_EQ(contents(), QByteArray("Numra-Rechenstreifen 1\nErgebnis\t12+5*2\t22\n")) << "the folder is created";

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
    DamagedCase{"another version", "Numra-Rechenstreifen 2\n" + rowLines(1, 2), 0, 3, ""},
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

// Root may write into read-only folders; while this lives, the process acts
// as the user "nobody", for whom they are read-only too.
class WithoutRootRights {
public:
    WithoutRootRights() : wasRoot_(geteuid() == 0) { EXPECT_TRUE(!wasRoot_ || seteuid(65534) == 0); }
    ~WithoutRootRights() { EXPECT_TRUE(!wasRoot_ || seteuid(0) == 0); }
    WithoutRootRights(const WithoutRootRights&) = delete;
    WithoutRootRights& operator=(const WithoutRootRights&) = delete;

private:
    bool wasRoot_;
};

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
        const WithoutRootRights nobody;
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
