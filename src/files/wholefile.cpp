// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/wholefile.h"

#include "eval/errors.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace numra {

namespace {

constexpr qint64 kBlockSize = 64 * 1024;

Error cannotOpen(const QString& path, const QString& reason)
{
    return Error(QStringLiteral("Datei %1 kann nicht geöffnet werden. %2").arg(fullPath(path), reason));
}

Error cannotCreate(const QString& path, const QString& reason)
{
    return Error(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2").arg(fullPath(path), reason));
}

} // namespace

QString fullPath(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}

std::optional<QByteArray> readWholeFile(const QString& path, qint64 maxSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw cannotOpen(path, file.errorString());
    if (file.size() > maxSize)
        return std::nullopt;
    // In blocks, so that what is kept in memory grows with the file, not
    // with the bound.
    QByteArray bytes;
    while (bytes.size() <= maxSize) {
        const QByteArray block = file.read(std::min(kBlockSize, maxSize + 1 - bytes.size()));
        if (block.isEmpty())
            break;
        bytes += block;
    }
    if (file.error() != QFileDevice::NoError)
        throw cannotOpen(path, file.errorString());
    if (bytes.size() > maxSize)
        return std::nullopt;
    return bytes;
}

void writeWholeFile(const QString& path, const QByteArray& bytes)
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
