// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// UTF-8 lines on standard output, collected and written in large blocks;
// flush() writes what is pending (the line reader calls it before it waits
// for input). Every write is checked: after the first that fails (a full
// disk, /dev/full, a closed descriptor, a file-size limit) nothing more is
// written and error() tells why, so that the program can say so and fail.

#include <QByteArray>
#include <QStringView>
#include <initializer_list>
#include <vector>

namespace numra::evaltool {

class Output {
public:
    explicit Output(int fd);
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

    // The errno of the first write that failed, 0 while all went through.
    int error() const { return error_; }

private:
    void append(QStringView text);
    char* room(std::size_t size);
    void appendBytes(const QByteArray& data);

    int fd_;
    std::vector<char> buffer_; // always room for a line break after a part
    std::size_t used_ = 0;
    int error_ = 0;
};

} // namespace numra::evaltool
