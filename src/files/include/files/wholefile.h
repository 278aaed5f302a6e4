// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole files as bytes: read with a bound on their size, written atomically.
// Failures are thrown as Error with the file's full path and the system's
// error text.

#include <QByteArray>
#include <QString>
#include <optional>

namespace numra {

// The whole file, or nothing when it holds more than maxSize bytes. At most
// maxSize + 1 bytes are read: devices report no size, and a wrongly chosen
// file must not fill the memory. Failure: "Datei %s kann nicht geöffnet
// werden. %s".
std::optional<QByteArray> readWholeFile(const QString& path, qint64 maxSize);

// Creates or replaces the file. The bytes go to a new file beside it that
// takes the old one's place only when complete, so a failed write leaves an
// existing file as it was. Failure: "Datei "%s" kann nicht erstellt werden. %s".
void writeWholeFile(const QString& path, const QByteArray& bytes);

// The path as the messages name it.
QString fullPath(const QString& path);

} // namespace numra
