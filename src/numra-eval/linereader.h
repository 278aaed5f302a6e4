// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of an input, read in large blocks. Before a read that would wait
// for more input (a terminal, or a pipe whose writer waits for an answer),
// the pending output is flushed, so every line read so far is answered; a
// file or a full pipe is read and answered in large blocks. Memory holds one
// block and the longest line, whatever the length of the input.

#include "output.h"

#include <string_view>
#include <vector>

namespace numra::evaltool {

class LineReader {
public:
    LineReader(int fd, Output& pending) : fd_(fd), pending_(pending), buffer_(kBlockSize) {}

    // The next line without its line break (LF or CR LF); false at the end
    // of the input. The view lasts until the next call.
    bool next(std::string_view& line);

private:
    static constexpr std::size_t kBlockSize = 1 << 16;

    void readMore();
    bool inputReady() const;

    int fd_;
    Output& pending_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;   // start of the unread text
    std::size_t scanned_ = 0; // up to here the unread text holds no line break
    std::size_t end_ = 0;
    bool ended_ = false;
};

} // namespace numra::evaltool
