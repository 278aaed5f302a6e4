// SPDX-License-Identifier: GPL-3.0-or-later
// The tape as text and CSV, and the format of the file it is kept in.

#include "core/tapefile.h"
#include "core/tapeformats.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
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

// A quote alone, without a ";", is quoted too: a spreadsheet would take a
// field that starts with one for a quoted field.
TEST(TapeFormats, CsvQuotesAFieldWithAQuoteButNoSeparator)
{
    const QByteArray csv = tapeAsCsv(*tapeWith({{TapeRowKind::Subtotal, QStringLiteral("\"12\" + 5"), QStringLiteral("17,00")}}));
    EXPECT_EQ(csv, QByteArray("\xEF\xBB\xBF" "Formel;Ergebnis;Art\r\n\"\"\"12\"\" + 5\";17,00;Zwischensumme\r\n"));
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

// Thousands points are for the eye only: the window and the print show
// them, what is written or copied has none.
TEST(TapeFormats, ThousandsPointsAreShownButNeverWritten)
{
    const std::vector<TapeRow> rows{{TapeRowKind::Result, QStringLiteral("1234,5+1000000"), QStringLiteral("1001234,5")}};
    const std::unique_ptr<Tape> tape = tapeWith(rows);
    const QByteArray csv = tapeAsCsv(*tape);
    tape->setGrouping(true);
    EXPECT_EQ(tape->data(tape->index(0, int(TapeColumn::Result))).toString(), QStringLiteral("1.001.234,5"));
    EXPECT_EQ(tape->summary(), QStringLiteral("Summe: 1.001.234,5 · 1 Posten"));
    EXPECT_EQ(tapeAsCsv(*tape), csv);
    EXPECT_EQ(decodeTapeFile(encodeTapeFile(*tape)), rows);
}

TEST(TapeFile, RowsComeBackExactly)
{
    std::vector<TapeRow> rows = awkwardRows();
    rows[0].note = QStringLiteral("Miete\tMärz\\");
    rows[2].error = QStringLiteral("Gleitkommadivision durch Null");
    rows[2].result.clear();
    rows[3].recipe = TapeRecipe{true, 1900, QStringLiteral("12,50")};
    const QByteArray file = encodeTapeFile(*tapeWith(rows));
    EXPECT_TRUE(file.startsWith("Numra-Rechenstreifen 2\n"));
    EXPECT_EQ(file.count('\n'), qsizetype(rows.size()) + 1) << "one line per row";
    EXPECT_EQ(decodeTapeFile(file), rows);
}

// A file of the first version, as earlier releases wrote it, is still read
// whole; its rows get the rounding and rate their texts show.
TEST(TapeFile, AFileOfTheFirstVersionIsRead)
{
    const auto rows = decodeTapeFile("Numra-Rechenstreifen 1\nErgebnis\t12+5*2\t22\n"
                                     "Ust+\tNetto 12,50 · Steuer 19 % 2,38 · Brutto 14,88\t14,88\n");
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 2U);
    EXPECT_EQ((*rows)[0], (TapeRow{TapeRowKind::Result, QStringLiteral("12+5*2"), QStringLiteral("22")}));
    EXPECT_EQ((*rows)[1].recipe, (TapeRecipe{true, 1900, QStringLiteral("12,50")}));
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
    FileCase{"a newer version", "Numra-Rechenstreifen 3\n"},
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

} // namespace
