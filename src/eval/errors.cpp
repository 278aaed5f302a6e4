// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/errors.h"

namespace numra {

ConvertError ConvertError::notAFloat(const QString& text)
{
    return ConvertError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(text));
}

QString errorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}

QString errorBoxTextOf(const std::exception& error, Language language)
{
    if (const auto* own = dynamic_cast<const Error*>(&error))
        return errorBoxText(own->messageIn(language));
    return errorBoxText(QString::fromLocal8Bit(error.what()));
}

QString unknownErrorBoxText()
{
    return errorBoxText(QStringLiteral("Unbekannter Fehler"));
}

static bool isBlank(QChar c) { return c.unicode() <= 32; }

QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    if (first == 0 && last == text.size())
        return text;
    return text.mid(first, last - first);
}

bool isBlankText(const QString& text)
{
    for (QChar c : text)
        if (!isBlank(c))
            return false;
    return true;
}

} // namespace numra
