// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/addmode.h"

#include <algorithm>

namespace numra {

namespace {

bool isDigits(const QString& text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

bool isSummand(QChar before, QChar after)
{
    const bool startsSummand = before.isNull() || before == u'+' || before == u'-' || before == u'(';
    const bool endsSummand = after.isNull() || after == u'+' || after == u'-' || after == u'=' || after == u')';
    return startsSummand && endsSummand;
}

QString addModeOperand(const QString& entry, bool keyedDigits, QChar before, QChar after, QChar decimalSeparator)
{
    if (!keyedDigits || !isDigits(entry) || !isSummand(before, after))
        return entry;
    qsizetype zeros = 0;
    while (zeros < entry.size() - 1 && entry[zeros] == u'0')
        ++zeros;
    QString cents = entry.sliced(zeros);
    if (cents.size() < 3)
        cents.prepend(QString(3 - cents.size(), u'0'));
    cents.insert(cents.size() - 2, decimalSeparator);
    return cents;
}

} // namespace numra
