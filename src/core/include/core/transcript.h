// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The last command's outcome as lines of text, as numra-eval prints them and
// the tests read them: a VAT calculation ("MwSt: Netto=12,50 Steuer=2,38
// Brutto=14,88 (Umsatzsteuer)"), a subtotal ("Zwischensumme: 5,00") and each
// message box ("Fehler: Ungültige Eingabe", "Information: ...", "Hinweis:
// ..."), in this order.

#include "core/calculatorstate.h"

#include <QStringList>

namespace numra {

// namesVatRate: the VAT line gives the tax label with the rate, as the
// window shows it, not only its caption. The amounts are grouped as the
// state's amount format says.
QStringList transcriptLines(const CalculatorState& state, bool namesVatRate, QChar decimalSeparator);

// The entry field's text as the window shows it: grouped while it is read
// only (keypad mode) and grouping is on; an editable field shows exactly
// what the user edits.
QString entryAsShown(const CalculatorState& state, QChar decimalSeparator);

// Whether the last command showed anything that transcriptLines writes.
bool hasTranscript(const Outcome& outcome);

} // namespace numra
