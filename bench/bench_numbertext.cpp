// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/numbertext.h"

#include <benchmark/benchmark.h>

using namespace numra;

// Each form twice: into its fixed buffer, as the calculator writes a result
// into the entry field, and as a new QString, which adds an allocation.

static void GeneralForm(benchmark::State& state)
{
    long double v = 1.0L / 3;
    for (auto _ : state)
        benchmark::DoNotOptimize(generalForm(v, u','));
}
BENCHMARK(GeneralForm);

static void GeneralFormAsQString(benchmark::State& state)
{
    long double v = 1.0L / 3;
    for (auto _ : state)
        benchmark::DoNotOptimize(formatGeneral(v, u','));
}
BENCHMARK(GeneralFormAsQString);

static void TwoDecimalForm(benchmark::State& state)
{
    long double v = 146913.5725L;
    for (auto _ : state)
        benchmark::DoNotOptimize(twoDecimalForm(v, u','));
}
BENCHMARK(TwoDecimalForm);

static void TwoDecimalFormAsQString(benchmark::State& state)
{
    long double v = 146913.5725L;
    for (auto _ : state)
        benchmark::DoNotOptimize(formatTwoDecimals(v, u','));
}
BENCHMARK(TwoDecimalFormAsQString);

// A value beyond 2^63, which takes the long division on big integers.
static void GeneralFormOfAHugeValue(benchmark::State& state)
{
    long double v = 1.5e300L;
    for (auto _ : state)
        benchmark::DoNotOptimize(generalForm(v, u','));
}
BENCHMARK(GeneralFormOfAHugeValue);

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
