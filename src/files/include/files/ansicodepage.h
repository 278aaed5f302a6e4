// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 8-bit code page that stands for the ANSI code page of calculation files
// without a byte-order mark: Windows-1252, the code page of German Windows.

#include <QByteArray>
#include <QString>

namespace numra {

// Every byte gives one character. The five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the control characters of
// the same number, as Windows reads them.
QString decodeAnsi(const QByteArray& bytes);

// Every character gives one byte; a character the code page cannot hold is
// written as "?".
QByteArray encodeAnsi(const QString& text);

} // namespace numra
