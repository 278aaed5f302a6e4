// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tape.h"

#include "core/amountformat.h"
#include "eval/fpu.h"
#include "eval/numbertext.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace numra {

namespace {

struct KindName {
    TapeRowKind kind;
    QStringView name;
};

// Words rather than signs: a spreadsheet would take "=" or "+/-" for a formula.
constexpr std::array kKindNames{
    KindName{TapeRowKind::Result, u"Ergebnis"},
    KindName{TapeRowKind::Subtotal, u"Zwischensumme"},
    KindName{TapeRowKind::Percent, u"Prozent"},
    KindName{TapeRowKind::SignChange, u"Vorzeichen"},
    KindName{TapeRowKind::Reciprocal, u"Kehrwert"},
    KindName{TapeRowKind::SquareRoot, u"Wurzel"},
    KindName{TapeRowKind::Power, u"Potenz"},
    KindName{TapeRowKind::CutDecimals, u"Ganzzahl"},
    KindName{TapeRowKind::HexToInt, u"Hex->Int"},
    KindName{TapeRowKind::IntToHex, u"Int->Hex"},
    KindName{TapeRowKind::VatFromNet, u"Ust+"},
    KindName{TapeRowKind::VatFromGross, u"Ust-"},
};

constexpr bool kindsInOrder()
{
    for (std::size_t i = 0; i < kKindNames.size(); ++i)
        if (kKindNames[i].kind != TapeRowKind(i))
            return false;
    return kKindNames.back().kind == TapeRowKind::VatFromGross;
}
static_assert(kindsInOrder(), "kKindNames must list every TapeRowKind in enum order");

constexpr std::array<QStringView, tapeColumnCount> kColumnTitles{u"Formel", u"Ergebnis", u"Art"};

qsizetype charactersOf(const TapeRow& row)
{
    return row.formula.size() + row.result.size();
}

} // namespace

QStringView tapeRowKindName(TapeRowKind kind)
{
    return kKindNames[std::size_t(kind)].name;
}

std::optional<TapeRowKind> tapeRowKindNamed(QStringView name)
{
    for (const KindName& entry : kKindNames)
        if (entry.name == name)
            return entry.kind;
    return std::nullopt;
}

QStringView tapeColumnTitle(TapeColumn column)
{
    return kColumnTitles[std::size_t(column)];
}

QString tapeField(const TapeRow& row, TapeColumn column)
{
    switch (column) {
    case TapeColumn::Formula:
        return row.formula;
    case TapeColumn::Result:
        return row.result;
    case TapeColumn::Kind:
    case TapeColumn::Count:
        break;
    }
    return tapeRowKindName(row.kind).toString();
}

QString shownOnOneLine(const QString& text)
{
    QString line = text;
    for (QChar& c : line)
        if (c.unicode() < 0x20)
            c = u' ';
    return line;
}

Tape::Tape(QChar decimalSeparator) : separator_(decimalSeparator) {}

// The views take the new total as a new layout of the same rows, which keeps
// their selection.
void Tape::setArithmetic(Arithmetic arithmetic)
{
    if (arithmetic == arithmetic_)
        return;
    emit layoutAboutToBeChanged();
    arithmetic_ = arithmetic;
    recomputeTotal();
    emit layoutChanged();
}

Tape::Entry Tape::entryOf(TapeRow row, std::optional<Number> value) const
{
    // Texts built by appending carry room to grow: up to as much again,
    // which the bound on characters does not see.
    row.formula.squeeze();
    row.result.squeeze();
    Entry entry{std::move(row), value.value_or(Number())};
    if (!value && entry.row.kind == TapeRowKind::Result)
        tryParseNumber(entry.row.result, separator_, arithmetic_, entry.value);
    return entry;
}

// A value computed in the other arithmetic counts as its text reads in this
// one: a result shown as 0,1 adds exactly 0,1 to a decimal total.
Number Tape::valueOf(const Entry& entry) const
{
    if (entry.value.arithmetic() == arithmetic_)
        return entry.value;
    Number value;
    if (tryParseNumber(entry.row.result, separator_, arithmetic_, value))
        return value;
    return arithmetic_ == Arithmetic::Decimal ? Number::decimal(Decimal()) : Number();
}

void Tape::add(TapeRow row, std::optional<Number> value)
{
    Entry entry = entryOf(std::move(row), value);
    dropOldest(rowsToDropBefore(entry));
    const int at = int(rows_.size());
    beginInsertRows(QModelIndex(), at, at);
    characters_ += charactersOf(entry.row);
    addToTotal(entry, +1);
    rows_.push_back(std::move(entry));
    ++revision_;
    endInsertRows();
}

// How many of the oldest rows must go so that the incoming row fits both
// bounds; a single row larger than the character bound stays alone.
qsizetype Tape::rowsToDropBefore(const Entry& incoming) const
{
    qsizetype drop = 0;
    qsizetype characters = characters_ + charactersOf(incoming.row);
    const qsizetype count = size();
    while (drop < count && (count - drop + 1 > kMaxTapeRows || characters > kMaxTapeCharacters)) {
        characters -= charactersOf(rows_[std::size_t(drop)].row);
        ++drop;
    }
    return drop;
}

