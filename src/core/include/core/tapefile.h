// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tape kept between runs ("Rechenstreifen behalten"), in a file of its
// own:
//
//   Numra-Rechenstreifen 1          the format and its version
//   Ergebnis<TAB>12+5*2<TAB>22      a row per line: kind, formula, result
//
// UTF-8, every line ending in LF. Inside the fields a backslash, tab, LF and
// CR are written \\ \t \n \r, so that a row stays one line and its texts come
// back exactly. Anything else makes the whole file corrupt: another first
// line, a field too many or too few, an unknown kind or escape, a raw CR,
// more than kMaxTapeRows rows or kMaxTapeFileSize bytes, bytes that are not
// UTF-8, a last line without its LF (a file cut short).

#include "core/tape.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace numra {

// A full tape of long formulas fits; anything larger is not read at all.
inline constexpr qint64 kMaxTapeFileSize = 64 * 1024 * 1024;

QByteArray encodeTapeFile(const Tape& tape);

// The rows, or nothing for a corrupt file.
std::optional<std::vector<TapeRow>> decodeTapeFile(const QByteArray& bytes);

// The tape and its file.
class KeptTape {
public:
    KeptTape(Tape& tape, QString path);

    // Reads the file into the tape. False when the file is missing,
    // unreadable or corrupt: the tape is then empty, and saveIfChanged()
    // leaves the file alone until the tape changes.
    bool load();

    // Writes the tape now, creating the folder when it is missing. Throws
    // Error ("Datei "%s" kann nicht erstellt werden. %s"); the file is then
    // as it was.
    void save();

    // Writes the tape if it changed since it was loaded or saved.
    void saveIfChanged();

    // Removes the file: the tape is no longer to be kept.
    void forget();

    const QString& path() const { return path_; }

private:
    Tape& tape_;
    QString path_;
    quint64 savedRevision_;
};

} // namespace numra
