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
        // An error that names its unit already has its location.
        if (error.hasLocation())
            throw;
        const int position = error.position() == -1 ? lexer_.endPos() : error.position();
        throw error.located(position, unitName, lineOf(position));
    }
}

} // namespace numra
