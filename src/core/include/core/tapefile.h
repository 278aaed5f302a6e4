// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file the tape is kept in between runs ("Rechenstreifen behalten"):
//
//   Numra-Rechenstreifen 2          the format and its version
//   <row>                           a line per row, ten fields separated by tabs:
//     id        the row's identity, 16 hexadecimal digits
//     kind      "Ergebnis", "Zwischensumme", ...
//     formula, result, note, error  the row's texts
//     rounding  "2" when it was made with two decimals, else empty
//     rate      a VAT row's rate in hundredths of a percent, else empty
//     amount    a VAT row's amount as typed
//     link      "<id>:<start>:<length>": the row continued from the result
//               of row <id>, which stands there in its formula (amount)
//
// Files of version 1 (kind, formula and result per line) are read too;
// their rows get ids, and their recipes as inferredRecipe() finds them.
// UTF-8, every line ending in LF. Inside the fields a backslash, tab, LF and
// CR are written \\ \t \n \r. A line that breaks these rules (a field too
// many or too few, an unknown kind or escape, a raw CR, bytes that are not
// UTF-8, a last line without its LF: a file cut short) is a damaged line;
// the good lines around it are still rows. Under another first line no line
// is a row.

#include "core/tape.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace numra {

// A full tape of long formulas fits; a larger file is not one Numra wrote,
// and is not read at all.
inline constexpr qint64 kMaxTapeFileSize = 64 * 1024 * 1024;

QByteArray encodeTapeFile(const Tape& tape);
QByteArray encodeTapeFile(const std::vector<TapeEntry>& entries);
// One row's line, without its LF: what the merge of two windows compares.
QString tapeFileLine(const TapeEntry& entry);

// What a tape file holds: its good rows, at most kMaxTapeRows (the newest),
// and what was left out.
struct TapeFileRows {
    std::vector<TapeEntry> entries;
    bool headerFound = false;
    qsizetype damagedLines = 0; // without the first line
    qsizetype rowsOverLimit = 0; // good rows before the newest kMaxTapeRows
    bool whole() const { return headerFound && damagedLines == 0 && rowsOverLimit == 0; }
};

TapeFileRows readTapeFile(const QByteArray& bytes);

// The rows of a file that is whole, or nothing.
std::optional<std::vector<TapeRow>> decodeTapeFile(const QByteArray& bytes);

} // namespace numra
