// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing the bytes of calculation files. Failures are thrown as
// Error with the file's full path and the system's error text, for the
// default error box.

#include <QByteArray>
#include <QString>

namespace numra {

// A formula is a line of text; anything larger is refused before it is read,
// so a wrongly chosen file cannot freeze the window.
inline constexpr qint64 kMaxCalculationFileSize = 1024 * 1024;

// "Datei %s kann nicht geöffnet werden. %s", or the size refusal.
QByteArray readCalculationFile(const QString& path);

// Creates or replaces the file. The bytes go to a new file beside it that
// takes the old one's place only when complete, so a failed write leaves an
// existing file as it was. Failure: "Datei "%s" kann nicht erstellt werden. %s".
void writeCalculationFile(const QString& path, const QByteArray& bytes);

} // namespace numra
