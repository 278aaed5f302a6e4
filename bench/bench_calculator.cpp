// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator core's keys: "=" on typical office formulas in edit mode,
// a keypad calculation, and a VAT key with its window.

#include "core/calculator.h"

#include <benchmark/benchmark.h>

using namespace numra;

namespace {

class NullUi : public CalculatorUi {
public:
    void showMessage(MessageKind, const QString&) override {}
    void setSubtotalLabel(const QString&) override {}
    void showSubtotal(const QString&) override {}
    QString confirmFormula(const QString& candidate) override { return candidate; }
    std::optional<QString> showVatWindow(const VatWindowInput&) override { return std::nullopt; }
    void copyToClipboard(const QString&) override {}
    void focusEntry() override {}
    QString askSaveFileName(const QString&) override { return QString(); }
    QString askOpenFileName() override { return QString(); }
};

void BM_EditModeEquals(benchmark::State& state)
{
    const QString formulas[] = {QStringLiteral("1234,56*1,19"), QStringLiteral("(120+80)*0,97"),
                                QStringLiteral("19,99*3+4,95"), QStringLiteral("1500/12+"),
                                QStringLiteral("2^10")};
    NullUi ui;
    Calculator calculator(ui, u',');
    calculator.start(QString());
    calculator.press(Key::Edit);
    std::size_t i = 0;
    for (auto _ : state) {
        calculator.setEntryText(formulas[i++ % std::size(formulas)]);
        calculator.press(Key::Equals);
        benchmark::DoNotOptimize(calculator.display().entryText.size());
    }
}
BENCHMARK(BM_EditModeEquals);

void BM_KeypadCalculation(benchmark::State& state)
{
    const Key keys[] = {Key::ClearEntry, Key::Digit1, Key::Digit2, Key::Plus, Key::Digit5, Key::Multiply, Key::Digit2,
                        Key::Equals};
    NullUi ui;
    Calculator calculator(ui, u',');
    calculator.start(QString());
    for (auto _ : state) {
        for (Key key : keys)
            calculator.press(key);
        benchmark::DoNotOptimize(calculator.display().entryText.size());
    }
}
BENCHMARK(BM_KeypadCalculation);

void BM_VatFromNet(benchmark::State& state)
{
    NullUi ui;
    Calculator calculator(ui, u',');
    calculator.start(QString());
    for (auto _ : state) {
        calculator.setEntryText(QStringLiteral("123456,78"));
        calculator.press(Key::VatFromNet);
        benchmark::DoNotOptimize(calculator.display().entryText.size());
    }
}
BENCHMARK(BM_VatFromNet);

} // namespace
