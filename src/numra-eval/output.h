// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Buffered UTF-8 lines on standard output: written in large blocks, never
// flushed per line.

#include <QString>
#include <cstdio>
#include <string>

namespace numra::evaltool {

class Output {
public:
    explicit Output(std::FILE* stream) : stream_(stream) {}
    ~Output() { flush(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void line(const QString& text);
    void line(const QString& prefix, const QString& text);
    // Bytes as they are, line breaks included.
    void bytes(const QByteArray& data);
    void flush();

private:
    void append(const QString& text);

    std::FILE* stream_;
    std::string buffer_;
};

} // namespace numra::evaltool
