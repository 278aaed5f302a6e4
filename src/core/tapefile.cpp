// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tapefile.h"

#include "eval/errors.h"
#include "files/wholefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

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

std::optional<std::vector<TapeRow>> decodeTapeFile(const QByteArray& bytes)
{
    if (bytes.size() > kMaxTapeFileSize || !bytes.endsWith('\n'))
        return std::nullopt;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;

    QStringView rest = QStringView(text).chopped(1); // the last LF ends the last line
    const qsizetype headerEnd = rest.indexOf(u'\n');
    if (rest.first(headerEnd < 0 ? rest.size() : headerEnd) != kHeader)
        return std::nullopt;
    std::vector<TapeRow> rows;
    if (headerEnd < 0)
        return rows;
    rest = rest.sliced(headerEnd + 1);
    for (QStringView line : rest.tokenize(u'\n')) {
        std::optional<TapeRow> row = decodeRow(line);
        if (!row || qsizetype(rows.size()) == kMaxTapeRows)
            return std::nullopt;
        rows.push_back(*std::move(row));
    }
    return rows;
}

KeptTape::KeptTape(Tape& tape, QString path)
    : tape_(tape), path_(std::move(path)), savedRevision_(tape.revision())
{
}

bool KeptTape::load()
{
    std::optional<std::vector<TapeRow>> rows;
    try {
        if (const std::optional<QByteArray> bytes = readWholeFile(path_, kMaxTapeFileSize))
            rows = decodeTapeFile(*bytes);
    } catch (const Error&) {
        // missing or unreadable: the same as corrupt for the caller
    }
    tape_.replaceRows(rows ? *std::move(rows) : std::vector<TapeRow>());
    savedRevision_ = tape_.revision();
    return rows.has_value();
}

void KeptTape::save()
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    writeWholeFile(path_, encodeTapeFile(tape_));
    savedRevision_ = tape_.revision();
}

void KeptTape::saveIfChanged()
{
    if (tape_.revision() != savedRevision_)
        save();
}

void KeptTape::forget()
{
    QFile::remove(path_);
}

} // namespace numra
