// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading the bytes of calculation files; they are written with
// writeWholeFile (files/wholefile.h).

#include <QByteArray>
#include <QString>

namespace numra {

// A formula is a line of text; anything larger is refused before it is read,
// so a wrongly chosen file cannot freeze the window.
inline constexpr qint64 kMaxCalculationFileSize = 1024 * 1024;

// "Datei %s kann nicht geöffnet werden. %s", or the size refusal.
QByteArray readCalculationFile(const QString& path);

} // namespace numra
