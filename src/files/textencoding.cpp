// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/textencoding.h"

#include "files/ansicodepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <string_view>

namespace numra {

namespace {

struct MarkedEncoding {
    TextEncoding encoding;
    std::string_view mark;
    QStringConverter::Encoding converter;
};

// Tested in this order when a file is read.
constexpr MarkedEncoding kMarkedEncodings[] = {
    {TextEncoding::Utf8, "\xEF\xBB\xBF", QStringConverter::Utf8},
    {TextEncoding::Utf16LE, "\xFF\xFE", QStringConverter::Utf16LE},
    {TextEncoding::Utf16BE, "\xFE\xFF", QStringConverter::Utf16BE},
};

const MarkedEncoding* markedEncoding(TextEncoding encoding)
{
    for (const MarkedEncoding& marked : kMarkedEncodings)
        if (marked.encoding == encoding)
            return &marked;
    return nullptr;
}

// A second mark after the first is text, as is every other character.
constexpr auto kConverterFlags = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

} // namespace

DecodedText decodeText(const QByteArray& bytes)
{
    const std::string_view view(bytes.constData(), static_cast<size_t>(bytes.size()));
    for (const MarkedEncoding& marked : kMarkedEncodings) {
        if (!view.starts_with(marked.mark))
            continue;
        QStringDecoder decoder(marked.converter, kConverterFlags);
        QString text = decoder.decode(QByteArrayView(bytes).sliced(static_cast<qsizetype>(marked.mark.size())));
        // Only UTF-8 is strict; an odd last byte of UTF-16 reads as U+FFFD.
        if (marked.encoding == TextEncoding::Utf8 && decoder.hasError())
            text.clear();
        return {text, marked.encoding};
    }
    return {decodeAnsi(bytes), TextEncoding::Ansi};
}

QByteArray encodeText(const QString& text, TextEncoding encoding)
{
    const MarkedEncoding* marked = markedEncoding(encoding);
    if (!marked)
        return encodeAnsi(text);
    QStringEncoder encoder(marked->converter, kConverterFlags);
    QByteArray bytes(marked->mark.data(), static_cast<qsizetype>(marked->mark.size()));
    bytes += encoder.encode(text);
    return bytes;
}

} // namespace numra
