// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/digitgrouping.h"

#include "eval/charclass.h"

namespace numra {

namespace {

// The integer digits of a shown number: an optional "-", digits, then the
// decimal separator and digits or an exponent or nothing. Nothing for any
// other text.
bool findIntegerDigits(QStringView shown, QChar decimalSeparator, qsizetype& start, qsizetype& end)
{
    start = !shown.isEmpty() && shown[0] == u'-' ? 1 : 0;
    end = start;
    while (end < shown.size() && charclass::isDigit(shown[end].unicode()))
        ++end;
    if (end == start)
        return false;
    qsizetype i = end;
    if (i < shown.size() && shown[i] == decimalSeparator) {
        ++i;
        while (i < shown.size() && charclass::isDigit(shown[i].unicode()))
            ++i;
    }
    if (i < shown.size() && shown[i] == u'E') {
        ++i;
        if (i < shown.size() && shown[i] == u'-')
            ++i;
        const qsizetype digits = i;
        while (i < shown.size() && charclass::isDigit(shown[i].unicode()))
            ++i;
        if (i == digits)
            return false;
    }
    return i == shown.size();
}

} // namespace

QChar groupSeparatorFor(QChar decimalSeparator)
{
    if (decimalSeparator == u',')
        return u'.';
    if (decimalSeparator == u'.')
        return u',';
    return QChar(0x202F);
}

QString groupThousands(QStringView shown, QChar decimalSeparator)
{
    qsizetype start = 0;
    qsizetype end = 0;
    if (!findIntegerDigits(shown, decimalSeparator, start, end) || end - start <= 3)
        return shown.toString();
    const QChar group = groupSeparatorFor(decimalSeparator);
    const qsizetype digits = end - start;
    QString out;
    out.reserve(shown.size() + (digits - 1) / 3);
    out += shown.first(start);
    for (qsizetype i = start; i < end; ++i) {
        if (i > start && (end - i) % 3 == 0)
            out += group;
        out += shown[i];
    }
    out += shown.sliced(end);
    return out;
}

} // namespace numra
