// SPDX-License-Identifier: GPL-3.0-or-later
// What one operation costs in the exact mode's decimals, beside the same
// operation of the binary arithmetic, on operands of office formulas.

#include "eval/decimal.h"
#include "eval/fpu.h"
#include "eval/numbertext.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace numra;

namespace {

const Decimal kAmount = parseDecimal(QStringLiteral("86251,76"), u',');
const Decimal kRate = parseDecimal(QStringLiteral("1,19"), u',');
const Decimal kTwo = Decimal::fromInteger(2);
const Decimal kGrowth = parseDecimal(QStringLiteral("1,0325"), u',');
const Decimal kYears = parseDecimal(QStringLiteral("7,5"), u',');
const Decimal kWholeYears = Decimal::fromInteger(10);
const Decimal kThird = Decimal::fromInteger(1) / Decimal::fromInteger(3);

template <class Operation>
void Measure(benchmark::State& state, Operation operation)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(operation());
}

// Operands read through a volatile, so that nothing is computed ahead.
Decimal operand(const Decimal& value)
{
    volatile std::uint64_t low = value.lowWord();
    volatile std::uint64_t high = value.highWord();
    return Decimal::fromWords(low, high);
}

long double operand(long double value)
{
    volatile long double v = value;
    return v;
}

} // namespace

BENCHMARK_CAPTURE(Measure, DecimalAdd, [] { return operand(kAmount) + kRate; });
BENCHMARK_CAPTURE(Measure, BinaryAdd, [] { return fpu::add(operand(86251.76L), 1.19L); });
BENCHMARK_CAPTURE(Measure, DecimalMultiply, [] { return operand(kAmount) * kRate; });
BENCHMARK_CAPTURE(Measure, BinaryMultiply, [] { return fpu::mul(operand(86251.76L), 1.19L); });
BENCHMARK_CAPTURE(Measure, DecimalDivide, [] { return operand(kAmount) / kRate; });
BENCHMARK_CAPTURE(Measure, BinaryDivide, [] { return fpu::div(operand(86251.76L), 1.19L); });
BENCHMARK_CAPTURE(Measure, DecimalCompare, [] { return operand(kAmount) < kRate; });
BENCHMARK_CAPTURE(Measure, DecimalWithinDoubleRange, [] { return withinRange(operand(kAmount), BinaryRange::Double); });
BENCHMARK_CAPTURE(Measure, DecimalSquareRoot, [] { return squareRoot(operand(kTwo)); });
BENCHMARK_CAPTURE(Measure, BinarySquareRoot, [] { return std::sqrt(operand(2.0L)); });
BENCHMARK_CAPTURE(Measure, DecimalPowerWholeExponent, [] { return power(operand(kGrowth), kWholeYears); });
BENCHMARK_CAPTURE(Measure, DecimalPowerRealExponent, [] { return power(operand(kGrowth), kYears); });
BENCHMARK_CAPTURE(Measure, BinaryPower, [] {
    return fpu::checked([] { return std::exp(std::log(operand(1.0325L)) * 7.5L); });
});
BENCHMARK_CAPTURE(Measure, DecimalParse, [] {
    Decimal value;
    tryParseDecimal(QStringView(u"86251,76"), u',', value);
    return value;
});
BENCHMARK_CAPTURE(Measure, BinaryParse, [] {
    long double value = 0;
    tryParseNumber(QStringView(u"86251,76"), u',', value);
    return value;
});
BENCHMARK_CAPTURE(Measure, DecimalGeneralForm, [] { return generalForm(operand(kThird), u','); });
BENCHMARK_CAPTURE(Measure, BinaryGeneralForm, [] { return generalForm(operand(1.0L / 3), u','); });
BENCHMARK_CAPTURE(Measure, DecimalTwoDecimalForm, [] { return twoDecimalForm(operand(kAmount), u','); });
BENCHMARK_CAPTURE(Measure, BinaryTwoDecimalForm, [] { return twoDecimalForm(operand(86251.76L), u','); });
