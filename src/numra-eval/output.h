// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// UTF-8 lines on standard output, collected and written in large blocks;
// flush() writes what is pending (the line reader calls it before it waits
// for input).

#include <QByteArray>
#include <QStringView>
#include <cstdio>
#include <initializer_list>
#include <vector>

namespace numra::evaltool {

class Output {
public:
    explicit Output(std::FILE* stream);
    ~Output() { flush(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // One line of the parts one after the other.
    void line(std::initializer_list<QStringView> parts);
    void line(QStringView text) { line({text}); }
    void line(QStringView prefix, QStringView text) { line({prefix, text}); }
    // Bytes as they are, line breaks included.
    void bytes(const QByteArray& data);
    void flush();

private:
    void append(QStringView text);
    char* room(std::size_t size);
    void appendBytes(const QByteArray& data);

    std::FILE* stream_;
    std::vector<char> buffer_; // always room for a line break after a part
    std::size_t used_ = 0;
};

} // namespace numra::evaltool
