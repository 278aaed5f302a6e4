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

bool LineReader::next(std::string_view& line)
{
    for (;;) {
        const char* text = buffer_.data();
        if (const void* lineEnd = std::memchr(text + scanned_, '\n', end_ - scanned_)) {
            const auto breakAt = std::size_t(static_cast<const char*>(lineEnd) - text);
            line = withoutCarriageReturn(std::string_view(text + begin_, breakAt - begin_));
            begin_ = scanned_ = breakAt + 1;
            return true;
        }
        scanned_ = end_;
        if (ended_) {
            if (begin_ == end_)
                return false;
            // The last line has no line break.
            line = withoutCarriageReturn(std::string_view(text + begin_, end_ - begin_));
            begin_ = scanned_ = end_;
            return true;
        }
        readMore();
    }
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
    if (count <= 0) // a read error ends the input as its end does
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
