// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tapeformats.h"

#include "files/wholefile.h"

#include <utility>

namespace numra {

namespace {

constexpr QChar kCsvSeparator = u';';
constexpr QChar kTextMark = u'\'';
const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

QString csvField(const QString& text)
{
    if (!text.contains(kCsvSeparator) && !text.contains(u'"'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

// A spreadsheet takes a cell that starts with one of these for a formula of
// its own ("-2+3", "=HYPERLINK(...)", "@SUM(...)"), also after blanks that
// it trims; the apostrophe the spreadsheet programs document makes it text.
// A formula that starts with the apostrophe itself gets one more, so that
// the reader takes off exactly one.
bool needsTextMark(const QString& cell)
{
    static constexpr QStringView kFormulaStarts = u"=+-@\t\r'";
    for (const QChar c : cell) {
        if (c != u' ')
            return kFormulaStarts.contains(c);
    }
    return false;
}

QString asText(const QString& cell)
{
    return needsTextMark(cell) ? kTextMark + cell : cell;
}

QString csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted << csvField(field);
    return quoted.join(kCsvSeparator) + QStringLiteral("\r\n");
}

// The columns written: the note only when asked for.
QList<TapeColumn> writtenColumns(bool withNotes)
{
    if (withNotes)
        return {TapeColumn::Formula, TapeColumn::Result, TapeColumn::Note, TapeColumn::Kind};
    return {TapeColumn::Formula, TapeColumn::Result, TapeColumn::Kind};
}

QStringList shownFields(const TapeRow& row, bool withNotes)
{
    QStringList fields;
    for (const TapeColumn column : writtenColumns(withNotes))
        fields << shownOnOneLine(tapeField(row, column));
    return fields;
}

QStringList header(bool withNotes)
{
    QStringList titles;
    for (const TapeColumn column : writtenColumns(withNotes))
        titles << tapeColumnTitle(column).toString();
    return titles;
}

} // namespace

QString tapeRowAsText(const TapeRow& row, bool withNote)
{
    return shownFields(row, withNote).join(u'\t');
}

QString tapeRowAsText(const Tape& tape, qsizetype index)
{
    QStringList fields = shownFields(tape.row(index), tape.hasNotes());
    QString& result = fields[int(TapeColumn::Result)];
    result = tape.readableAmount(result);
    return fields.join(u'\t');
}

QString tapeTotalAsText(const Tape& tape)
{
    return QStringLiteral("Summe\t%1\t%2 Posten").arg(tape.readableAmount(tape.totalText())).arg(tape.itemCount());
}

QByteArray tapeAsText(const Tape& tape)
{
    QString text;
    for (qsizetype i = 0; i < tape.size(); ++i)
        text += tapeRowAsText(tape, i) + u'\n';
    text += tapeTotalAsText(tape) + u'\n';
    return text.toUtf8();
}

QByteArray tapeCsvHeader(bool withNotes)
{
    return kByteOrderMark + csvLine(header(withNotes)).toUtf8();
}

// The formula and note first, the result second in every layout.
QString tapeRowAsCsv(const TapeRow& row, QChar decimalSeparator, bool withNotes)
{
    QStringList fields = shownFields(row, withNotes);
    fields[0] = asText(fields[0]);
    if (withNotes)
        fields[2] = asText(fields[2]);
    if (row.error.isEmpty())
        fields[1].replace(decimalSeparator, u',');
    return csvLine(fields);
}

QByteArray tapeAsCsv(const Tape& tape)
{
    QString text;
    for (qsizetype i = 0; i < tape.size(); ++i)
        text += tapeRowAsCsv(tape.row(i), tape.decimalSeparator(), tape.hasNotes());
    return tapeCsvHeader(tape.hasNotes()) + text.toUtf8();
}

namespace {

// One record of ";"-separated fields, quoted as csvField quotes them, from
// `at` up to and including its CR LF; `at` moves past it. Nothing for a
// record that is cut off or badly quoted.
std::optional<QStringList> readCsvRecord(QStringView text, qsizetype& at)
{
    QStringList fields;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    for (qsizetype i = at; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == u'"' && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == kCsvSeparator) {
            fields << std::exchange(field, QString());
            wasQuoted = false;
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            fields << field;
            at = i + 2;
            return fields;
        } else if (wasQuoted || c == u'"' || c == u'\r' || c == u'\n') {
            return std::nullopt; // text after a closing quote, or a stray quote or line break
        } else {
            field += c;
        }
    }
    return std::nullopt;
}

QString withoutTextMark(QString cell)
{
    if (cell.startsWith(kTextMark))
        cell.remove(0, 1);
    return cell;
}

std::optional<TapeRow> csvRow(const QStringList& fields, QChar decimalSeparator, bool withNotes)
{
    if (fields.size() != writtenColumns(withNotes).size())
        return std::nullopt;
    const std::optional<TapeRowKind> kind = tapeRowKindNamed(fields.back());
    if (!kind)
        return std::nullopt;
    TapeRow row{*kind, withoutTextMark(fields[0]), fields[1]};
    if (withNotes)
        row.note = withoutTextMark(fields[2]);
    if (row.result.startsWith(kErrorResultPrefix) && row.result.size() > kErrorResultPrefix.size()) {
        row.error = row.result.mid(kErrorResultPrefix.size());
        row.result.clear();
    } else {
        row.result.replace(u',', decimalSeparator);
    }
    return row;
}

} // namespace

std::optional<std::vector<TapeRow>> tapeRowsFromCsv(const QByteArray& bytes, QChar decimalSeparator)
{
    if (!bytes.startsWith(kByteOrderMark))
        return std::nullopt;
    const QString text = QString::fromUtf8(bytes.mid(kByteOrderMark.size()));
    qsizetype at = 0;
    const std::optional<QStringList> titles = readCsvRecord(text, at);
    if (titles != header(false) && titles != header(true))
        return std::nullopt;
    const bool withNotes = titles == header(true);
    std::vector<TapeRow> rows;
    while (at < text.size()) {
        const std::optional<QStringList> fields = readCsvRecord(text, at);
        std::optional<TapeRow> row = fields ? csvRow(*fields, decimalSeparator, withNotes) : std::nullopt;
        if (!row)
            return std::nullopt;
        rows.push_back(*std::move(row));
    }
    return rows;
}

void exportTape(const Tape& tape, const QString& path)
{
    const bool asText = path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
    writeWholeFile(path, asText ? tapeAsText(tape) : tapeAsCsv(tape));
}

} // namespace numra
