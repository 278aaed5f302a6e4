// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/calculationfile.h"

#include "eval/errors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace numra {

namespace {

QString fullPath(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

Error cannotOpen(const QString& path, const QString& reason)
{
    return Error(QStringLiteral("Datei %1 kann nicht geöffnet werden. %2").arg(fullPath(path), reason));
}

Error cannotCreate(const QString& path, const QString& reason)
{
    return Error(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2").arg(fullPath(path), reason));
}

Error tooLarge(const QString& path)
{
    return Error(QStringLiteral("Datei %1 ist zu groß für eine Berechnung (mehr als 1 MiB).").arg(fullPath(path)));
}

} // namespace

QByteArray readCalculationFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw cannotOpen(path, file.errorString());
    if (file.size() > kMaxCalculationFileSize)
        throw tooLarge(path);
    // Devices report no size, so the limit also bounds the reading itself.
    QByteArray bytes = file.read(kMaxCalculationFileSize + 1);
    if (bytes.size() > kMaxCalculationFileSize)
        throw tooLarge(path);
    if (file.error() != QFileDevice::NoError)
        throw cannotOpen(path, file.errorString());
    return bytes;
}

void writeCalculationFile(const QString& path, const QByteArray& bytes)
{
    // Unbuffered: Qt 6.4's QSaveFile commits a file whose buffered write
    // failed while flushing, so each write must go through and be checked.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw cannotCreate(path, file.errorString());
    // A write may be cut short; the next one then reports why.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            throw cannotCreate(path, file.errorString());
        done += written;
    }
    if (!file.commit())
        throw cannotCreate(path, file.errorString());
}

} // namespace numra
