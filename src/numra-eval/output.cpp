// SPDX-License-Identifier: GPL-3.0-or-later
#include "output.h"

namespace numra::evaltool {

namespace {
constexpr std::size_t kBlockSize = 1 << 16;
}

void Output::append(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    buffer_.append(utf8.constData(), std::size_t(utf8.size()));
}

void Output::line(const QString& text)
{
    append(text);
    buffer_ += '\n';
    if (buffer_.size() >= kBlockSize)
        flush();
}

void Output::line(const QString& prefix, const QString& text)
{
    append(prefix);
    line(text);
}

void Output::bytes(const QByteArray& data)
{
    buffer_.append(data.constData(), std::size_t(data.size()));
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
