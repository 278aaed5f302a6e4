// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Extended-precision arithmetic with the three reported floating-point faults.
// All arithmetic runs on the x87 unit (long double, 64-bit significand),
// rounded to nearest. Invalid operation, division by zero and overflow become
// ArithmeticError; underflow and inexact results pass silently. A checked
// operation clears the status flags before it and after a fault, so nothing
// leaks into the next calculation; the four basic operations and the
// rounding to double touch the flags only when their result is not finite.

#include "eval/errors.h"

namespace numra::fpu {

inline const QString kInvalidOperation = QStringLiteral("Ungültige Gleitkommaoperation");
inline const QString kDivisionByZero = QStringLiteral("Gleitkommadivision durch Null");
inline const QString kOverflow = QStringLiteral("Gleitkommaüberlauf");

void clearFlags();
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

// For an operation that rounds once to nearest (an IEEE basic operation or
// a conversion): each of the three faults makes its result infinite or NaN,
// so a finite result proves that none was raised, and only another result
// is computed again under checked(). op must have no side effects.
template <class Op>
long double checkedBasic(Op op)
{
    const long double result = op();
    if (__builtin_isfinite(result)) [[likely]]
        return result;
    return checked(op);
}

long double add(long double a, long double b);
long double sub(long double a, long double b);
long double mul(long double a, long double b);
long double div(long double a, long double b);

// Round to IEEE double precision; a value beyond the range raises the
// overflow fault.
double toDouble(long double x);

} // namespace numra::fpu
