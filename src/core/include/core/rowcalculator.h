// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A tape row computed again, by the calculator's own rules: a calculator of
// its own gets the row's input as the user's keys gave it when the row was
// made (a formula in edit mode and "=", an amount and "Ust+", a base, x^n,
// an exponent and "="), with the rounding and VAT rate the row was made
// with, and what that calculator's tape records is the row.

#include "core/calculatorstate.h"
#include "core/keys.h"
#include "core/tape.h"

#include <memory>
#include <optional>

namespace numra {

class Calculator;

// The row with an error in place of its result: a VAT row then names the
// amount typed ("Netto abc"), since its three amounts are not known.
TapeRow failedRow(TapeRow row, const QString& error);

struct ComputedRow {
    TapeRow row; // the note and recipe as given; an error leaves the input and names the message
    std::optional<Number> value;
};

class RowCalculator {
public:
    explicit RowCalculator(QChar decimalSeparator);
    ~RowCalculator();
    RowCalculator(const RowCalculator&) = delete;
    RowCalculator& operator=(const RowCalculator&) = delete;

    // The rules of the calculator window that every row follows, whenever
    // it was made: the language of the messages, the arithmetic, and the
    // places and rounding of the rounding box.
    void follow(const CalculatorState& calculator);

    ComputedRow compute(const TapeRow& row);

private:
    std::optional<TapeEntry> evaluateFormula(const QString& formula);
    std::optional<TapeEntry> pressOnOperand(Key key, const QString& operand);
    std::optional<TapeEntry> computePower(const QString& input);
    std::optional<TapeEntry> computeVat(const TapeRow& row);
    std::optional<TapeEntry> madeRow();
    void note(const CalculatorState& state);

    std::unique_ptr<Calculator> calculator_;
    QString error_; // the message of the last key that failed
};

} // namespace numra