void Tape::dropOldest(qsizetype count)
{
    if (count == 0)
        return;
    beginRemoveRows(QModelIndex(), 0, int(count) - 1);
    for (qsizetype i = 0; i < count; ++i) {
        addToTotal(rows_.front(), -1);
        popOldest();
    }
    if (!std::isfinite(sum_) || !decimalSumExact_)
        recomputeTotal();
    ++revision_;
    endRemoveRows();
}

// The views are told by the caller.
void Tape::popOldest()
{
    characters_ -= charactersOf(rows_.front().row);
    rows_.pop_front();
    ++droppedByBounds_;
}

void Tape::deleteRow(qsizetype index)
{
    if (index < 0 || index >= size())
        return;
    beginRemoveRows(QModelIndex(), int(index), int(index));
    characters_ -= charactersOf(row(index));
    rows_.erase(rows_.begin() + index);
    recomputeTotal();
    ++revision_;
    endRemoveRows();
}

void Tape::clear()
{
    replaceRows({});
}

// Each row comes in as add() takes it, so a loaded tape keeps the same
// bounds; the total is summed once at the end.
void Tape::replaceRows(std::vector<TapeRow> rows)
{
    beginResetModel();
    rows_.clear();
    characters_ = 0;
    for (TapeRow& row : rows) {
        Entry entry = entryOf(std::move(row), std::nullopt);
        for (qsizetype drop = rowsToDropBefore(entry); drop > 0; --drop)
            popOldest();
        characters_ += charactersOf(entry.row);
        rows_.push_back(std::move(entry));
    }
    recomputeTotal();
    ++revision_;
    endResetModel();
}

// Neumaier's compensated sum, or the decimal sum; sign -1 takes a dropped
// row out again. A decimal sum is exact when its exponent is no larger than
// both of its terms' (the value's last digit kept).
void Tape::addToTotal(const Entry& entry, int sign)
{
    if (entry.row.kind != TapeRowKind::Result)
        return;
    items_ += sign;
    const Number value = valueOf(entry);
    if (value.isDecimal()) {
        const Decimal x = sign < 0 ? -value.decimalValue() : value.decimalValue();
        const int lastDigit = std::min(decimalSum_.parts().exponent, x.parts().exponent);
        decimalSum_ = decimalSum_ + x;
        decimalSumExact_ = decimalSumExact_ && decimalSum_.parts().exponent <= lastDigit;
        return;
    }
    const long double x = sign * value.binaryValue();
    const long double t = sum_ + x;
    if (std::fabs(sum_) >= std::fabs(x))
        compensation_ += (sum_ - t) + x;
    else
        compensation_ += (x - t) + sum_;
    sum_ = t;
}

void Tape::recomputeTotal()
{
    sum_ = 0;
    compensation_ = 0;
    decimalSum_ = Decimal::fromInteger(0);
    decimalSumExact_ = true;
    items_ = 0;
    for (const Entry& entry : rows_)
        addToTotal(entry, +1);
}

Number Tape::total() const
{
    if (arithmetic_ == Arithmetic::Decimal)
        return Number::decimal(decimalSum_);
    return Number::binary(sum_ + compensation_);
}

bool Tape::totalOverflows() const
{
    if (arithmetic_ == Arithmetic::Decimal)
        return exceedsRange(decimalSum_, BinaryRange::Extended);
    return !std::isfinite(sum_ + compensation_);
}

QString Tape::totalText() const
{
    return totalOverflows() ? fpu::kOverflow : generalForm(total(), separator_).toString();
}

QString Tape::summary() const
{
    return QStringLiteral("Summe: %1 · %2 Posten").arg(readableAmount(totalText())).arg(items_);
}

// As a new arithmetic does: the views show the results and the total anew.
void Tape::setGrouping(bool on)
{
    if (on == grouping_)
        return;
    emit layoutAboutToBeChanged();
    grouping_ = on;
    emit layoutChanged();
}

QString Tape::readableAmount(const QString& amount) const
{
    return numra::readableAmount(amount, grouping_, separator_);
}

QString Tape::readableResult(const TapeRow& row) const
{
    const QString result = readableAmount(shownOnOneLine(row.result));
    return row.rounded ? QStringLiteral("≈ ") + result : result;
}

int Tape::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int Tape::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : tapeColumnCount;
}

QVariant Tape::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= tapeColumnCount)
        return QVariant();
    const auto column = TapeColumn(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: // the whole text where the column cuts it
        if (column == TapeColumn::Result)
            return readableResult(row(index.row()));
        return shownOnOneLine(tapeField(row(index.row()), column));
    case Qt::TextAlignmentRole:
        return column == TapeColumn::Result ? int(Qt::AlignRight | Qt::AlignVCenter)
                                            : int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return QVariant();
    }
}

QVariant Tape::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return QVariant();
    if (orientation == Qt::Vertical) // the row's number, which a screen reader names each row by
        return section < size() ? QVariant(QString::number(section + 1)) : QVariant();
    if (section >= tapeColumnCount)
        return QVariant();
    return tapeColumnTitle(TapeColumn(section)).toString();
}

} // namespace numra
