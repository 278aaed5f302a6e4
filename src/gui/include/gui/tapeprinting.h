// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Drucken…" of the tape window: the tape on paper or in a PDF, page after
// page, each with the title and date at the top, the column headings
// (Formel, Ergebnis, Notiz, Art) and "Seite 1 von 3" at the bottom; the
// grand total follows the last row, under the results. A result is never
// cut: a wide one takes room from its formula.

#include <QDate>
#include <QString>
#include <vector>

class QPagedPaintDevice;

namespace numra {

class Tape;

struct TapePage {
    qsizetype firstRow = 0;
    qsizetype rowCount = 0;
    bool withSummary = false; // the line after the last row
    QString header;           // "Rechenstreifen vom 05.03.2026"
    QString footer;           // "Seite 1 von 3"
};

// How rows rows spread over pages of linesPerPage lines each (at least one
// line, and at least one page).
std::vector<TapePage> tapePages(qsizetype rows, int linesPerPage, const QDate& date);

// "Rechenstreifen-2026-03-05.pdf": the name the print dialog proposes.
QString tapePdfName(const QDate& date);

// Prints onto the device: a QPrinter, for paper or a PDF file.
void printTape(const Tape& tape, QPagedPaintDevice& device, const QDate& date);

} // namespace numra
