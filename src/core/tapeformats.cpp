// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tapeformats.h"

#include "files/wholefile.h"

namespace numra {

namespace {

constexpr QChar kCsvSeparator = u';';

QString csvField(const QString& text)
{
    if (!text.contains(kCsvSeparator) && !text.contains(u'"'))
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted << csvField(field);
    return quoted.join(kCsvSeparator) + QStringLiteral("\r\n");
}

QStringList shownFields(const TapeRow& row)
{
    QStringList fields;
    for (int column = 0; column < tapeColumnCount; ++column)
        fields << shownOnOneLine(tapeField(row, TapeColumn(column)));
    return fields;
}

} // namespace

QString tapeRowAsText(const TapeRow& row)
{
    return shownFields(row).join(u'\t');
}

QByteArray tapeAsText(const Tape& tape)
{
    QString text;
    for (qsizetype i = 0; i < tape.size(); ++i)
        text += tapeRowAsText(tape.row(i)) + u'\n';
    text += QStringLiteral("Summe\t%1\t%2 Posten\n").arg(tape.totalText()).arg(tape.itemCount());
    return text.toUtf8();
}

QByteArray tapeAsCsv(const Tape& tape)
{
    QStringList header;
    for (int column = 0; column < tapeColumnCount; ++column)
        header << tapeColumnTitle(TapeColumn(column)).toString();
    QString text = csvLine(header);
    for (qsizetype i = 0; i < tape.size(); ++i) {
        QStringList fields = shownFields(tape.row(i));
        fields[int(TapeColumn::Result)].replace(tape.decimalSeparator(), u',');
        text += csvLine(fields);
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void exportTape(const Tape& tape, const QString& path)
{
    const bool asText = path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive);
    writeWholeFile(path, asText ? tapeAsText(tape) : tapeAsCsv(tape));
}

} // namespace numra
