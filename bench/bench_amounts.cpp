// SPDX-License-Identifier: GPL-3.0-or-later
// Amounts: a megabyte of pasted lines read at once (target: under 50 ms),
// and the shown forms with places beside today's two-decimal form.

#include "eval/decimal.h"
#include "eval/digitgrouping.h"
#include "eval/pastedtext.h"
#include "eval/shownform.h"

#include <benchmark/benchmark.h>

using namespace numra;

namespace {

// Lines as bank statements, e-mails and spreadsheets give them, repeated up
// to one megabyte of UTF-8.
QString pastedMegabyte()
{
    const QString lines[] = {
        QStringLiteral("1.234,56 €"),  QStringLiteral("-45,00"),         QStringLiteral("(1.234,56)"),
        QStringLiteral("12 345 678,90"), QStringLiteral("EUR 19,99"),    QStringLiteral("45,00-"),
        QStringLiteral("−1.234.567,89"), QStringLiteral("7"),            QStringLiteral("1\u00A0250,00 EUR"),
        QStringLiteral("0,99"),
    };
    QString text;
    qsizetype bytes = 0;
    for (std::size_t i = 0; bytes < 1000 * 1000; ++i) {
        const QString& line = lines[i % std::size(lines)];
        text += line;
        text += u'\n';
        bytes += line.toUtf8().size() + 1;
    }
    return text;
}

void PasteOneMegabyte(benchmark::State& state)
{
    const QString text = pastedMegabyte();
    std::size_t amounts = 0;
    for (auto _ : state) {
        const PastedText pasted = readPastedText(text, u',');
        amounts = pasted.amounts.size();
        benchmark::DoNotOptimize(pasted.amounts.data());
    }
    state.counters["amounts"] = double(amounts);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * text.toUtf8().size());
}
BENCHMARK(PasteOneMegabyte)->Unit(benchmark::kMillisecond);

void PasteOneAmount(benchmark::State& state)
{
    const QString text = QStringLiteral("1.234,56 €");
    for (auto _ : state)
        benchmark::DoNotOptimize(readPastedText(text, u','));
}
BENCHMARK(PasteOneAmount);

const Number kBinaryThird = Number::binary(2.0 / 3);
const Number kDecimalThird = Number::decimal(Decimal::fromInteger(2) / Decimal::fromInteger(3));

void TwoDecimalFormToday(benchmark::State& state, const Number& value)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(twoDecimalForm(value, u','));
}
BENCHMARK_CAPTURE(TwoDecimalFormToday, binary, kBinaryThird);
BENCHMARK_CAPTURE(TwoDecimalFormToday, decimal, kDecimalThird);

void ThreePlaces(benchmark::State& state, const Number& value, RoundingMode rounding)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(placesForm(value, 3, rounding, u','));
}
BENCHMARK_CAPTURE(ThreePlaces, binary_half_away, kBinaryThird, RoundingMode::HalfAwayFromZero);
BENCHMARK_CAPTURE(ThreePlaces, binary_toward_zero, kBinaryThird, RoundingMode::TowardZero);
BENCHMARK_CAPTURE(ThreePlaces, decimal_half_away, kDecimalThird, RoundingMode::HalfAwayFromZero);
BENCHMARK_CAPTURE(ThreePlaces, decimal_toward_zero, kDecimalThird, RoundingMode::TowardZero);

void FreeForm(benchmark::State& state, const Number& value)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(shownForm(value, ShownFormat{}, u','));
}
BENCHMARK_CAPTURE(FreeForm, binary, kBinaryThird);
BENCHMARK_CAPTURE(FreeForm, decimal, kDecimalThird);

void GroupThousands(benchmark::State& state)
{
    const QString shown = QStringLiteral("-1234567890,12");
    for (auto _ : state)
        benchmark::DoNotOptimize(groupThousands(shown, u','));
}
BENCHMARK(GroupThousands);

} // namespace
