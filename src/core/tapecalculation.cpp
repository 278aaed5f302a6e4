// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tapecalculation.h"

namespace numra {

namespace {

// The rows in an order in which each comes after the row it continued from.
struct LinkOrder {
    std::vector<qsizetype> order;
    std::vector<qsizetype> source; // -1: none on the tape
};

LinkOrder linkOrder(const Tape& tape)
{
    const qsizetype n = tape.size();
    LinkOrder links;
    links.source.assign(std::size_t(n), -1);
    std::vector<qsizetype> childStart(std::size_t(n) + 1, 0);
    for (qsizetype i = 0; i < n; ++i) {
        const std::optional<qsizetype> source = tape.linkedRow(i);
        if (source && *source != i) {
            links.source[std::size_t(i)] = *source;
            ++childStart[std::size_t(*source) + 1];
        }
    }
    for (qsizetype i = 0; i < n; ++i)
        childStart[std::size_t(i) + 1] += childStart[std::size_t(i)];
    std::vector<qsizetype> children(std::size_t(childStart.back()));
    std::vector<qsizetype> filled(childStart.begin(), childStart.end() - 1);
    for (qsizetype i = 0; i < n; ++i)
        if (const qsizetype source = links.source[std::size_t(i)]; source >= 0)
            children[std::size_t(filled[std::size_t(source)]++)] = i;

    links.order.reserve(std::size_t(n));
    std::vector<qsizetype> pending;
    for (qsizetype root = 0; root < n; ++root) {
        if (links.source[std::size_t(root)] >= 0)
            continue;
        pending.push_back(root);
        while (!pending.empty()) {
            const qsizetype row = pending.back();
            pending.pop_back();
            links.order.push_back(row);
            for (qsizetype c = childStart[std::size_t(row) + 1]; c-- > childStart[std::size_t(row)];)
                pending.push_back(children[std::size_t(c)]);
        }
    }
    return links; // rows in a circle are in no order
}

// The source's result in the link's place; false when the place is not
// within the input (a file edited by hand).
bool putSourceResult(TapeEntry& entry, const QString& sourceResult)
{
    QString input = rowInput(entry.row);
    TextSpan& span = entry.link->span;
    if (span.start < 0 || span.length <= 0 || span.start + qsizetype(span.length) > input.size())
        return false;
    if (QStringView(input).sliced(span.start, span.length) == sourceResult)
        return true;
    input.replace(span.start, span.length, sourceResult);
    span.length = int(sourceResult.size());
    setRowInput(entry.row, input);
    return true;
}

} // namespace

Recalculation recalculate(Tape& tape, RowCalculator& calculator, std::vector<bool> dirty)
{
    Recalculation done;
    const LinkOrder links = linkOrder(tape);
    if (qsizetype(links.order.size()) != tape.size()) {
        done.cyclic = true;
        return done;
    }
    std::vector<bool> changed(std::size_t(tape.size()), false);
    for (const qsizetype i : links.order) {
        const qsizetype source = links.source[std::size_t(i)];
        const bool sourceChanged = source >= 0 && changed[std::size_t(source)];
        if (!sourceChanged && !dirty[std::size_t(i)])
            continue;
        TapeEntry entry = tape.entry(i);
        const TapeRow* from = source >= 0 ? &tape.row(source) : nullptr;
        if (from && !from->error.isEmpty()) {
            entry.row = failedRow(entry.row, kSourceRowFailed);
            entry.value = Number();
        } else {
            if (from && !putSourceResult(entry, from->result))
                entry.link.reset();
            ComputedRow computed = calculator.compute(entry.row);
            entry.row = std::move(computed.row);
            entry.value = computed.value.value_or(Number());
        }
        const TapeRow& before = tape.row(i);
        if (entry.row.result != before.result || entry.row.error != before.error)
            changed[std::size_t(i)] = true;
        tape.replaceEntryQuietly(i, std::move(entry));
        done.firstChanged = done.firstChanged < 0 ? i : std::min(done.firstChanged, i);
        done.lastChanged = std::max(done.lastChanged, i);
    }
    return done;
}

} // namespace numra
