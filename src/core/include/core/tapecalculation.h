// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Computing tape rows again, and every row that continued from their
// results: when a row's result changes, each row linked to it gets the new
// result in place of the old one in its input and is computed again, in the
// order the links give, so that a chain of rows follows an edit at its start.
// A row whose source has an error has an error of its own, until the source
// is corrected.

#include "core/rowcalculator.h"
#include "core/tape.h"

#include <vector>

namespace numra {

inline const QString kSourceRowFailed =
    QStringLiteral("Die Zeile, mit deren Ergebnis diese Zeile weiterrechnet, hat einen Fehler.");

struct Recalculation {
    qsizetype firstChanged = -1; // the rows whose texts changed, from first to last; -1: none
    qsizetype lastChanged = -1;
    bool cyclic = false;         // the links run in a circle (only a file can say so); nothing was computed
};

// Computes the rows marked in `dirty` (one flag per row) and the rows that
// follow them, without telling the views; the caller does
// (Tape::rowsChanged). Each row computed that continued from another gets
// that row's result in the link's place first; a link whose place lies
// beyond its input (a file edited by hand) is dropped.
Recalculation recalculate(Tape& tape, RowCalculator& calculator, std::vector<bool> dirty);

} // namespace numra
