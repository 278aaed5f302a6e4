// SPDX-License-Identifier: GPL-3.0-or-later
#include "output.h"

#include <QByteArray>
#include <cerrno>
#include <unistd.h>

namespace numra::evaltool {

namespace {
constexpr std::size_t kBlockSize = 1 << 16;
}

Output::Output(int fd) : fd_(fd), buffer_(2 * kBlockSize) {}

// ASCII, nearly every line, is copied as it is; any other text goes through
// Qt's encoder. Both loops run without an early exit, so the compiler
// vectorizes them.
void Output::append(QStringView text)
{
    const auto size = std::size_t(text.size());
    const char16_t* in = text.utf16();
    char16_t highBits = 0;
    for (std::size_t i = 0; i < size; ++i)
        highBits |= in[i];
    if (highBits >= 0x80) {
        appendBytes(text.toUtf8());
        return;
    }
    char* out = room(size);
    for (std::size_t i = 0; i < size; ++i)
        out[i] = char(in[i]);
    used_ += size;
}

// Room for size bytes and a line break after them.
char* Output::room(std::size_t size)
{
    if (buffer_.size() - used_ < size + 1)
        buffer_.resize(used_ + size + kBlockSize);
    return buffer_.data() + used_;
}

void Output::appendBytes(const QByteArray& data)
{
    std::copy(data.begin(), data.end(), room(std::size_t(data.size())));
    used_ += std::size_t(data.size());
}

void Output::line(std::initializer_list<QStringView> parts)
{
    for (QStringView part : parts)
        append(part);
    buffer_[used_++] = '\n';
    if (used_ >= kBlockSize)
        flush();
}

void Output::bytes(const QByteArray& data)
{
    appendBytes(data);
    if (used_ >= kBlockSize)
        flush();
}

// A write may be cut short (a pipe, a signal); the next one then goes on or
// reports why it cannot.
void Output::flush()
{
    for (std::size_t done = 0; done < used_ && error_ == 0;) {
        const ssize_t written = ::write(fd_, buffer_.data() + done, used_ - done);
        if (written > 0)
            done += std::size_t(written);
        else if (written == 0)
            error_ = EIO;
        else if (errno != EINTR)
            error_ = errno;
    }
    used_ = 0;
}

} // namespace numra::evaltool
