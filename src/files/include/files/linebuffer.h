// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's invisible line buffer through which calculations are
// saved and loaded. Besides its text it remembers the encoding of the last
// file read, which is the encoding the next save writes.

#include "files/textencoding.h"

#include <QString>

namespace numra {

class LineBuffer {
public:
    // Empties the text; the remembered encoding stays.
    void clear() { text_.clear(); }

    // Adds a line and its line break (CR LF).
    void addLine(const QString& line);

    const QString& text() const { return text_; }
    TextEncoding encoding() const { return encoding_; }

    // Replaces the text with the file's, every line break made CR LF, and
    // remembers the file's encoding. On failure nothing changes.
    void loadFromFile(const QString& path);

    // Writes the whole text in the remembered encoding.
    void saveToFile(const QString& path) const;

private:
    QString text_;
    TextEncoding encoding_ = TextEncoding::Ansi; // until a file has been read
};

} // namespace numra
