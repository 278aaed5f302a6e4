// SPDX-License-Identifier: GPL-3.0-or-later
// The user's changes to the tape: a formula or note edited in place, a row
// typed in at the end, moved, deleted, the tape cleared; each a step of the
// tape's history, undone and redone here.

#include "core/calculator.h"

#include "core/rowcalculator.h"
#include "core/tapecalculation.h"
#include "core/tapedocument.h"
#include "core/tapefile.h"
#include "files/wholefile.h"

#include <QSet>

namespace numra {

namespace {

template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};

// The link of an edited row stays while its place still holds what it held.
bool linkStillHolds(const QString& edited, const TapeRowLink& link, const QString& before)
{
    const TextSpan span = link.span;
    if (span.start + qsizetype(span.length) > edited.size())
        return false;
    const qsizetype end = span.start + span.length;
    const bool endsThere = end == edited.size() || !edited[end].isLetterOrNumber();
    return endsThere && QStringView(edited).sliced(span.start, span.length)
                            == QStringView(before).sliced(span.start, span.length);
}

} // namespace

RowCalculator& Calculator::rowCalculator()
{
    if (!rowCalculator_)
        rowCalculator_ = std::make_unique<RowCalculator>(separator_);
    rowCalculator_->follow(state_);
    return *rowCalculator_;
}

void Calculator::recalculateFrom(qsizetype index)
{
    std::vector<bool> dirty(std::size_t(tape_.size()), false);
    dirty[std::size_t(index)] = true;
    const Recalculation done = recalculate(tape_, rowCalculator(), std::move(dirty));
    if (done.firstChanged >= 0)
        tape_.rowsChanged(done.firstChanged, done.lastChanged);
}

const CalculatorState& Calculator::editTapeRow(qsizetype index, const QString& text)
{
    return run([&] {
        if (index < 0 || index > tape_.size() || isBlankText(text))
            return;
        ensureRoomFor(text.size());
        if (index == tape_.size()) {
            TapeRow row{TapeRowKind::Result, text, QString()};
            row.recipe.twoDecimals = display_.roundingChecked;
            ComputedRow computed = rowCalculator().compute(row);
            const TapeRowId id = tape_.add(std::move(computed.row), computed.value);
            const qsizetype at = tape_.indexOf(id).value_or(tape_.size() - 1);
            tapeHistory_.record(tapestep::Insert{tape_.entry(at), at > 0 ? tape_.id(at - 1) : 0});
            state_.outcome.tapeRow = at;
            return;
        }
        const TapeEntry before = tape_.entry(index);
        if (text == rowInput(before.row))
            return;
        TapeEntry edited = before;
        setRowInput(edited.row, text);
        if (edited.link && !linkStillHolds(text, *edited.link, rowInput(before.row)))
            edited.link.reset();
        tape_.replaceEntryQuietly(index, std::move(edited));
        recalculateFrom(index);
        const qsizetype at = tape_.indexOf(before.id).value_or(-1);
        if (at >= 0) {
            tapeHistory_.record(tapestep::Change{before, tape_.entry(at)});
            state_.outcome.tapeRow = at;
        }
    });
}

const CalculatorState& Calculator::setTapeNote(qsizetype index, const QString& note)
{
    return run([&] {
        if (index < 0 || index >= tape_.size() || note.left(kMaxNoteLength) == tape_.row(index).note)
            return;
        const TapeEntry before = tape_.entry(index);
        tape_.setNote(index, note);
        if (const std::optional<qsizetype> at = tape_.indexOf(before.id)) {
            tapeHistory_.record(tapestep::Change{before, tape_.entry(*at)});
            state_.outcome.tapeRow = *at;
        }
    });
}

const CalculatorState& Calculator::moveTapeRow(qsizetype index, qsizetype to)
{
    return run([&] {
        if (index < 0 || to < 0 || index >= tape_.size() || to >= tape_.size() || index == to)
            return;
        const TapeRowId row = tape_.id(index);
        const TapeRowId fromAfter = index > 0 ? tape_.id(index - 1) : 0;
        tape_.moveRow(index, to);
        tapeHistory_.record(tapestep::Move{row, fromAfter, to > 0 ? tape_.id(to - 1) : 0});
        state_.outcome.tapeRow = to;
    });
}

const CalculatorState& Calculator::deleteTapeRow(qsizetype index)
{
    return run([&] {
        if (index < 0 || index >= tape_.size())
            return;
        const TapeRowId after = index > 0 ? tape_.id(index - 1) : 0;
        tapeHistory_.record(tapestep::Remove{tape_.takeRow(index), after});
        if (tape_.size() > 0)
            state_.outcome.tapeRow = std::min(index, tape_.size() - 1);
    });
}

const CalculatorState& Calculator::clearTape()
{
    return run([&] {
        if (tape_.size() == 0)
            return;
        tapeHistory_.record(tapestep::Replace{tape_.entries(), {}});
        tape_.clear();
    });
}

const CalculatorState& Calculator::undoTape()
{
    return run([&] {
        if (std::optional<TapeStep> step = tapeHistory_.undo())
            applyTapeStep(*step);
    });
}

