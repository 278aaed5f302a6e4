// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/calculationfile.h"

#include "eval/errors.h"
#include "files/wholefile.h"

namespace numra {

QByteArray readCalculationFile(const QString& path)
{
    if (std::optional<QByteArray> bytes = readWholeFile(path, kMaxCalculationFileSize))
        return *std::move(bytes);
    throw Error(QStringLiteral("Datei %1 ist zu groß für eine Berechnung (mehr als 1 MiB).").arg(fullPath(path)));
}

} // namespace numra
