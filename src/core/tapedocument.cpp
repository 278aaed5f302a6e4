// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tapedocument.h"

#include "core/tapefile.h"
#include "core/vatrates.h"
#include "tapefields.h"

#include <QFile>
#include <QStringDecoder>
#include <array>

namespace numra {

namespace {

using tapefields::escaped;
using tapefields::unescaped;

constexpr QStringView kMagic = u"Numra-Rechenstreifen-Dokument ";
constexpr QStringView kVersion = u"1";
constexpr QStringView kSeparatorLabel = u"Dezimaltrennzeichen";
constexpr std::array<QStringView, 7> kColumns{u"Art", u"Formel", u"Ergebnis", u"Notiz", u"Runden", u"Satz", u"Bezug"};
constexpr qsizetype kHeaderLines = 3;

bool startsWithMagic(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(kMagic.size());
    return QString::fromLatin1(start) == kMagic;
}

QString columnLine()
{
    QStringList titles;
    for (QStringView title : kColumns)
        titles << title.toString();
    return titles.join(u'\t');
}

QString damaged(const QString& name, qsizetype line)
{
    return QStringLiteral("\"%1\" ist beschädigt: Zeile %2 kann nicht gelesen werden.").arg(name).arg(line);
}

std::optional<int> count(QStringView text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= 0 && !text.startsWith(u'+') ? std::optional(value) : std::nullopt;
}

// "N:S:L", or empty; nothing for any other text.
std::optional<std::optional<std::pair<qsizetype, TextSpan>>> linkNamed(QStringView text)
{
    if (text.isEmpty())
        return std::optional<std::pair<qsizetype, TextSpan>>();
    const QList<QStringView> parts = text.split(u':');
    if (parts.size() != 3)
        return std::nullopt;
    const std::optional<int> row = count(parts[0]);
    const std::optional<int> start = count(parts[1]);
    const std::optional<int> length = count(parts[2]);
    if (!row || *row == 0 || !start || !length || *length == 0)
        return std::nullopt;
    return std::optional(std::pair{qsizetype(*row - 1), TextSpan{*start, *length}});
}

std::optional<DocumentRow> decodeRow(QStringView line)
{
    const QList<QStringView> fields = line.split(u'\t');
    if (fields.size() != qsizetype(kColumns.size()))
        return std::nullopt;
    const std::optional<TapeRowKind> kind = tapeRowKindNamed(fields[0]);
    std::optional<QString> input = unescaped(fields[1]);
    std::optional<QString> result = unescaped(fields[2]);
    std::optional<QString> note = unescaped(fields[3]);
    const auto link = linkNamed(fields[6]);
    if (!kind || !input || !result || !note || note->size() > kMaxNoteLength || !link)
        return std::nullopt;
    if (fields[4] != u"2" && !fields[4].isEmpty())
        return std::nullopt;
    DocumentRow row;
    row.row.kind = *kind;
    row.row.result = *std::move(result);
    row.row.note = *std::move(note);
    row.row.recipe.twoDecimals = fields[4] == u"2";
    if (isVatKind(*kind)) {
        const std::optional<int> rate = parseVatRate(fields[5]);
        if (!rate)
            return std::nullopt;
        row.row.recipe.vatRate = *rate;
    } else if (!fields[5].isEmpty()) {
        return std::nullopt;
    }
    setRowInput(row.row, *std::move(input));
    if (*link) {
        row.linkedTo = (*link)->first;
        row.linkSpan = (*link)->second;
    }
    return row;
}

} // namespace

QString tapeDocumentTooLarge(const QString& name)
{
    return QStringLiteral("\"%1\" ist zu groß für einen Rechenstreifen: er hat höchstens %2 Zeilen.")
        .arg(name)
        .arg(kMaxTapeRows);
}

QString tapeDocumentInACircle(const QString& name)
{
    return QStringLiteral("\"%1\" ist beschädigt: die Bezüge seiner Zeilen bilden einen Kreis.").arg(name);
}

QString tapeDocumentHeader(QChar decimalSeparator)
{
    return kMagic.toString() + kVersion.toString() + u'\n' + kSeparatorLabel.toString() + u'\t' + decimalSeparator
        + u'\n' + columnLine() + u'\n';
}

QString tapeDocumentLine(const Tape& tape, qsizetype index)
{
    const TapeEntry& entry = tape.entry(index);
    const TapeRow& row = entry.row;
    QString link;
    if (const std::optional<qsizetype> source = tape.linkedRow(index); source && *source != index)
        link = QStringLiteral("%1:%2:%3").arg(*source + 1).arg(entry.link->span.start).arg(entry.link->span.length);
    return QStringList{tapeRowKindName(row.kind).toString(),
                       escaped(rowInput(row)),
                       escaped(row.error.isEmpty() ? row.result : QString()),
                       escaped(row.note),
                       row.recipe.twoDecimals ? QStringLiteral("2") : QString(),
                       isVatKind(row.kind) ? vatRateNumber(row.recipe.vatRate, tape.decimalSeparator()) : QString(),
                       link}
               .join(u'\t')
        + u'\n';
}

bool isTapeDocument(const QString& path)
{
    return path.endsWith(u'.' + kTapeDocumentSuffix.toString(), Qt::CaseInsensitive) || startsWithMagic(path);
}

QByteArray encodeTapeDocument(const Tape& tape)
{
    QString text = tapeDocumentHeader(tape.decimalSeparator());
    for (qsizetype i = 0; i < tape.size(); ++i)
        text += tapeDocumentLine(tape, i);
    return text.toUtf8();
}

TapeDocument decodeTapeDocument(const QByteArray& bytes, QChar decimalSeparator, const QString& name)
{
    TapeDocument document;
    const QString tooLarge = tapeDocumentTooLarge(name);
    if (bytes.size() > kMaxTapeFileSize) {
        document.error = tooLarge;
        return document;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    qsizetype lineNumber = 0;
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype end = bytes.indexOf('\n', at);
        QByteArrayView lineBytes(bytes.constData() + at, (end < 0 ? bytes.size() : end) - at);
        at = end < 0 ? bytes.size() : end + 1;
        if (lineBytes.endsWith('\r'))
            lineBytes.chop(1);
        ++lineNumber;
        utf8.resetState();
        const QString line = utf8(lineBytes);
        if (utf8.hasError()) {
            document.error = lineNumber == 1 ? QStringLiteral("\"%1\" ist kein Numra-Rechenstreifen.").arg(name)
                                             : damaged(name, lineNumber);
            break;
        }
        if (lineNumber == 1) {
            if (!line.startsWith(kMagic))
                document.error = QStringLiteral("\"%1\" ist kein Numra-Rechenstreifen.").arg(name);
            else if (QStringView(line).sliced(kMagic.size()) != kVersion)
                document.error =
                    QStringLiteral("\"%1\" ist ein Rechenstreifen einer neueren Numra-Version.").arg(name);
        } else if (lineNumber == 2) {
            const QString label = kSeparatorLabel.toString() + u'\t';
            if (!line.startsWith(label) || line.size() != label.size() + 1)
                document.error = damaged(name, lineNumber);
            else if (line.back() != decimalSeparator)
                document.error = QStringLiteral("\"%1\" wurde mit dem Dezimaltrennzeichen \"%2\" gespeichert, hier gilt "
                                                "\"%3\".")
                                     .arg(name, QString(line.back()), QString(decimalSeparator));
        } else if (lineNumber == 3) {
            if (line != columnLine())
                document.error = damaged(name, lineNumber);
        } else if (qsizetype(document.rows.size()) == kMaxTapeRows) {
            document.error = tooLarge;
        } else if (std::optional<DocumentRow> row = decodeRow(line)) {
            document.rows.push_back(*std::move(row));
        } else {
            document.error = damaged(name, lineNumber);
        }
        if (!document.error.isEmpty())
            break;
    }
    if (document.error.isEmpty() && lineNumber < kHeaderLines)
        document.error = lineNumber == 0 ? QStringLiteral("\"%1\" ist kein Numra-Rechenstreifen.").arg(name)
                                         : damaged(name, lineNumber + 1);
    for (std::size_t i = 0; i < document.rows.size() && document.error.isEmpty(); ++i) {
        const std::optional<qsizetype> source = document.rows[i].linkedTo;
        if (source && (*source >= qsizetype(document.rows.size()) || *source == qsizetype(i)))
            document.error = damaged(name, kHeaderLines + 1 + qsizetype(i));
    }
    if (!document.error.isEmpty())
        document.rows.clear();
    return document;
}

} // namespace numra
