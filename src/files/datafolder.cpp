// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/datafolder.h"

#include <QStandardPaths>

namespace numra {

QString dataFolder()
{
    QString path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (path.endsWith(u'/'))
        path.chop(1);
    return path + QStringLiteral("/morvane/");
}

} // namespace numra
