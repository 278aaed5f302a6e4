// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/fpu.h"

#include <cfenv>

namespace numra::fpu {

// feclearexcept stores and reloads the whole x87 environment, about 60 ns per
// call; clearing the x87 status word and the SSE status bits directly costs a
// tenth of that, and every checked operation clears twice.
void clearFlags()
{
#if defined(__x86_64__)
    asm volatile("fnclex" ::: "memory");
    unsigned int mxcsr = 0;
    asm volatile("stmxcsr %0" : "=m"(mxcsr));
    mxcsr &= ~unsigned(FE_ALL_EXCEPT);
    asm volatile("ldmxcsr %0" : : "m"(mxcsr) : "memory");
#else
    std::feclearexcept(FE_ALL_EXCEPT);
#endif
}

Fault takeFault()
{
    const int flags = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    clearFlags();
    if (flags & FE_INVALID)
        return Fault::InvalidOperation;
    if (flags & FE_DIVBYZERO)
        return Fault::DivisionByZero;
    if (flags & FE_OVERFLOW)
        return Fault::Overflow;
    return Fault::None;
}

void raiseOnFault()
{
    if (const Fault fault = takeFault(); fault != Fault::None)
        throw errorOf(fault);
}

Fault faultOfRounding(long double x)
{
    clearFlags();
    volatile long double in = x;
    volatile double result = static_cast<double>(static_cast<long double>(in));
    static_cast<void>(result);
    return takeFault();
}

ArithmeticError errorOf(Fault fault)
{
    switch (fault) {
    case Fault::InvalidOperation: return ArithmeticError(kInvalidOperation);
    case Fault::DivisionByZero: return ArithmeticError(kDivisionByZero);
    case Fault::Overflow: break;
    case Fault::None: break;
    }
    return ArithmeticError(kOverflow);
}

} // namespace numra::fpu
