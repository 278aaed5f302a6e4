// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculation tape ("Rechenstreifen"): every completed calculation as a
// row of the texts the calculator showed, the grand total of the "=" rows and
// their count. It is a table model, so that a view shows it as it is; the
// calculator adds the rows (core/calculator.h), the window shows and edits
// them, the exports and the kept file write them.

#include "eval/number.h"

#include <QAbstractTableModel>
#include <QString>
#include <deque>
#include <optional>
#include <vector>

namespace numra {

// What added a row. Only "=" rows count towards the grand total.
enum class TapeRowKind {
    Result,      // "=": the formula and its result
    Subtotal,    // a formula ending in an operator
    Percent,
    SignChange,  // "+/-"
    Reciprocal,  // "1/x"
    SquareRoot,
    Power,       // x^n
    CutDecimals, // "Ganzzahl"
    HexToInt,
    IntToHex,
    VatFromNet,  // "Ust+": the row names net, tax, gross and the rate
    VatFromGross,
};

// A kind's name in the window, the exports and the kept file: "Ergebnis",
// "Zwischensumme", ...
QStringView tapeRowKindName(TapeRowKind kind);
std::optional<TapeRowKind> tapeRowKindNamed(QStringView name);

struct TapeRow {
    TapeRowKind kind = TapeRowKind::Result;
    QString formula; // what went in, as the user saw it
    QString result;  // the text the calculator showed
    // The result leaves out digits beyond the selected places. The window
    // and the print mark it; the exports and the kept file, which programs
    // and older Numras read, carry the result alone.
    bool rounded = false;
    bool operator==(const TapeRow&) const = default;
};

enum class TapeColumn { Formula, Result, Kind, Count };
inline constexpr int tapeColumnCount = static_cast<int>(TapeColumn::Count);

// "Formel", "Ergebnis", "Art".
QStringView tapeColumnTitle(TapeColumn column);

// A row's text in a column.
QString tapeField(const TapeRow& row, TapeColumn column);

// The text as one line: every character below U+0020 (tab, line breaks)
// becomes a blank. The window and the exports show the rows so; the kept
// file holds them exactly.
QString shownOnOneLine(const QString& text);

// The oldest rows go first when either bound would be passed. The second
// bound only matters for formulas of megabytes (a key held down in edit
// mode): it keeps the tape, and the file it is kept in, within tens of
// megabytes.
inline constexpr qsizetype kMaxTapeRows = 10000;
inline constexpr qsizetype kMaxTapeCharacters = 16 * 1024 * 1024;

class Tape : public QAbstractTableModel {
public:
    // The separator writes the grand total, and reads the results of rows
    // that come without their values.
    explicit Tape(QChar decimalSeparator);

    QChar decimalSeparator() const { return separator_; }

    // The arithmetic of the grand total, the calculator's: the binary one
    // sums extended values, the decimal one the exact values of the results
    // as shown. Switching sums the rows again.
    Arithmetic arithmetic() const { return arithmetic_; }
    void setArithmetic(Arithmetic arithmetic);

    // value: the value of the result as shown, which an "=" row adds to the
    // grand total. A row without it (one read back from a file), or with a
    // value of the other arithmetic, counts with the value its result text
    // reads as.
    void add(TapeRow row, std::optional<Number> value = std::nullopt);
    void deleteRow(qsizetype index);
    void clear();
    // The rows of the kept file, without their values; the bounds hold as
    // for add().
    void replaceRows(std::vector<TapeRow> rows);

    qsizetype size() const { return qsizetype(rows_.size()); }
    const TapeRow& row(qsizetype index) const { return rows_[std::size_t(index)].row; }

    // The sum of the results of the "=" rows, as shown, and their count.
    Number total() const;
    qsizetype itemCount() const { return items_; }
    // Whether the sum left the extended range.
    bool totalOverflows() const;
    // The total in the general form, or the overflow message.
    QString totalText() const;
    // "Summe: 1234,56 · 7 Posten", grouped as results are read.
    QString summary() const;

    // "Tausenderpunkte": the window, the print and the text export show the
    // results and the total with thousands separators. Off by default.
    bool grouping() const { return grouping_; }
    void setGrouping(bool on);
    // A result or total as a person reads it on the tape: grouped when
    // grouping is on.
    QString readableAmount(const QString& amount) const;
    // The result as the window and the print show it: "≈ 0,67" when rounded.
    QString readableResult(const TapeRow& row) const;

    // Counts the changes, so that the kept file is written only when needed.
    quint64 revision() const { return revision_; }
    // Rows that left because a bound was reached, since the start: the user
    // is told.
    qsizetype rowsDroppedByBounds() const { return droppedByBounds_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Entry {
        TapeRow row;
        Number value; // of the result, for "=" rows
    };

    Entry entryOf(TapeRow row, std::optional<Number> value) const;
    Number valueOf(const Entry& entry) const;
    qsizetype rowsToDropBefore(const Entry& incoming) const;
    void dropOldest(qsizetype count);
    void popOldest();
    void addToTotal(const Entry& entry, int sign);
    void recomputeTotal();

    QChar separator_;
    std::deque<Entry> rows_;
    qsizetype characters_ = 0;
    Arithmetic arithmetic_ = Arithmetic::Binary;
    // Binary: a compensated (Neumaier) sum, so that adding a row and
    // dropping it again leaves the total as it was, also next to values of
    // very different size.
    long double sum_ = 0;
    long double compensation_ = 0;
    // Decimal: exact while no sum needed more than 34 digits; a rounded sum
    // is summed again when a row leaves it. It starts from the integer zero,
    // so that a sum of amounts keeps the exponent of their cents (Decimal()
    // has the smallest exponent there is).
    Decimal decimalSum_ = Decimal::fromInteger(0);
    bool decimalSumExact_ = true;
    qsizetype items_ = 0;
    quint64 revision_ = 0;
    qsizetype droppedByBounds_ = 0;
    bool grouping_ = false;
};

} // namespace numra
