// SPDX-License-Identifier: GPL-3.0-or-later
#include "linereader.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <unistd.h>

namespace numra::evaltool {

namespace {

std::string_view withoutCarriageReturn(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

} // namespace

LineReader::Next LineReader::next(std::string_view& line)
{
    for (;;) {
        const char* text = buffer_.data();
        if (const void* lineEnd = std::memchr(text + scanned_, '\n', end_ - scanned_)) {
            const auto breakAt = std::size_t(static_cast<const char*>(lineEnd) - text);
            line = withoutCarriageReturn(std::string_view(text + begin_, breakAt - begin_));
            begin_ = scanned_ = breakAt + 1;
            if (skipping_) {
                skipping_ = false;
                return Next::TooLong;
            }
            // A CR before the line break is not part of the line.
            return line.size() > kMaxLineLength ? Next::TooLong : Next::Line;
        }
        scanned_ = end_;
        if (end_ - begin_ > kMaxLineLength + 1) // + 1: a CR that may end it
            skipLongLine();
        if (ended_) {
            if (begin_ == end_ && !skipping_)
                return Next::End;
            // The last line has no line break.
            line = withoutCarriageReturn(std::string_view(text + begin_, end_ - begin_));
            begin_ = scanned_ = end_;
            if (skipping_ || line.size() > kMaxLineLength) {
                skipping_ = false;
                return Next::TooLong;
            }
            return Next::Line;
        }
        readMore();
    }
}

// What was read of a line that is too long goes; the rest of it is read and
// dropped up to its line break.
void LineReader::skipLongLine()
{
    skipping_ = true;
    begin_ = scanned_ = end_ = 0;
}

// Moves the unread text to the front, makes room for a block and reads.
void LineReader::readMore()
{
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        scanned_ -= begin_;
        begin_ = 0;
    }
    if (buffer_.size() - end_ < kBlockSize / 2) // a line longer than the block
        buffer_.resize(buffer_.size() * 2);
    if (!inputReady())
        pending_.flush();
    ssize_t count;
    do {
        count = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    } while (count < 0 && errno == EINTR);
    if (count < 0)
        error_ = errno;
    if (count <= 0)
        ended_ = true;
    else
        end_ += std::size_t(count);
}

bool LineReader::inputReady() const
{
    pollfd request{fd_, POLLIN, 0};
    return ::poll(&request, 1, 0) > 0;
}

} // namespace numra::evaltool
