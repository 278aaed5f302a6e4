// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handover.h"

#include <QList>
#include <QStringDecoder>
#include <array>

namespace numra::platform {

namespace {

constexpr QByteArrayView kProtocol = "numra-1";

struct CommandWord {
    HandOverCommand command;
    QByteArrayView word;
};

constexpr std::array kCommandWords{
    CommandWord{HandOverCommand::Front, "front"},
    CommandWord{HandOverCommand::ShowOrHide, "show-or-hide"},
    CommandWord{HandOverCommand::Clipboard, "clipboard"},
    CommandWord{HandOverCommand::Open, "open"},
};

QByteArray escaped(const QString& field)
{
    QByteArray out;
    for (const char c : field.toUtf8()) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

// Nothing for a backslash before anything but the four, for a bare control
// character, and for bytes that are not UTF-8.
std::optional<QString> unescaped(QByteArrayView field)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f')
            return std::nullopt;
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (++i == field.size())
            return std::nullopt;
        switch (field[i]) {
        case '\\': bytes += '\\'; break;
        case 't': bytes += '\t'; break;
        case 'n': bytes += '\n'; break;
        case 'r': bytes += '\r'; break;
        default: return std::nullopt;
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

std::optional<HandOver> refuse(QString* problem, const QString& why)
{
    if (problem)
        *problem = why;
    return std::nullopt;
}

} // namespace

QByteArray handOverLine(const HandOver& handOver)
{
    QByteArray line = kProtocol.toByteArray();
    for (const CommandWord& entry : kCommandWords)
        if (entry.command == handOver.command)
            line += '\t' + entry.word.toByteArray();
    line += '\t' + escaped(handOver.activationToken);
    line += '\t' + escaped(handOver.file);
    return line + '\n';
}

std::optional<HandOver> readHandOverLine(QByteArrayView line, QString* problem)
{
    if (line.size() > kLongestHandOverLine)
        return refuse(problem, QStringLiteral("longer than %1 bytes").arg(kLongestHandOverLine));
    QList<QByteArrayView> fields;
    for (qsizetype start = 0;;) {
        const qsizetype tab = line.indexOf('\t', start);
        fields.append(line.sliced(start, (tab < 0 ? line.size() : tab) - start));
        if (tab < 0)
            break;
        start = tab + 1;
    }
    if (fields.size() != 4 || fields[0] != kProtocol)
        return refuse(problem, QStringLiteral("not a line of %1").arg(QLatin1StringView(kProtocol)));
    HandOver handOver;
    bool known = false;
    for (const CommandWord& entry : kCommandWords) {
        if (fields[1] == entry.word) {
            handOver.command = entry.command;
            known = true;
        }
    }
    if (!known)
        return refuse(problem, QStringLiteral("unknown command"));
    const std::optional<QString> token = unescaped(fields[2]);
    const std::optional<QString> file = unescaped(fields[3]);
    if (!token || !file)
        return refuse(problem, QStringLiteral("a field is not escaped UTF-8"));
    handOver.activationToken = *token;
    handOver.file = *file;
    const bool opens = handOver.command == HandOverCommand::Open;
    if (opens != !handOver.file.isEmpty())
        return refuse(problem, opens ? QStringLiteral("no file to open") : QStringLiteral("a file without open"));
    if (opens && !handOver.file.startsWith(u'/'))
        return refuse(problem, QStringLiteral("the file's path is not absolute"));
    return handOver;
}

} // namespace numra::platform
