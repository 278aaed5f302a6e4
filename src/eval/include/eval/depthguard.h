// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bounds the recursion of the script evaluator and the statement layer, so a
// text nested thousands of levels deep ends in "Stack overflow" instead of
// running out of the machine stack.

#include "eval/interpretererror.h"

namespace numra {

// Nesting of parentheses, signs, "not", argument lists and blocks.
inline constexpr int kMaxNestingDepth = 1000;

class DepthGuard {
public:
    DepthGuard(int& depth, int position) : depth_(depth)
    {
        if (++depth_ > kMaxNestingDepth) {
            --depth_;
            throw InterpreterError(errcode::StackOverflow, position);
        }
    }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& depth_;
};

} // namespace numra
