// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tapefile.h"

#include <QStringDecoder>
#include <utility>

namespace numra {

namespace {

constexpr QStringView kHeader = u"Numra-Rechenstreifen 1";
constexpr int kFieldCount = 3; // kind, formula, result

QString escaped(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        default: out += c; break;
        }
    }
    return out;
}

std::optional<QString> unescaped(QStringView field)
{
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        if (c == u'\r')
            return std::nullopt;
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++i == field.size())
            return std::nullopt;
        switch (field[i].unicode()) {
        case u'\\': out += u'\\'; break;
        case u't': out += u'\t'; break;
        case u'n': out += u'\n'; break;
        case u'r': out += u'\r'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::optional<TapeRow> decodeRow(QStringView line)
{
    const QList<QStringView> fields = line.split(u'\t');
    if (fields.size() != kFieldCount)
        return std::nullopt;
    const std::optional<TapeRowKind> kind = tapeRowKindNamed(fields[0]);
    std::optional<QString> formula = unescaped(fields[1]);
    std::optional<QString> result = unescaped(fields[2]);
    if (!kind || !formula || !result)
        return std::nullopt;
    return TapeRow{*kind, *std::move(formula), *std::move(result)};
}

} // namespace

QByteArray encodeTapeFile(const Tape& tape)
{
    QString text = kHeader.toString() + u'\n';
    for (qsizetype i = 0; i < tape.size(); ++i) {
        const TapeRow& row = tape.row(i);
        text += tapeRowKindName(row.kind).toString() + u'\t' + escaped(row.formula) + u'\t' + escaped(row.result) + u'\n';
    }
    return text.toUtf8();
}

TapeFileRows readTapeFile(const QByteArray& bytes)
{
    TapeFileRows file;
    // Line by line, so that a damaged line costs only itself.
    QStringDecoder utf8(QStringDecoder::Utf8);
    qsizetype lineStart = 0;
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
            file.headerFound = readable && line == kHeader;
            continue;
        }
        std::optional<TapeRow> row;
        if (readable && file.headerFound)
            row = decodeRow(line);
        if (row)
            file.rows.push_back(*std::move(row));
        else
            ++file.damagedLines;
    }
    if (qsizetype(file.rows.size()) > kMaxTapeRows) {
        file.rowsOverLimit = qsizetype(file.rows.size()) - kMaxTapeRows;
        file.rows.erase(file.rows.begin(), file.rows.begin() + file.rowsOverLimit);
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
    return std::move(file.rows);
}

} // namespace numra
