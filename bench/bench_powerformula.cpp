// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/powerformula.h"

#include <benchmark/benchmark.h>

using namespace numra;

static void PowerFormula(benchmark::State& state, const char* formula)
{
    const QString text = QString::fromLatin1(formula);
    for (auto _ : state)
        benchmark::DoNotOptimize(evaluatePowerFormula(text));
}
BENCHMARK_CAPTURE(PowerFormula, PrecedenceMix, "3+2^2*2");
BENCHMARK_CAPTURE(PowerFormula, GroupedBase, "(1+1)^3");
BENCHMARK_CAPTURE(PowerFormula, TenCharacters, "12.5^2-3/4");

static void PowerFormulaIn(benchmark::State& state, const char* formula, Arithmetic arithmetic)
{
    const QString text = QString::fromLatin1(formula);
    for (auto _ : state)
        benchmark::DoNotOptimize(evaluatePowerFormula(text, arithmetic));
}
BENCHMARK_CAPTURE(PowerFormulaIn, CompoundInterestBinary, "1000*1.035^10", Arithmetic::Binary);
BENCHMARK_CAPTURE(PowerFormulaIn, CompoundInterestExact, "1000*1.035^10", Arithmetic::Decimal);
BENCHMARK_CAPTURE(PowerFormulaIn, RootBinary, "2^0.5", Arithmetic::Binary);
BENCHMARK_CAPTURE(PowerFormulaIn, RootExact, "2^0.5", Arithmetic::Decimal);
