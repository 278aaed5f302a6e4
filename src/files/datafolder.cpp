// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/datafolder.h"

#include <QStandardPaths>

namespace numra {

namespace {

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
    return applicationDataFolder() + QStringLiteral("/morvane/");
}

QString keptTapeFile()
{
    return applicationDataFolder() + QStringLiteral("/numra/rechenstreifen.tsv");
}

QString settingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/numra/numra.conf");
}

} // namespace numra
