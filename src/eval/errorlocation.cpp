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

void ErrorLocator::addErrorLocation(const QString& unitName)
{
    try {
        throw;
    } catch (const InterpreterError& error) {
        if (error.hasLocation())
            throw;
        const int position = error.position() == -1 ? lexer_.endPos() : error.position();
        const QString unit = error.unitName().isEmpty() ? unitName : error.unitName();
        throw error.located(position, unit, lineOf(position));
    }
}

} // namespace numra
