// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/numbertext.h"

#include <benchmark/benchmark.h>

using namespace numra;

static void GeneralForm(benchmark::State& state)
{
    long double v = 1.0L / 3;
    for (auto _ : state)
        benchmark::DoNotOptimize(formatGeneral(v, u','));
}
BENCHMARK(GeneralForm);

static void TwoDecimalForm(benchmark::State& state)
{
    long double v = 146913.5725L;
    for (auto _ : state)
        benchmark::DoNotOptimize(formatTwoDecimals(v, u','));
}
BENCHMARK(TwoDecimalForm);

static void Parse(benchmark::State& state)
{
    const QString text = QStringLiteral("123456,78");
    long double v = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tryParseNumber(text, u',', v));
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(Parse);
