// SPDX-License-Identifier: GPL-3.0-or-later
// The tape window with 10,000 rows, on the offscreen platform: opening it
// (shown, laid out and painted) may take at most 50 ms. Also timed: creating
// it anew and opening it, and "=" with a full tape while the window is
// hidden and while it is open.

#include "core/calculator.h"
#include "gui/application.h"
#include "gui/tapewindow.h"
#include "gui/visualstyle.h"
#include "officeformulas.h"

#include <benchmark/benchmark.h>

using namespace numra;

namespace {

void fill(Tape& tape)
{
    for (qsizetype i = 0; i < kMaxTapeRows; ++i)
        tape.add({TapeRowKind::Result, QStringLiteral("%1+19,99*3").arg(i), QStringLiteral("%1,97").arg(i + 59)});
}

// Shown, its events (exposure, layout) handled and painted.
void open(TapeWindow& window)
{
    window.show();
    QCoreApplication::processEvents();
    window.repaint();
}

// Hidden again untimed.
void BM_OpenTapeWindow(benchmark::State& state)
{
    Tape tape(u',');
    fill(tape);
    TapeWindow window(nullptr, tape);
    for (auto _ : state) {
        open(window);
        state.PauseTiming();
        window.hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenTapeWindow)->Unit(benchmark::kMillisecond);

void BM_CreateAndOpenTapeWindow(benchmark::State& state)
{
    Tape tape(u',');
    fill(tape);
    for (auto _ : state) {
        auto* window = new TapeWindow(nullptr, tape);
        open(*window);
        state.PauseTiming();
        delete window;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CreateAndOpenTapeWindow)->Unit(benchmark::kMillisecond);

void BM_EqualsWithTapeWindow(benchmark::State& state)
{
    Calculator calculator(u',');
    calculator.start(QString());
    calculator.press(Key::Edit);
    fill(calculator.tape());
    TapeWindow window(nullptr, calculator.tape());
    if (state.range(0))
        open(window);
    std::size_t i = 0;
    for (auto _ : state) {
        calculator.setEntryText(bench::kOfficeFormulas[i++ % std::size(bench::kOfficeFormulas)]);
        calculator.press(Key::Equals);
    }
}
BENCHMARK(BM_EqualsWithTapeWindow)->ArgName("open")->Arg(0)->Arg(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    NumraApplication app(argc, argv);
    applyVisualStyle(app, defaultStyleName);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
