// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/errorlocation.h"

#include <algorithm>

namespace numra {

// Lines are counted by their carriage returns.
int ErrorLocator::lineOf(int position) const
{
    const QStringView before = QStringView(lexer_.source()).left(std::max(position, 0));
    return int(before.count(u'\r')) + 1;
}

InterpreterError ErrorLocator::located(const InterpreterError& error, const QString& unitName) const
{
    if (error.hasLocation())
        return error;
    const int position = error.position() == -1 ? lexer_.endPos() : error.position();
    return error.located(position, unitName, lineOf(position));
}

} // namespace numra
