// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message of the error an action throws, for tests of the layers that
// throw (the calculator core answers with messages instead).

#include "eval/errors.h"

#include <QString>
#include <gtest/gtest.h>

namespace numra::testing {

// Runs f, which must throw Error, and returns the message.
template <typename F>
QString errorOf(F f)
{
    try {
        f();
    } catch (const Error& e) {
        return e.message();
    }
    ADD_FAILURE() << "no error";
    return {};
}

} // namespace numra::testing
