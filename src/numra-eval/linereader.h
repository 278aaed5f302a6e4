// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lines of an input, read in large blocks. Before a read that would wait
// for more input (a terminal, or a pipe whose writer waits for an answer),
// the pending output is flushed, so every line read so far is answered; a
// file or a full pipe is read and answered in large blocks. A line longer
// than kMaxLineLength is skipped up to its line break instead of being held:
// memory holds one block and at most the longest line allowed, whatever the
// input.

#include "output.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace numra::evaltool {

// Bytes of a line without its line break.
inline constexpr std::size_t kMaxLineLength = std::size_t(1) << 20;

class LineReader {
public:
    LineReader(int fd, Output& pending) : fd_(fd), pending_(pending), buffer_(kBlockSize) {}

    enum class Next { Line, TooLong, End };

    // The next line without its line break (LF or CR LF), a line that was
    // too long, or the end of the input (also after a read error). The view
    // lasts until the next call.
    Next next(std::string_view& line);

    // The errno of the read that failed, 0 when the input simply ended.
    int error() const { return error_; }

private:
    static constexpr std::size_t kBlockSize = 1 << 16;

    void readMore();
    void skipLongLine();
    bool inputReady() const;

    int fd_;
    Output& pending_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;   // start of the unread text
    std::size_t scanned_ = 0; // up to here the unread text holds no line break
    std::size_t end_ = 0;
    bool ended_ = false;
    bool skipping_ = false;   // within a line that is too long
    int error_ = 0;
};

} // namespace numra::evaltool
