// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The encodings of calculation files and their byte-order marks.

#include <QByteArray>
#include <QString>

namespace numra {

enum class TextEncoding {
    Ansi,    // the ANSI code page, no mark
    Utf8,    // EF BB BF
    Utf16LE, // FF FE
    Utf16BE, // FE FF
};

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Ansi;
};

// The first bytes decide the encoding; the mark is not part of the text. A
// file marked as UTF-8 that holds bytes which are not valid UTF-8 reads as
// empty text. Line breaks are left as they are.
DecodedText decodeText(const QByteArray& bytes);

// The text in the given encoding, preceded by its mark if it has one.
QByteArray encodeText(const QString& text, TextEncoding encoding);

} // namespace numra
