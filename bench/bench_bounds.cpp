// SPDX-License-Identifier: GPL-3.0-or-later
// How long the largest inputs take to be answered (a value or a message):
// each big text of tests/bounds on both evaluators and through "=" in edit
// mode, keys that double the entry up to its bound, and the refusal of a
// 100 MB calculation file. Each should be answered within a second.

#include "bounds/bigtexts.h"

#include "core/calculator.h"
#include "eval/interpreter.h"
#include "eval/powerformula.h"
#include "files/calculationfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <string>

using namespace numra;
using namespace numra::bounds;

namespace {

// The caught error stands for the message box the user would see.
template <typename Operation>
void answer(Operation&& operation)
{
    try {
        operation();
    } catch (const Error& error) {
        benchmark::DoNotOptimize(error.message().size());
    }
}

void powerFormula(benchmark::State& state, const QString& text)
{
    for (auto _ : state)
        answer([&] { benchmark::DoNotOptimize(evaluatePowerFormula(text)); });
}

void script(benchmark::State& state, const QString& text)
{
    Interpreter interpreter(ValueContext{u','});
    for (auto _ : state) {
        answer([&] {
            interpreter.setSource(text);
            interpreter.run();
            benchmark::DoNotOptimize(toDouble(interpreter.result(), ValueContext{u','}));
        });
    }
}

void equalsInEditMode(benchmark::State& state, const QString& text)
{
    Calculator calculator(u',');
    calculator.start(QStringLiteral("/tmp/morvane/"));
    calculator.press(Key::Edit);
    for (auto _ : state) {
        calculator.setEntryText(text);
        benchmark::DoNotOptimize(calculator.press(Key::Equals).outcome.messages.size());
    }
}

// Edit mode, "12", then M+ and M- in turn, each doubling the entry, until
// the entry reaches its bound.
void memoryRecallHeldInEditMode(benchmark::State& state)
{
    for (auto _ : state) {
        Calculator calculator(u',');
        calculator.start(QStringLiteral("/tmp/morvane/"));
        calculator.press(Key::Edit);
        calculator.setEntryText(QStringLiteral("12"));
        for (int press = 0; press < 40; ++press) {
            calculator.press(Key::MemoryIn);
            calculator.press(Key::MemoryOut);
        }
        benchmark::DoNotOptimize(calculator.state().display.entryText.size());
    }
}

void fileOf100Megabytes(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("gross.clc"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(100LL * 1024 * 1024)) {
        state.SkipWithError("cannot create the sparse file");
        return;
    }
    file.close();
    for (auto _ : state)
        answer([&] { benchmark::DoNotOptimize(readCalculationFile(path)); });
}

const bool kRegistered = [] {
    for (const BigText& big : bigTexts()) {
        const std::string name = big.name;
        benchmark::RegisterBenchmark(("power formula: " + name).c_str(), powerFormula, big.text)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("script: " + name).c_str(), script, big.text)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("\"=\" in edit mode: " + name).c_str(), equalsInEditMode, big.text)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("M+ M- held down in edit mode", memoryRecallHeldInEditMode)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("100 MB calculation file", fileOf100Megabytes)->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace
