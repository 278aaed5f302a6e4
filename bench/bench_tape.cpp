// SPDX-License-Identifier: GPL-3.0-or-later
// "=" with a full tape of 10,000 rows against a nearly empty one: adding the
// row, and dropping the oldest once the tape is full, may cost the key at
// most 1 µs. Each formula adds a row; the nearly empty tape is cleared every
// 1,000 rows (so it destroys as many rows as the full one drops).
//
// A chain of 10,000 rows, each going on from the result of the one before
// (1 + 1 = + 1 = + 1 = ...): correcting its first row computes every row
// again, at most 50 ms; opening it as a tape document, which computes every
// row too, at most 100 ms.

#include "core/calculator.h"
#include "core/tapedocument.h"
#include "officeformulas.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace numra;

namespace {

constexpr qsizetype kNearlyEmpty = 1000;

void BM_EqualsWithTape(benchmark::State& state)
{
    const qsizetype rowsBefore = state.range(0);
    Calculator calculator(u',');
    calculator.start(QString());
    calculator.press(Key::Edit);
    Tape& tape = calculator.tape();
    for (qsizetype i = 0; i < rowsBefore; ++i)
        tape.add({TapeRowKind::Result, QStringLiteral("19,99*3+4,95"), QStringLiteral("64,92")});
    std::size_t i = 0;
    for (auto _ : state) {
        calculator.setEntryText(bench::kOfficeFormulas[i++ % std::size(bench::kOfficeFormulas)]);
        calculator.press(Key::Equals);
        if (rowsBefore == 0 && tape.size() == kNearlyEmpty)
            tape.clear();
        benchmark::DoNotOptimize(tape.total());
    }
    state.counters["rows"] = double(tape.size());
}
BENCHMARK(BM_EqualsWithTape)->Arg(0)->Arg(kMaxTapeRows);

void makeChain(Calculator& calculator)
{
    calculator.start(QString());
    calculator.press(Key::Digit1);
    for (qsizetype i = 0; i < kMaxTapeRows; ++i) {
        calculator.press(Key::Plus);
        calculator.press(Key::Digit1);
        calculator.press(Key::Equals);
    }
}

void BM_RecomputeLinkedChain(benchmark::State& state)
{
    Calculator calculator(u',');
    makeChain(calculator);
    const Tape& tape = calculator.tape();
    int i = 0;
    for (auto _ : state) {
        calculator.editTapeRow(0, (i++ % 2 == 0) ? QStringLiteral("2+1") : QStringLiteral("1+1"));
        benchmark::DoNotOptimize(tape.total());
    }
    state.counters["rows"] = double(tape.size());
    const qsizetype last = tape.size() - 1;
    if (tape.row(last).result.toLongLong() != tape.row(0).result.toLongLong() + last)
        state.SkipWithError("the chain was not computed again");
}
BENCHMARK(BM_RecomputeLinkedChain)->Unit(benchmark::kMillisecond);

void BM_OpenTapeDocument(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("kette.rstr"));
    {
        Calculator maker(u',');
        makeChain(maker);
        maker.saveTapeDocument(path);
    }
    Calculator calculator(u',');
    calculator.start(QString());
    for (auto _ : state) {
        calculator.openTapeDocument(path);
        benchmark::DoNotOptimize(calculator.tape().total());
    }
    state.counters["rows"] = double(calculator.tape().size());
    state.counters["bytes"] = double(QFile(path).size());
}
BENCHMARK(BM_OpenTapeDocument)->Unit(benchmark::kMillisecond);

} // namespace
