// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tape and the file it is kept in (core/tapefile.h), shared by every
// Numra of the user that keeps the tape.
//
// Each reading and each writing of the file holds its lock (the file's name
// and ".lock", a QLockFile; the lock of a program that died is taken over).
// Before writing, the file is read again: when another window wrote it in
// the meantime, the two are merged row by row, by the rows' ids, against the
// file as this tape last read or wrote it: the other window's rows in its
// order, with this tape's edits (formula, note) in place of the rows it
// edited, without the rows it deleted, and the rows it added or put back
// after the row they follow here. The tape takes the merged rows. So no row
// and no edit of either window is lost, whichever saves last; only a row
// moved here gives way to the other window's order.
//
// A file that cannot be taken over whole (damaged lines, more rows than the
// tape holds, unreadable, too large) is moved aside to
// "rechenstreifen.tsv.defekt" (".defekt.2", ".3", ... when that exists)
// before anything is written, and its good rows are taken over. When it
// cannot be moved, the file is never written in this run.

#include "core/tape.h"

#include <QByteArray>
#include <QHash>
#include <QLockFile>
#include <QString>
#include <optional>
#include <vector>

namespace numra {

// A kept file that could not be taken over whole.
struct SetAsideTape {
    qsizetype rowsTaken = 0;   // rows now on the tape
    qsizetype rowsLeftOut = 0; // damaged lines and rows beyond the tape's bounds
    QString movedTo;           // where the original is now; empty when it could not be moved
    QString reason;            // why it could not be moved, or read at all
};

class KeptTape {
public:
    KeptTape(Tape& tape, QString path);
    KeptTape(const KeptTape&) = delete;
    KeptTape& operator=(const KeptTape&) = delete;

    // Reads the file into the tape. A missing file gives an empty tape. For
    // a file that could not be taken over whole, what became of it.
    std::optional<SetAsideTape> load();

    // Writes the tape now (merging what another window wrote), creating the
    // folder when it is missing. Throws Error ("Datei "%s" kann nicht
    // erstellt werden. %s"); the file is then as it was. Returns what became
    // of a file that was found damaged.
    std::optional<SetAsideTape> save();

    // Writes the tape if it changed since it was loaded or saved.
    std::optional<SetAsideTape> saveIfChanged();

    // Removes the file: the tape is no longer to be kept.
    void forget();

    const QString& path() const { return path_; }
    // A damaged file could not be moved aside: it is left as it is.
    bool leftAlone() const { return leftAlone_; }

private:
    class Locked;
    struct FileRows;

    enum class RowsWanted { Always, UnlessSeen };
    FileRows readFile(RowsWanted rowsWanted) const;
    std::optional<SetAsideTape> setAside(FileRows& file);
    std::vector<TapeEntry> mergedWith(std::vector<TapeEntry> theirs) const;
    void remember(const QByteArray& bytes);

    Tape& tape_;
    QString path_;
    QLockFile lock_;
    quint64 savedRevision_;
    QByteArray fileSeen_;           // digest of the file as last read or written
    QHash<TapeRowId, QString> seen_; // its rows' lines then: what a merge compares with
    bool leftAlone_ = false;
};

} // namespace numra
