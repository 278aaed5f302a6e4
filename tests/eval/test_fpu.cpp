// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/fpu.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>

using namespace numra;

namespace {

QString faultOf(const std::function<void()>& op)
{
    try {
        op();
    } catch (const ArithmeticError& e) {
        return e.message();
    }
    return QString();
}

TEST(FloatingPointFaults, EachFaultHasItsMessage)
{
    EXPECT_EQ(faultOf([] { fpu::div(1, 0); }), QStringLiteral("Gleitkommadivision durch Null"));
    EXPECT_EQ(faultOf([] { fpu::div(0, 0); }), QStringLiteral("Ungültige Gleitkommaoperation"));
    EXPECT_EQ(faultOf([] { fpu::mul(LDBL_MAX, 2); }), QStringLiteral("Gleitkommaüberlauf"));
    EXPECT_EQ(faultOf([] { fpu::add(LDBL_MAX, LDBL_MAX); }), QStringLiteral("Gleitkommaüberlauf"));
    EXPECT_EQ(faultOf([] { fpu::toDouble(1e400L); }), QStringLiteral("Gleitkommaüberlauf"));
}

TEST(FloatingPointFaults, UnderflowAndInexactPassSilently)
{
    EXPECT_EQ(fpu::mul(LDBL_MIN, LDBL_MIN), 0.0L);
    EXPECT_EQ(fpu::toDouble(1e-400L), 0.0);
    EXPECT_EQ(fpu::toDouble(1.0L / 3), 1.0 / 3);
}

TEST(FloatingPointFaults, NothingLeaksIntoTheNextCalculation)
{
    EXPECT_THROW(fpu::div(1, 0), ArithmeticError);
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
    EXPECT_EQ(fpu::div(1, 4), 0.25L);
    EXPECT_EQ(fpu::add(2, 3), 5.0L);
    // A stale flag from unchecked code does not turn the next checked operation into an error.
    volatile long double zero = 0;
    volatile long double stale = 1 / zero;
    (void)stale;
    EXPECT_EQ(fpu::mul(3, 4), 12.0L);
    // Nor does it change which fault the next faulty operation reports.
    EXPECT_EQ(faultOf([] { fpu::mul(LDBL_MAX, 2); }), QStringLiteral("Gleitkommaüberlauf"));
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), 0);
}

TEST(FloatingPointFaults, DoubleRoundsToNearest)
{
    EXPECT_EQ(fpu::toDouble(2.675L), 2.675);
    EXPECT_EQ(fpu::toDouble(9007199254740993.0L), 9007199254740992.0);
}

} // namespace
