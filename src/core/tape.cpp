// SPDX-License-Identifier: GPL-3.0-or-later
// The tape's rows: adding, taking out, moving and replacing them within the
// bounds, and the grand total. The table model's side is in tapemodel.cpp.

#include "core/tape.h"

#include "core/amountformat.h"
#include "eval/fpu.h"
#include "eval/numbertext.h"

#include <QRandomGenerator>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace numra {

namespace {

qsizetype charactersOf(const TapeRow& row)
{
    return row.formula.size() + row.result.size() + row.note.size() + row.error.size() + row.recipe.vatAmount.size();
}

void squeeze(TapeRow& row)
{
    // Texts built by appending carry room to grow: up to as much again,
    // which the bound on characters does not see.
    row.formula.squeeze();
    row.result.squeeze();
    row.note.squeeze();
    row.error.squeeze();
}

} // namespace

// Ids are unique between the windows that share a kept tape: each tape
// starts its count at a random 32-bit prefix.
Tape::Tape(QChar decimalSeparator)
    : separator_(decimalSeparator), nextId_(quint64(QRandomGenerator::system()->generate()) << 32)
{
}

TapeRowId Tape::newId()
{
    if (++nextId_ == 0)
        ++nextId_;
    return nextId_;
}

// An entry without an id, or with one the tape has already, gets a new one.
void Tape::adopt(TapeEntry& entry)
{
    if (entry.id == 0 || indexOf(entry.id))
        entry.id = newId();
}

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

TapeEntry Tape::entryOf(TapeRow row, std::optional<Number> value) const
{
    squeeze(row);
    TapeEntry entry{0, std::move(row), std::nullopt, value.value_or(Number())};
    if (!value && entry.row.kind == TapeRowKind::Result && entry.row.error.isEmpty())
        tryParseNumber(entry.row.result, separator_, arithmetic_, entry.value);
    return entry;
}

// A value computed in the other arithmetic counts as its text reads in this
// one: a result shown as 0,1 adds exactly 0,1 to a decimal total.
Number Tape::valueOf(const TapeEntry& entry) const
{
    if (entry.value.arithmetic() == arithmetic_)
        return entry.value;
    Number value;
    if (tryParseNumber(entry.row.result, separator_, arithmetic_, value))
        return value;
    return arithmetic_ == Arithmetic::Decimal ? Number::decimal(Decimal()) : Number();
}

TapeRowId Tape::add(TapeRow row, std::optional<Number> value, std::optional<TapeRowLink> link)
{
    TapeEntry entry = entryOf(std::move(row), value);
    entry.link = link;
    entry.id = newId();
    dropOldest(rowsToDropBefore(charactersOf(entry.row)));
    const int at = int(rows_.size());
    beginInsertRows(QModelIndex(), at, at);
    countIn(entry, +1);
    rows_.push_back(std::move(entry));
    changed();
    endInsertRows();
    return rows_.back().id;
}

// How many of the oldest rows must go so that a row of this many characters
// fits both bounds; a single row larger than the character bound stays alone.
qsizetype Tape::rowsToDropBefore(qsizetype incomingCharacters) const
{
    qsizetype drop = 0;
    qsizetype characters = characters_ + incomingCharacters;
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
    for (qsizetype i = 0; i < count; ++i)
        popOldest();
    if (!std::isfinite(sum_) || !decimalSumExact_)
        recomputeTotal();
    changed();
    endRemoveRows();
}

// The views are told by the caller.
void Tape::popOldest()
{
    countIn(rows_.front(), -1);
    rows_.pop_front();
    ++droppedByBounds_;
}

// After a row grew: the oldest rows go while the tape is beyond a bound.
void Tape::enforceBounds()
{
    qsizetype drop = 0;
    qsizetype characters = characters_;
    while (size() - drop > 1 && (size() - drop > kMaxTapeRows || characters > kMaxTapeCharacters))
        characters -= charactersOf(rows_[std::size_t(drop++)].row);
    dropOldest(drop);
}

void Tape::deleteRow(qsizetype index)
{
    if (index >= 0 && index < size())
        takeRow(index);
}

TapeEntry Tape::takeRow(qsizetype index)
{
    beginRemoveRows(QModelIndex(), int(index), int(index));
    TapeEntry taken = std::move(rows_[std::size_t(index)]);
    rows_.erase(rows_.begin() + index);
    countIn(taken, -1);
    recomputeTotal();
    changed();
    endRemoveRows();
    return taken;
}

