// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Berechnung speichern" and "Berechnung laden" of the calculator window's
// menu: a formula goes through the line buffer into a calculation file and
// back into the entry field. Errors leave save() and load() as numra::Error
// for the default error box, like the calculator's keys.

#include "core/calculator.h"
#include "core/calculatorui.h"
#include "files/linebuffer.h"

namespace numra {

class CalculationFiles {
public:
    CalculationFiles(Calculator& calculator, CalculatorUi& ui) : calculator_(calculator), ui_(ui) {}
    CalculationFiles(const CalculationFiles&) = delete;
    CalculationFiles& operator=(const CalculationFiles&) = delete;

    // Offers the pending formula, or else the entry, for confirmation and
    // writes the confirmed text to the chosen file.
    // Changes neither the formula nor the entry nor the input mode.
    void save();

    // Switches to edit mode, then puts the chosen file's text, line breaks
    // included, into the entry field.
    void load();

    const LineBuffer& lineBuffer() const { return lineBuffer_; }

private:
    QString saveCandidate() const;

    Calculator& calculator_;
    CalculatorUi& ui_;
    LineBuffer lineBuffer_; // lives as long as the window: it remembers the encoding
};

} // namespace numra
