// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/errors.h"
#include "eval/interpreter.h"

#include <benchmark/benchmark.h>

using namespace numra;

namespace {

// A whole run as the "=" key does it: set the source, run, read the value.
void runFormula(benchmark::State& state, const QString& formula)
{
    Interpreter interpreter(ValueContext{u','});
    for (auto _ : state) {
        interpreter.setSource(formula);
        interpreter.run();
        benchmark::DoNotOptimize(interpreter.result());
    }
}

// What "=" computes up to the shown text: the run, the number of its result
// and the general form, in the binary arithmetic or the exact mode.
void shownResult(benchmark::State& state, const QString& formula, Arithmetic arithmetic)
{
    const ValueContext context{u',', arithmetic};
    Interpreter interpreter(context);
    for (auto _ : state) {
        interpreter.setSource(formula);
        interpreter.run(arithmetic);
        benchmark::DoNotOptimize(generalForm(toNumber(interpreter.result(), context), u','));
    }
}

// A run that ends in an error, caught as the event loop would.
void runFailing(benchmark::State& state, const QString& formula)
{
    Interpreter interpreter(ValueContext{u','});
    for (auto _ : state) {
        interpreter.setSource(formula);
        try {
            interpreter.run();
        } catch (const Error& e) {
            benchmark::DoNotOptimize(e.message());
        }
    }
}

QString repeated(const QString& head, int count, const QString& tail)
{
    return head.repeated(count) + tail;
}

} // namespace

BENCHMARK_CAPTURE(runFormula, product_and_sum, u"12+5*2"_qs);
BENCHMARK_CAPTURE(shownResult, product_and_sum_binary, u"12+5*2"_qs, Arithmetic::Binary);
BENCHMARK_CAPTURE(shownResult, product_and_sum_exact, u"12+5*2"_qs, Arithmetic::Decimal);
BENCHMARK_CAPTURE(shownResult, amounts_binary, u"86251.76-86250.82+19.99*3"_qs, Arithmetic::Binary);
BENCHMARK_CAPTURE(shownResult, amounts_exact, u"86251.76-86250.82+19.99*3"_qs, Arithmetic::Decimal);
BENCHMARK_CAPTURE(shownResult, vat_binary, u"8922/1.07"_qs, Arithmetic::Binary);
BENCHMARK_CAPTURE(shownResult, vat_exact, u"8922/1.07"_qs, Arithmetic::Decimal);
BENCHMARK_CAPTURE(runFormula, groups, u"200+(200/100 *10)"_qs);
BENCHMARK_CAPTURE(runFormula, comparison, u"1<2"_qs);
BENCHMARK_CAPTURE(runFormula, string_concatenation, u"'12'+'3'"_qs);
BENCHMARK_CAPTURE(runFormula, chain_of_200_operands, repeated(u"1+"_qs, 199, u"1"_qs));
BENCHMARK_CAPTURE(runFormula, adjacent_strings_1e6, repeated(u"#65"_qs, 1000000, u"'.'"_qs))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runFailing, nested_groups_1e6, repeated(u"("_qs, 1000000, u"1"_qs))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runFailing, nested_not_1e6, repeated(u"not "_qs, 1000000, u"1"_qs))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runFailing, nested_signs_1e6, repeated(u"-"_qs, 1000000, u"1"_qs))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runFailing, sum_chain_1e7, repeated(u"1+"_qs, 10000000, u"1"_qs))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(runFailing, operators_1e7, u"1"_qs + repeated(u"*"_qs, 10000000, u"2"_qs))
    ->Unit(benchmark::kMillisecond);
