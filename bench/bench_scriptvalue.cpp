// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/scriptvalue.h"

#include <benchmark/benchmark.h>

using namespace numra;

namespace {

const ValueContext kContext{u','};
const ValueContext kExact{u',', Arithmetic::Decimal};

void Operation(benchmark::State& state, BinaryOp op, ScriptValue left, ScriptValue right,
               const ValueContext& context = kContext)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(left);
        benchmark::DoNotOptimize(binaryOperation(op, left, right, context));
    }
}

void Comparison(benchmark::State& state, ScriptValue left, ScriptValue right, const ValueContext& context = kContext)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(left);
        benchmark::DoNotOptimize(compare(CompareOp::Less, left, right, context));
    }
}

const ScriptValue kInt1 = ScriptValue::integer(12345);
const ScriptValue kInt2 = ScriptValue::integer(678);
const ScriptValue kLong1 = ScriptValue::int64(3000000000);
const ScriptValue kLong2 = ScriptValue::int64(7);
const ScriptValue kDbl1 = ScriptValue::dbl(1.5);
const ScriptValue kDbl2 = ScriptValue::dbl(2.25);
const ScriptValue kDec1 = ScriptValue::decimal(Decimal::fromParts(false, 15, -1));
const ScriptValue kDec2 = ScriptValue::decimal(Decimal::fromParts(false, 225, -2));
const ScriptValue kText1 = ScriptValue::text(QStringLiteral("12,5"));
const ScriptValue kText2 = ScriptValue::text(QStringLiteral("3"));

} // namespace

BENCHMARK_CAPTURE(Operation, IntegerAdd, BinaryOp::Add, kInt1, kInt2);
BENCHMARK_CAPTURE(Operation, IntegerMultiply, BinaryOp::Multiply, kInt1, kInt2);
BENCHMARK_CAPTURE(Comparison, Integer, kInt1, kInt2);
BENCHMARK_CAPTURE(Operation, Int64Add, BinaryOp::Add, kLong1, kLong2);
BENCHMARK_CAPTURE(Operation, Int64Multiply, BinaryOp::Multiply, kLong1, kLong2);
BENCHMARK_CAPTURE(Comparison, Int64, kLong1, kLong2);
BENCHMARK_CAPTURE(Operation, DoubleAdd, BinaryOp::Add, kDbl1, kDbl2);
BENCHMARK_CAPTURE(Operation, DoubleMultiply, BinaryOp::Multiply, kDbl1, kDbl2);
BENCHMARK_CAPTURE(Comparison, Double, kDbl1, kDbl2);
BENCHMARK_CAPTURE(Operation, DecimalAdd, BinaryOp::Add, kDec1, kDec2, kExact);
BENCHMARK_CAPTURE(Operation, DecimalMultiply, BinaryOp::Multiply, kDec1, kDec2, kExact);
BENCHMARK_CAPTURE(Operation, DecimalDivide, BinaryOp::Divide, kDec1, kDec2, kExact);
BENCHMARK_CAPTURE(Operation, IntegerDivideExact, BinaryOp::Divide, kInt1, kInt2, kExact);
BENCHMARK_CAPTURE(Comparison, Decimal, kDec1, kDec2, kExact);
BENCHMARK_CAPTURE(Operation, TextConcatenate, BinaryOp::Add, kText1, kText2);
BENCHMARK_CAPTURE(Operation, TextMultiply, BinaryOp::Multiply, kText1, kText2);
BENCHMARK_CAPTURE(Comparison, Text, kText1, kText2);
