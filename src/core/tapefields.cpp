// SPDX-License-Identifier: GPL-3.0-or-later
#include "tapefields.h"

namespace numra::tapefields {

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

} // namespace numra::tapefields