void Tape::insertEntry(qsizetype index, TapeEntry entry)
{
    adopt(entry);
    const qsizetype dropped = rowsToDropBefore(charactersOf(entry.row));
    dropOldest(dropped);
    const int at = int(std::clamp(index - dropped, qsizetype(0), size()));
    beginInsertRows(QModelIndex(), at, at);
    countIn(entry, +1);
    rows_.insert(rows_.begin() + at, std::move(entry));
    recomputeTotal();
    changed();
    endInsertRows();
}

void Tape::moveRow(qsizetype from, qsizetype to)
{
    if (from == to || from < 0 || to < 0 || from >= size() || to >= size())
        return;
    beginMoveRows(QModelIndex(), int(from), int(from), QModelIndex(), int(to > from ? to + 1 : to));
    const auto first = rows_.begin();
    if (to > from)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    changed();
    endMoveRows();
}

void Tape::setNote(qsizetype index, const QString& note)
{
    TapeEntry& entry = rows_[std::size_t(index)];
    countIn(entry, -1);
    entry.row.note = note.left(kMaxNoteLength);
    countIn(entry, +1);
    changed();
    const QModelIndex cell = this->index(int(index), int(TapeColumn::Note));
    emit dataChanged(cell, cell);
    enforceBounds();
}

void Tape::clear()
{
    replaceEntries({}, Values::Given);
}

void Tape::replaceRows(std::vector<TapeRow> rows)
{
    std::vector<TapeEntry> entries;
    entries.reserve(rows.size());
    for (TapeRow& row : rows)
        entries.push_back(TapeEntry{0, std::move(row), std::nullopt, Number()});
    replaceEntries(std::move(entries), Values::FromResults);
}

// Each row comes in as add() takes it, so a loaded tape keeps the same
// bounds; the total is summed once at the end.
void Tape::replaceEntries(std::vector<TapeEntry> entries, Values values)
{
    beginResetModel();
    rows_.clear();
    characters_ = 0;
    rowsWithNotes_ = 0;
    QSet<TapeRowId> ids;
    ids.reserve(qsizetype(entries.size()));
    for (TapeEntry& given : entries) {
        TapeEntry entry = values == Values::Given ? std::move(given) : [&] {
            TapeEntry read = entryOf(std::move(given.row), std::nullopt);
            read.id = given.id;
            read.link = given.link;
            return read;
        }();
        squeeze(entry.row);
        if (entry.id == 0 || ids.contains(entry.id))
            entry.id = newId();
        ids.insert(entry.id);
        for (qsizetype drop = rowsToDropBefore(charactersOf(entry.row)); drop > 0; --drop)
            popOldest();
        countIn(entry, +1);
        rows_.push_back(std::move(entry));
    }
    recomputeTotal();
    changed();
    endResetModel();
}

void Tape::replaceEntryQuietly(qsizetype index, TapeEntry entry)
{
    TapeEntry& held = rows_[std::size_t(index)];
    countIn(held, -1);
    entry.id = held.id;
    squeeze(entry.row);
    held = std::move(entry);
    countIn(held, +1);
    changed();
}

void Tape::rowsChanged(qsizetype first, qsizetype last)
{
    recomputeTotal();
    changed();
    emit dataChanged(index(int(first), 0), index(int(last), tapeColumnCount - 1));
    enforceBounds();
}

std::optional<qsizetype> Tape::indexOf(TapeRowId id) const
{
    if (!indexValid_) {
        indexOfId_.clear();
        indexOfId_.reserve(size());
        for (qsizetype i = 0; i < size(); ++i)
            indexOfId_.insert(rows_[std::size_t(i)].id, i);
        indexValid_ = true;
    }
    const auto found = indexOfId_.constFind(id);
    if (found == indexOfId_.constEnd())
        return std::nullopt;
    return *found;
}

std::optional<qsizetype> Tape::linkedRow(qsizetype index) const
{
    const std::optional<TapeRowLink>& link = entry(index).link;
    return link ? indexOf(link->source) : std::nullopt;
}

void Tape::countIn(const TapeEntry& entry, int sign)
{
    characters_ += sign * charactersOf(entry.row);
    rowsWithNotes_ += entry.row.note.isEmpty() ? 0 : sign;
    addToTotal(entry, sign);
}

// Neumaier's compensated sum, or the decimal sum; sign -1 takes a dropped
// row out again. A decimal sum is exact when its exponent is no larger than
// both of its terms' (the value's last digit kept).
void Tape::addToTotal(const TapeEntry& entry, int sign)
{
    if (entry.row.kind != TapeRowKind::Result || !entry.row.error.isEmpty())
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
    for (const TapeEntry& entry : rows_)
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

} // namespace numra