const CalculatorState& Calculator::redoTape()
{
    return run([&] {
        if (std::optional<TapeStep> step = tapeHistory_.redo())
            applyTapeStep(*step);
    });
}

// A row put back where it was: after the row it followed, or at the front
// when that row has left the tape at its bounds.
void Calculator::placeAfter(TapeEntry entry, TapeRowId after)
{
    const qsizetype at = after == 0 ? 0 : tape_.indexOf(after).value_or(-1) + 1;
    const TapeRowId id = entry.id;
    tape_.insertEntry(at, std::move(entry));
    state_.outcome.tapeRow = tape_.indexOf(id).value_or(at);
}

// A row changed back or forth takes the input, link, kind and note it had
// and is computed again, and so is every row that continued from it.
void Calculator::applyTapeStep(const TapeStep& step)
{
    std::visit(
        Overloaded{
            [&](const tapestep::Change& change) {
                const std::optional<qsizetype> at = tape_.indexOf(change.to.id);
                if (!at)
                    return;
                const TapeRow& now = tape_.row(*at);
                const TapeRow& wanted = change.to.row;
                state_.outcome.tapeRow = *at;
                if (rowInput(now) == rowInput(wanted) && now.kind == wanted.kind && now.recipe == wanted.recipe
                    && tape_.entry(*at).link == change.to.link) {
                    tape_.setNote(*at, wanted.note);
                    return;
                }
                TapeEntry restored = tape_.entry(*at);
                restored.row.kind = wanted.kind;
                restored.row.formula = wanted.formula;
                restored.row.note = wanted.note;
                restored.row.recipe = wanted.recipe;
                restored.link = change.to.link;
                tape_.replaceEntryQuietly(*at, std::move(restored));
                recalculateFrom(*at);
            },
            [&](const tapestep::Insert& insert) { placeAfter(insert.entry, insert.after); },
            [&](const tapestep::Remove& remove) {
                if (const std::optional<qsizetype> at = tape_.indexOf(remove.entry.id))
                    tape_.takeRow(*at);
            },
            [&](const tapestep::Move& move) {
                const std::optional<qsizetype> from = tape_.indexOf(move.row);
                if (!from)
                    return;
                const qsizetype after = move.toAfter == 0 ? -1 : tape_.indexOf(move.toAfter).value_or(-1);
                const qsizetype to = after < *from ? after + 1 : after;
                tape_.moveRow(*from, to);
                state_.outcome.tapeRow = to;
            },
            // The rows given, then the rows added since that are neither among
            // them nor among the rows they replaced.
            [&](const tapestep::Replace& replace) {
                QSet<TapeRowId> named;
                for (const auto* rows : {&replace.from, &replace.to})
                    for (const TapeEntry& entry : *rows)
                        named.insert(entry.id);
                std::vector<TapeEntry> rows = replace.to;
                for (qsizetype i = 0; i < tape_.size(); ++i)
                    if (!named.contains(tape_.id(i)))
                        rows.push_back(tape_.entry(i));
                tape_.replaceEntries(std::move(rows));
            },
            [&](const tapestep::TakeOver& takeOver) {
                if (display_.entryText == takeOver.entryFrom) {
                    setEntry(takeOver.entryTo);
                    wishEntryFocus();
                }
            },
        },
        step);
}

// The document's rows are computed on a tape of their own, so that the open
// tape changes only when the whole document could be read.
const CalculatorState& Calculator::openTapeDocument(const QString& path)
{
    return run([&] {
        const QString name = fullPath(path);
        const std::optional<QByteArray> bytes = readWholeFile(path, kMaxTapeFileSize);
        if (!bytes)
            throw Error(tapeDocumentTooLarge(name));
        const TapeDocument document = decodeTapeDocument(*bytes, separator_, name);
        if (!document.error.isEmpty())
            throw Error(document.error);
        const qsizetype count = qsizetype(document.rows.size());
        std::vector<TapeEntry> rows;
        rows.reserve(std::size_t(count));
        for (const DocumentRow& row : document.rows)
            rows.push_back(TapeEntry{0, row.row, std::nullopt, Number()});
        Tape computed(separator_);
        computed.replaceEntries(std::move(rows), Tape::Values::FromResults);
        if (computed.size() != count)
            throw Error(tapeDocumentTooLarge(name));
        for (qsizetype i = 0; i < count; ++i) {
            const DocumentRow& row = document.rows[std::size_t(i)];
            if (!row.linkedTo)
                continue;
            TapeEntry linked = computed.entry(i);
            linked.link = TapeRowLink{computed.id(*row.linkedTo), row.linkSpan};
            computed.replaceEntryQuietly(i, std::move(linked));
        }
        if (recalculate(computed, rowCalculator(), std::vector<bool>(std::size_t(count), true)).cyclic)
            throw Error(tapeDocumentInACircle(name));
        std::vector<TapeEntry> opened = computed.entries();
        tapeHistory_.record(tapestep::Replace{tape_.entries(), opened});
        tape_.replaceEntries(std::move(opened));
    });
}

const CalculatorState& Calculator::saveTapeDocument(const QString& path)
{
    return run([&] { writeWholeFile(path, encodeTapeDocument(tape_)); });
}

} // namespace numra
