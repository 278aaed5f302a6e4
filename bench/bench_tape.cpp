// SPDX-License-Identifier: GPL-3.0-or-later
// "=" with a full tape of 10,000 rows against a nearly empty one: adding the
// row, and dropping the oldest once the tape is full, may cost the key at
// most 1 µs. Each formula adds a row; the nearly empty tape is cleared every
// 1,000 rows (so it destroys as many rows as the full one drops).

#include "core/calculator.h"
#include "officeformulas.h"

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

} // namespace
