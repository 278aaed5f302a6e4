// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator core's keys: "=" on typical office formulas in edit mode,
// "=" on formulas that fail, a keypad calculation, and a VAT key with its
// window. All but the last in both arithmetics: argument 0 binary, 1 "Genau
// rechnen (dezimal)". A failing formula should cost at most about twice a
// good one.

#include "core/calculator.h"
#include "officeformulas.h"

#include <benchmark/benchmark.h>

using namespace numra;

namespace {

Arithmetic arithmeticOf(const benchmark::State& state)
{
    return state.range(0) == 0 ? Arithmetic::Binary : Arithmetic::Decimal;
}

void BM_EditModeEquals(benchmark::State& state)
{
    Calculator calculator(u',');
    calculator.start(QString());
    calculator.setArithmetic(arithmeticOf(state));
    calculator.press(Key::Edit);
    std::size_t i = 0;
    for (auto _ : state) {
        calculator.setEntryText(bench::kOfficeFormulas[i++ % std::size(bench::kOfficeFormulas)]);
        calculator.press(Key::Equals);
        benchmark::DoNotOptimize(calculator.state().display.entryText.size());
    }
}
BENCHMARK(BM_EditModeEquals)->Arg(0)->Arg(1);

// The errors an office user meets most: a division by zero, an operator
// typed twice, a number written with a letter.
void BM_EditModeEqualsFailing(benchmark::State& state)
{
    const QString failing[] = {QStringLiteral("1250,40/0"), QStringLiteral("12+*3"), QStringLiteral("19,99*3x")};
    Calculator calculator(u',');
    calculator.start(QString());
    calculator.setArithmetic(arithmeticOf(state));
    calculator.press(Key::Edit);
    std::size_t i = 0;
    for (auto _ : state) {
        calculator.setEntryText(failing[i++ % std::size(failing)]);
        calculator.press(Key::Equals);
        benchmark::DoNotOptimize(calculator.state().outcome.messages.size());
    }
}
BENCHMARK(BM_EditModeEqualsFailing)->Arg(0)->Arg(1);

void BM_KeypadCalculation(benchmark::State& state)
{
    const Key keys[] = {Key::ClearEntry, Key::Digit1, Key::Digit2, Key::Plus, Key::Digit5, Key::Multiply, Key::Digit2,
                        Key::Equals};
    Calculator calculator(u',');
    calculator.start(QString());
    calculator.setArithmetic(arithmeticOf(state));
    for (auto _ : state) {
        for (Key key : keys)
            calculator.press(key);
        benchmark::DoNotOptimize(calculator.state().display.entryText.size());
    }
}
BENCHMARK(BM_KeypadCalculation)->Arg(0)->Arg(1);

void BM_VatFromNet(benchmark::State& state)
{
    Calculator calculator(u',');
    calculator.start(QString());
    for (auto _ : state) {
        calculator.setEntryText(QStringLiteral("123456,78"));
        calculator.press(Key::VatFromNet);
        calculator.closeVatWindow();
        benchmark::DoNotOptimize(calculator.state().display.entryText.size());
    }
}
BENCHMARK(BM_VatFromNet);

} // namespace
