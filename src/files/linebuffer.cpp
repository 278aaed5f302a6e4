// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/linebuffer.h"

#include "files/calculationfile.h"
#include "files/wholefile.h"

namespace numra {

namespace {

constexpr QStringView kLineBreak = u"\r\n";

// LF, a CR not followed by LF, and CR LF all become CR LF.
QString normalizeLineBreaks(const QString& text)
{
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            result += kLineBreak;
        } else if (c == u'\n') {
            result += kLineBreak;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace

void LineBuffer::addLine(const QString& line)
{
    if (!text_.isEmpty() && !text_.endsWith(kLineBreak))
        text_ += kLineBreak;
    text_ += line;
    text_ += kLineBreak;
}

void LineBuffer::loadFromFile(const QString& path)
{
    DecodedText decoded = decodeText(readCalculationFile(path));
    text_ = normalizeLineBreaks(decoded.text);
    encoding_ = decoded.encoding;
}

void LineBuffer::saveToFile(const QString& path) const
{
    writeWholeFile(path, encodeText(text_, encoding_));
}

} // namespace numra
