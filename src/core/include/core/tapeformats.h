// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tape as the user takes it away: plain text, and CSV for German
// spreadsheets. Both show each row as the window does (shownOnOneLine),
// an error row with "Fehler: " and its message as its result. The note
// follows the result only when a row of the tape has one, so that a tape
// without notes is written as it always was.

#include "core/tape.h"

#include <QByteArray>
#include <optional>
#include <vector>

namespace numra {

// UTF-8, a line per row ending in LF: formula, result (note) and kind
// separated by tabs; then the line "Summe", the grand total and "7 Posten",
// also separated by tabs. Results and total carry thousands separators when
// the tape's grouping is on (it is text for people); the mark of rounded
// results is left out, so that every result field stays a number. The note
// is written when a row of the tape has one. numra-eval --tape prints
// exactly this.
QByteArray tapeAsText(const Tape& tape);

// One row of the tape as tapeAsText writes it, and the total line, without
// the line break: a writer that must not hold the whole text writes them one
// by one.
QString tapeRowAsText(const Tape& tape, qsizetype index);
QString tapeTotalAsText(const Tape& tape);
// A row with its texts as they are, never grouped (the clipboard's form).
QString tapeRowAsText(const TapeRow& row, bool withNote = false);

// UTF-8 with byte-order mark, lines ending in CR LF, ";" between the fields,
// the header Formel;Ergebnis;Art (Formel;Ergebnis;Notiz;Art), then a line
// per row. Results carry a decimal comma whatever the regional separator
// is; a field with ";" or '"' is quoted, its quotes doubled. A formula or
// note that a spreadsheet would take for a formula of its own (it starts
// with "=", "+", "-", "@", a tab or a CR, also after blanks) starts with an
// apostrophe, which makes it text; so does one that starts with an
// apostrophe.
QByteArray tapeAsCsv(const Tape& tape);

// Its parts: the byte-order mark and header line, and one row with its CR LF.
QByteArray tapeCsvHeader(bool withNotes = false);
QString tapeRowAsCsv(const TapeRow& row, QChar decimalSeparator, bool withNotes = false);

// The rows of a tapeAsCsv export, with the apostrophes taken off, the
// results' decimal comma turned into decimalSeparator and an error row's
// message as its error; nothing for any other text.
std::optional<std::vector<TapeRow>> tapeRowsFromCsv(const QByteArray& bytes, QChar decimalSeparator);

// "Exportieren…": the text form for a name ending in ".txt" (in any case),
// CSV for any other. Written atomically: on failure an existing file is as it
// was, and Error says "Datei "%s" kann nicht erstellt werden. %s".
void exportTape(const Tape& tape, const QString& path);

} // namespace numra
