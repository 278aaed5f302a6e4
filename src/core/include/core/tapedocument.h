// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tape saved as a document of its own ("Rechenstreifen speichern…",
// extension .rstr), to be opened again or read by numra-eval --tape-file:
//
//   Numra-Rechenstreifen-Dokument 1       the format and its version
//   Dezimaltrennzeichen<TAB>,             the separator of its numbers
//   Art<TAB>Formel<TAB>Ergebnis<TAB>Notiz<TAB>Runden<TAB>Satz<TAB>Bezug
//   <a line per row, these seven fields separated by tabs>
//
//   Art       the kind: Ergebnis, Zwischensumme, Prozent, ..., Ust+, Ust-
//   Formel    what the row is computed from: the formula, the operand of
//             √, Ganzzahl and the hexadecimal conversions, "base^exponent"
//             of x^n, the amount typed for Ust+ and Ust-
//   Ergebnis  the result as it was shown; empty for a row with an error
//   Notiz     the note, at most 200 characters
//   Runden    "2" when the row was computed with two decimals, else empty
//   Satz      the rate of an Ust+ or Ust- row ("19", "16,5"), else empty
//   Bezug     "N:S:L" when the row continued from the result of row N
//             (counted from 1), which stands in its Formel from character S
//             (counted from 0), L characters long; else empty
//
// UTF-8; lines end in LF (CR LF and a last line without its break are read
// too); inside the fields a backslash, tab, LF and CR are written \\ \t \n
// \r. A document is read whole or not at all: every row is computed again
// in the order of its links, so an edited Formel changes its row and every
// row that continued from it.

#include "core/tape.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace numra {

inline constexpr QStringView kTapeDocumentSuffix = u"rstr";

// A file given to open (from the file manager): a tape document by its
// extension or by its first line, which the desktop's file types know too;
// any other file is a calculation file.
bool isTapeDocument(const QString& path);

QByteArray encodeTapeDocument(const Tape& tape);
// Its parts: the three lines before the rows, and a row's line, each with
// its LF, for a writer that must not hold the whole text.
QString tapeDocumentHeader(QChar decimalSeparator);
QString tapeDocumentLine(const Tape& tape, qsizetype index);

// A row as the document gives it: its link by row number.
struct DocumentRow {
    TapeRow row;
    std::optional<qsizetype> linkedTo; // the index of the row it continued from
    TextSpan linkSpan;
};

struct TapeDocument {
    std::vector<DocumentRow> rows;
    QString error; // why it cannot be read, naming the file; empty when it can
};

// name: the file as the messages name it. decimalSeparator: the reader's;
// a document written with another one is refused, since its numbers would
// read as other numbers.
TapeDocument decodeTapeDocument(const QByteArray& bytes, QChar decimalSeparator, const QString& name);

// The messages for a document of more rows or bytes than the tape holds,
// and for one whose links run in a circle.
QString tapeDocumentTooLarge(const QString& name);
QString tapeDocumentInACircle(const QString& name);

} // namespace numra
