// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/datafolder.h"

#include <QStandardPaths>

namespace numra {

namespace {

// Calculation files are the user's own and live where they always have: in
// the maker's folder "morvane", which users and their backups know. What the
// program keeps for itself (the tape, the settings) lives in "numra".
constexpr QLatin1StringView kCalculationFilesFolder("/morvane/");
constexpr QLatin1StringView kProgramFolder("/numra/");

// Without a trailing "/"; empty when it cannot be determined.
QString applicationDataFolder()
{
    QString path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (path.endsWith(u'/'))
        path.chop(1);
    return path;
}

} // namespace

QString dataFolder()
{
    return applicationDataFolder() + kCalculationFilesFolder;
}

QString keptTapeFile()
{
    return applicationDataFolder() + kProgramFolder + QStringLiteral("rechenstreifen.tsv");
}

QString settingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + kProgramFolder + QStringLiteral("numra.conf");
}

} // namespace numra
