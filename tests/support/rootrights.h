// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Root writes into read-only folders and replaces other users' files; while
// this lives, the process acts as the user "nobody", for whom the folders and
// files keep their rights.

#include <gtest/gtest.h>
#include <unistd.h>

namespace numra::testing {

class WithoutRootRights {
public:
    WithoutRootRights() : wasRoot_(geteuid() == 0)
    {
        if (wasRoot_) {
            EXPECT_EQ(seteuid(65534), 0);
        }
    }
    ~WithoutRootRights()
    {
        if (wasRoot_) {
            EXPECT_EQ(seteuid(0), 0);
        }
    }
    WithoutRootRights(const WithoutRootRights&) = delete;
    WithoutRootRights& operator=(const WithoutRootRights&) = delete;

private:
    bool wasRoot_;
};

} // namespace numra::testing
