// SPDX-License-Identifier: GPL-3.0-or-later
#include "output.h"

#include <QByteArray>

namespace numra::evaltool {

namespace {
constexpr std::size_t kBlockSize = 1 << 16;
}

Output::Output(std::FILE* stream) : stream_(stream)
{
    buffer_.reserve(2 * kBlockSize);
}

// ASCII, nearly every line, is copied as it is; any other text goes through
// Qt's encoder.
void Output::append(QStringView text)
{
    const std::size_t start = buffer_.size();
    buffer_.resize(start + std::size_t(text.size()));
    char* out = buffer_.data() + start;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            buffer_.resize(start);
            const QByteArray utf8 = text.toUtf8();
            buffer_.append(utf8.constData(), std::size_t(utf8.size()));
            return;
        }
        *out++ = char(c.unicode());
    }
}

void Output::line(std::initializer_list<QStringView> parts)
{
    for (QStringView part : parts)
        append(part);
    buffer_ += '\n';
    if (buffer_.size() >= kBlockSize)
        flush();
}

void Output::flush()
{
    if (!buffer_.empty())
        std::fwrite(buffer_.data(), 1, buffer_.size(), stream_);
    buffer_.clear();
    std::fflush(stream_);
}

} // namespace numra::evaltool
