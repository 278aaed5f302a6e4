// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the file open and save dialogs for calculation files offer. Both show
// the same two filters, "CLC" selected first; only the save dialog adds the
// extension to a name typed without one.

#include <QString>
#include <QStringList>

namespace numra {

struct FileFilter {
    const char* name;
    const char* pattern;
};

// "All" means every file. On Windows "*.*" does; here it would hide names
// without a dot, so the pattern is "*".
inline constexpr FileFilter kCalculationFileFilters[] = {
    {"CLC", "*.clc"},
    {"All", "*"},
};

inline constexpr char kCalculationFileSuffix[] = "clc";

// The filters in QFileDialog's notation, "CLC (*.clc)" first.
inline QStringList calculationFileFilters()
{
    QStringList filters;
    for (const FileFilter& filter : kCalculationFileFilters)
        filters << QStringLiteral("%1 (%2)").arg(QLatin1StringView(filter.name), QLatin1StringView(filter.pattern));
    return filters;
}

} // namespace numra
