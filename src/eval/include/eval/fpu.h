// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Extended-precision arithmetic with the three reported floating-point faults.
// All arithmetic runs on the x87 unit (long double, 64-bit significand),
// rounded to nearest. Invalid operation, division by zero and overflow become
// ArithmeticError (or come back as a Fault); underflow and inexact results
// pass silently. A checked operation clears the status flags before it and
// after a fault, so nothing leaks into the next calculation; the four basic
// operations and the rounding to double touch the flags only when their
// result is not finite.

#include "eval/errors.h"

#include <functional>

namespace numra::fpu {

inline const QString kInvalidOperation = QStringLiteral("Ungültige Gleitkommaoperation");
inline const QString kDivisionByZero = QStringLiteral("Gleitkommadivision durch Null");
inline const QString kOverflow = QStringLiteral("Gleitkommaüberlauf");

// The three reported faults, for code that hands a fault back instead of
// throwing it (eval/fallible.h).
enum class Fault : unsigned char { None, InvalidOperation, DivisionByZero, Overflow };
ArithmeticError errorOf(Fault fault); // only for a fault

void clearFlags();
// The fault raised since clearFlags(), if any; clears the flags. Invalid
// operation is named before division by zero, and that before overflow.
Fault takeFault();
// Throws ArithmeticError for a fault raised since clearFlags(); clears the flags.
void raiseOnFault();

// Runs op between clearFlags() and raiseOnFault(). The result passes through a
// volatile so the operation cannot be moved past the flag test.
template <class Op>
long double checked(Op op)
{
    clearFlags();
    volatile long double result = op();
    raiseOnFault();
    return result;
}

// An IEEE basic operation rounds once to nearest, and each of the three
// faults makes its result infinite or NaN: a finite result proves that none
// was raised. Only for any other result is the operation computed again
// between clearFlags() and takeFault(), from operands read through
// volatiles, so that it cannot be computed before clearFlags(); an infinite
// operand gives an infinite result without a fault.
template <class Op>
Fault faultOfBasic(long double a, long double b, Op op)
{
    clearFlags();
    volatile long double x = a, y = b;
    volatile long double result = op(static_cast<long double>(x), static_cast<long double>(y));
    static_cast<void>(result);
    return takeFault();
}

template <class Op>
long double checkedBasic(long double a, long double b, Op op)
{
    const long double result = op(a, b);
    if (__builtin_isfinite(result)) [[likely]]
        return result;
    if (const Fault fault = faultOfBasic(a, b, op); fault != Fault::None)
        throw errorOf(fault);
    return result;
}

inline long double add(long double a, long double b) { return checkedBasic(a, b, std::plus<long double>()); }
inline long double sub(long double a, long double b) { return checkedBasic(a, b, std::minus<long double>()); }
inline long double mul(long double a, long double b) { return checkedBasic(a, b, std::multiplies<long double>()); }
inline long double div(long double a, long double b) { return checkedBasic(a, b, std::divides<long double>()); }

// Rounding to IEEE double precision is a basic operation too: a value
// beyond the range raises the overflow fault.
Fault faultOfRounding(long double x);

inline double toDouble(long double x)
{
    const double result = static_cast<double>(x);
    if (__builtin_isfinite(result)) [[likely]]
        return result;
    if (const Fault fault = faultOfRounding(x); fault != Fault::None)
        throw errorOf(fault);
    return result;
}

} // namespace numra::fpu
