// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line of numra-eval.

#include "core/amountformat.h"
#include "core/languagetable.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace numra::evaltool {

struct Options {
    enum class Mode { Formulas, Keys, TapeFile, Help, Version };
    // What is printed of the tape after the formulas or keys.
    enum class Tape { None, Text, Csv, Document };
    Mode mode = Mode::Formulas;
    QChar decimalSeparator;  // the locale's unless given
    bool round = false;      // start with the rounding box checked
    bool exact = false;      // "Genau rechnen (dezimal)": exact decimal values
    std::optional<DecimalSelector> places = std::nullopt; // "Nachkommastellen"; F unless given
    RoundingMode rounding = RoundingMode::HalfAwayFromZero;
    bool grouping = false;   // "Tausenderpunkte" in what a person reads
    Language language = Language::German;
    Tape tape = Tape::None;
    std::optional<int> vatRate = std::nullopt; // hundredths of a percent; 19 % unless given
    QStringList arguments;   // formulas or keys
    QString tapeFile;        // a tape document to compute again and print
};

struct ParseResult {
    std::optional<Options> options;
    QString error; // usage error when options is empty
};

// Options start with "--" (or are "-h"); "--" ends them. Anything else,
// "-5+3" included, is a formula or a key.
ParseResult parseOptions(const QStringList& arguments, QChar localeSeparator);

QString helpText(QChar localeSeparator);
QString versionText();

} // namespace numra::evaltool
