// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculation tape ("Rechenstreifen"): every completed calculation as a
// row of the texts the calculator showed, with a note of the user's, the
// grand total of the "=" rows and their count. A row keeps what it takes to
// compute it again (its recipe) and, when it continued from the result of
// another row, where that result stands in it (its link). It is a table
// model, so that a view shows it as it is; the calculator adds and edits the
// rows (core/calculator.h), the exports and files write them.

#include "eval/errors.h"
#include "eval/number.h"

#include <QAbstractTableModel>
#include <QHash>
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

// A kind's name in the window, the exports and the files: "Ergebnis",
// "Zwischensumme", ...
QStringView tapeRowKindName(TapeRowKind kind);
std::optional<TapeRowKind> tapeRowKindNamed(QStringView name);
bool isVatKind(TapeRowKind kind);

// How a row is computed again: whether "auf 2 Nachkommastellen runden" was
// checked when it was made, and for a VAT row the rate and the amount as the
// user typed it (the row's formula names the three amounts instead).
struct TapeRecipe {
    bool twoDecimals = false;
    int vatRate = 0; // hundredths of a percent
    QString vatAmount;
    bool operator==(const TapeRecipe&) const = default;
};

inline constexpr qsizetype kMaxNoteLength = 200;

struct TapeRow {
    TapeRow() = default;
    TapeRow(TapeRowKind kind, QString formula, QString result, QString note = {}, QString error = {},
            TapeRecipe recipe = {})
        : kind(kind), formula(std::move(formula)), result(std::move(result)), note(std::move(note)),
          error(std::move(error)), recipe(std::move(recipe))
    {
    }

    TapeRowKind kind = TapeRowKind::Result;
    QString formula; // what went in, as the user saw it
    QString result;  // the text the calculator showed; empty for an error
    // The result leaves out digits beyond the selected places. The window
    // and the print mark it; the exports and the files, which programs and
    // older Numras read, carry the result alone.
    bool rounded = false;
    QString note;    // the user's, at most kMaxNoteLength characters; never read as a number
    QString error;   // why the row could not be computed again; it then counts nothing
    TapeRecipe recipe;
    bool operator==(const TapeRow&) const = default;
};

// What a row is computed from, and what the user edits: the amount typed for
// a VAT row, the formula for any other.
const QString& rowInput(const TapeRow& row);
void setRowInput(TapeRow& row, const QString& input);

// The recipe of a row that came without one (a kept file of an older
// version, a CSV export): two decimals when the result shows exactly two,
// and a VAT row's rate and amount as its formula names them.
TapeRecipe inferredRecipe(const TapeRow& row);

// A row's identity for as long as it lives, also in the kept file: links,
// undo steps and the merge of two windows' tapes name rows by it.
using TapeRowId = quint64;

// The row continued from the result of row `source`, which stands at `span`
// of its input. When that result changes, the row is computed again with
// the new result there.
struct TapeRowLink {
    TapeRowId source = 0;
    TextSpan span;
    bool operator==(const TapeRowLink&) const = default;
};

// A row as the tape holds it.
struct TapeEntry {
    TapeRowId id = 0; // 0: the tape gives it one
    TapeRow row;
    std::optional<TapeRowLink> link;
    Number value; // of the result, which an "=" row adds to the total
};

// The columns in the window; the exports write the note only when a row has one.
enum class TapeColumn { Formula, Result, Note, Kind, Count };
inline constexpr int tapeColumnCount = static_cast<int>(TapeColumn::Count);

// "Formel", "Ergebnis", "Notiz", "Art".
QStringView tapeColumnTitle(TapeColumn column);

// A row's text in a column; an error row's result is "Fehler: " and the message.
QString tapeField(const TapeRow& row, TapeColumn column);
inline const QString kErrorResultPrefix = QStringLiteral("Fehler: ");

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

// What the view asks of a row beyond its texts.
enum TapeRole {
    TapeErrorRole = Qt::UserRole + 1, // the error message, empty for a good row
    TapeNewRowRole,                   // true for the empty last row, into which a new formula is typed
};

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
    // reads as. Returns the new row's id.
    TapeRowId add(TapeRow row, std::optional<Number> value = std::nullopt,
                  std::optional<TapeRowLink> link = std::nullopt);
    void deleteRow(qsizetype index);
    // Takes the row out and gives it back, to be inserted again.
    TapeEntry takeRow(qsizetype index);
    // At index (0 to size()); an entry without an id, or with one the tape
    // has, gets a new one. The oldest rows go when a bound is passed.
    void insertEntry(qsizetype index, TapeEntry entry);
    // The row at `from` goes to `to`, the rows between move up or down by one.
    void moveRow(qsizetype from, qsizetype to);
    void setNote(qsizetype index, const QString& note);
    void clear();
    // The rows of a file, without their values; the bounds hold as for add().
    void replaceRows(std::vector<TapeRow> rows);
    // Rows with their ids and links; a missing or repeated id gets a new one.
    // FromResults: the values are read from the results, as for replaceRows.
    enum class Values { Given, FromResults };
    void replaceEntries(std::vector<TapeEntry> entries, Values values = Values::Given);

    // A row computed again, without telling the views: rowsChanged() does,
    // once for all the rows a change went through.
    void replaceEntryQuietly(qsizetype index, TapeEntry entry);
    void rowsChanged(qsizetype first, qsizetype last);

    qsizetype size() const { return qsizetype(rows_.size()); }
    const TapeRow& row(qsizetype index) const { return rows_[std::size_t(index)].row; }
    const TapeEntry& entry(qsizetype index) const { return rows_[std::size_t(index)]; }
    std::vector<TapeEntry> entries() const { return {rows_.begin(), rows_.end()}; }
    TapeRowId id(qsizetype index) const { return rows_[std::size_t(index)].id; }
    std::optional<qsizetype> indexOf(TapeRowId id) const;
    // The row whose result the row at index continued from, while it is on the tape.
    std::optional<qsizetype> linkedRow(qsizetype index) const;
    bool hasNotes() const { return rowsWithNotes_ > 0; }

    // The sum of the results of the "=" rows, as shown, and their count;
    // error rows count nothing.
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

    // The result as the window and the printout show it: "Fehler" for a row
    // with an error, readableResult() for any other.
    QString shownResult(const TapeRow& row) const;

    // The model has a row more than the tape: the empty last row, into
    // which a new formula is typed.
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    TapeEntry entryOf(TapeRow row, std::optional<Number> value) const;
    Number valueOf(const TapeEntry& entry) const;
    TapeRowId newId();
    void adopt(TapeEntry& entry);
    qsizetype rowsToDropBefore(qsizetype incomingCharacters) const;
    void dropOldest(qsizetype count);
    void popOldest();
    void enforceBounds();
    void countIn(const TapeEntry& entry, int sign);
    void addToTotal(const TapeEntry& entry, int sign);
    void recomputeTotal();
    void changed() { ++revision_; indexValid_ = false; }
    QVariant toolTip(qsizetype index, TapeColumn column) const;

    QChar separator_;
    std::deque<TapeEntry> rows_;
    qsizetype characters_ = 0;
    qsizetype rowsWithNotes_ = 0;
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
    TapeRowId nextId_;
    bool grouping_ = false;
    mutable QHash<TapeRowId, qsizetype> indexOfId_;
    mutable bool indexValid_ = false;
};

} // namespace numra
