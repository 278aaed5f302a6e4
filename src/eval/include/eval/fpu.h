// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Extended-precision arithmetic with the three reported floating-point faults.
// All arithmetic runs on the x87 unit (long double, 64-bit significand),
// rounded to nearest. Invalid operation, division by zero and overflow become
// ArithmeticError (or come back as a Fault); underflow and inexact results
// pass silently. A checked
// operation clears the status flags before it and after a fault, so nothing
// leaks into the next calculation; the four basic operations and the
// rounding to double touch the flags only when their result is not finite.

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
// was raised. Any other result is computed again between clearFlags() and
// takeFault(), from operands read through volatiles, so that it cannot be
// computed before clearFlags().
template <class Op>
Fault basicOperation(long double a, long double b, Op op, long double& result)
{
    result = op(a, b);
    if (__builtin_isfinite(result)) [[likely]]
        return Fault::None;
    clearFlags();
    volatile long double x = a, y = b;
    volatile long double again = op(static_cast<long double>(x), static_cast<long double>(y));
    result = again;
    return takeFault();
}

template <class Op>
long double checkedBasic(long double a, long double b, Op op)
{
    long double result = 0;
    if (const Fault fault = basicOperation(a, b, op, result); fault != Fault::None) [[unlikely]]
        throw errorOf(fault);
    return result;
}

inline long double add(long double a, long double b) { return checkedBasic(a, b, std::plus<long double>()); }
inline long double sub(long double a, long double b) { return checkedBasic(a, b, std::minus<long double>()); }
inline long double mul(long double a, long double b) { return checkedBasic(a, b, std::multiplies<long double>()); }
inline long double div(long double a, long double b) { return checkedBasic(a, b, std::divides<long double>()); }

// Round to IEEE double precision; a value beyond the range raises the
// overflow fault. The rounding is a basic operation too.
inline Fault roundToDouble(long double x, double& result)
{
    result = static_cast<double>(x);
    if (__builtin_isfinite(result)) [[likely]]
        return Fault::None;
    clearFlags();
    volatile long double in = x;
    volatile double again = static_cast<double>(static_cast<long double>(in));
    result = again;
    return takeFault();
}

inline double toDouble(long double x)
{
    double result = 0;
    if (const Fault fault = roundToDouble(x, result); fault != Fault::None) [[unlikely]]
        throw errorOf(fault);
    return result;
}

} // namespace numra::fpu
