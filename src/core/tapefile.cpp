// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tapefile.h"

#include "core/vatrates.h"
#include "tapefields.h"

#include <QStringDecoder>
#include <utility>

namespace numra {

namespace {

using tapefields::escaped;
using tapefields::unescaped;

constexpr QStringView kHeader1 = u"Numra-Rechenstreifen 1";
constexpr QStringView kHeader2 = u"Numra-Rechenstreifen 2";
constexpr int kFieldCount1 = 3;  // kind, formula, result
constexpr int kFieldCount2 = 10; // id, kind, formula, result, note, error, rounding, rate, amount, link

QString idText(TapeRowId id)
{
    return QStringLiteral("%1").arg(id, 16, 16, QChar(u'0'));
}

std::optional<TapeRowId> idNamed(QStringView text)
{
    bool ok = false;
    const TapeRowId id = text.size() <= 16 ? text.toULongLong(&ok, 16) : 0;
    return ok && id != 0 && !text.startsWith(u'+') && !text.startsWith(u'-') ? std::optional(id) : std::nullopt;
}

QString linkText(const std::optional<TapeRowLink>& link)
{
    if (!link)
        return QString();
    return QStringLiteral("%1:%2:%3").arg(idText(link->source)).arg(link->span.start).arg(link->span.length);
}

std::optional<int> count(QStringView text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= 0 && !text.startsWith(u'+') ? std::optional(value) : std::nullopt;
}

// Empty for none; nothing for a field that is no link.
std::optional<std::optional<TapeRowLink>> linkNamed(QStringView text)
{
    if (text.isEmpty())
        return std::optional<TapeRowLink>();
    const QList<QStringView> parts = text.split(u':');
    if (parts.size() != 3)
        return std::nullopt;
    const std::optional<TapeRowId> source = idNamed(parts[0]);
    const std::optional<int> start = count(parts[1]);
    const std::optional<int> length = count(parts[2]);
    if (!source || !start || !length || *length == 0)
        return std::nullopt;
    return std::optional(TapeRowLink{*source, {*start, *length}});
}

std::optional<TapeEntry> decodeRow1(const QList<QStringView>& fields)
{
    if (fields.size() != kFieldCount1)
        return std::nullopt;
    const std::optional<TapeRowKind> kind = tapeRowKindNamed(fields[0]);
    std::optional<QString> formula = unescaped(fields[1]);
    std::optional<QString> result = unescaped(fields[2]);
    if (!kind || !formula || !result)
        return std::nullopt;
    TapeEntry entry{0, TapeRow{*kind, *std::move(formula), *std::move(result)}, std::nullopt, Number()};
    entry.row.recipe = inferredRecipe(entry.row);
    return entry;
}

std::optional<TapeEntry> decodeRow2(const QList<QStringView>& fields)
{
    if (fields.size() != kFieldCount2)
        return std::nullopt;
    const std::optional<TapeRowId> id = idNamed(fields[0]);
    const std::optional<TapeRowKind> kind = tapeRowKindNamed(fields[1]);
    std::optional<QString> texts[] = {unescaped(fields[2]), unescaped(fields[3]), unescaped(fields[4]),
                                      unescaped(fields[5]), unescaped(fields[8])};
    const std::optional<std::optional<TapeRowLink>> link = linkNamed(fields[9]);
    const bool rounded = fields[6] == u"2";
    const std::optional<int> rate = fields[7].isEmpty() ? std::optional(0) : count(fields[7]);
    if (!id || !kind || !link || (!rounded && !fields[6].isEmpty()) || !rate || *rate > kMaxVatRate)
        return std::nullopt;
    for (const std::optional<QString>& text : texts)
        if (!text)
            return std::nullopt;
    if (texts[2]->size() > kMaxNoteLength)
        return std::nullopt;
    TapeRow row{*kind, *std::move(texts[0]), *std::move(texts[1]), *std::move(texts[2]), *std::move(texts[3]),
                TapeRecipe{rounded, *rate, *std::move(texts[4])}};
    return TapeEntry{*id, std::move(row), *link, Number()};
}

} // namespace

QString tapeFileLine(const TapeEntry& entry)
{
    const TapeRow& row = entry.row;
    const bool vat = isVatKind(row.kind);
    return QStringList{idText(entry.id),
                       tapeRowKindName(row.kind).toString(),
                       escaped(row.formula),
                       escaped(row.result),
                       escaped(row.note),
                       escaped(row.error),
                       row.recipe.twoDecimals ? QStringLiteral("2") : QString(),
                       vat ? QString::number(row.recipe.vatRate) : QString(),
                       escaped(row.recipe.vatAmount),
                       linkText(entry.link)}
        .join(u'\t');
}

QByteArray encodeTapeFile(const std::vector<TapeEntry>& entries)
{
    QString text = kHeader2.toString() + u'\n';
    for (const TapeEntry& entry : entries)
        text += tapeFileLine(entry) + u'\n';
    return text.toUtf8();
}

QByteArray encodeTapeFile(const Tape& tape)
{
    return encodeTapeFile(tape.entries());
}

TapeFileRows readTapeFile(const QByteArray& bytes)
{
    TapeFileRows file;
    // Line by line, so that a damaged line costs only itself.
    QStringDecoder utf8(QStringDecoder::Utf8);
    qsizetype lineStart = 0;
    int version = 0;
    bool first = true;
    while (lineStart < bytes.size()) {
        const qsizetype lineEnd = bytes.indexOf('\n', lineStart);
        const bool cutOff = lineEnd < 0;
        const QByteArrayView lineBytes(bytes.constData() + lineStart,
                                       (cutOff ? bytes.size() : lineEnd) - lineStart);
        lineStart = cutOff ? bytes.size() : lineEnd + 1;
        utf8.resetState();
        const QString line = utf8(lineBytes);
        const bool readable = !cutOff && !utf8.hasError();
        if (std::exchange(first, false)) {
            version = !readable ? 0 : line == kHeader1 ? 1 : line == kHeader2 ? 2 : 0;
            file.headerFound = version != 0;
            continue;
        }
        std::optional<TapeEntry> entry;
        if (readable && version != 0) {
            const QList<QStringView> fields = QStringView(line).split(u'\t');
            entry = version == 1 ? decodeRow1(fields) : decodeRow2(fields);
        }
        if (entry)
            file.entries.push_back(*std::move(entry));
        else
            ++file.damagedLines;
    }
    if (qsizetype(file.entries.size()) > kMaxTapeRows) {
        file.rowsOverLimit = qsizetype(file.entries.size()) - kMaxTapeRows;
        file.entries.erase(file.entries.begin(), file.entries.begin() + file.rowsOverLimit);
    }
    return file;
}

std::optional<std::vector<TapeRow>> decodeTapeFile(const QByteArray& bytes)
{
    if (bytes.size() > kMaxTapeFileSize)
        return std::nullopt;
    TapeFileRows file = readTapeFile(bytes);
    if (!file.whole())
        return std::nullopt;
    std::vector<TapeRow> rows;
    rows.reserve(file.entries.size());
    for (TapeEntry& entry : file.entries)
        rows.push_back(std::move(entry.row));
    return rows;
}

} // namespace numra
