// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The identifiers a formula knows without any declaration: "nil", "Null",
// the type names used as casts and the automation functions, which this
// calculator refuses (it never starts an automation server).

#include "eval/scriptvalue.h"

#include <QStringView>
#include <vector>

namespace numra {

// The arguments of one identifier use.
struct CallArguments {
    std::vector<ScriptValue> values;
    bool indexed = false;      // given in square brackets
    bool hasOpenArray = false; // some argument was an open array "[...]"

    int count() const { return int(values.size()); }
};

// The most arguments one list may hold.
inline constexpr int kMaxArguments = 33;

// Sets result and returns true if name is a built-in identifier. Raises
// InterpreterError for the automation functions and for a wrong number of
// arguments, and "Type mismatch" (or a ValueError) for a cast that cannot
// convert its argument.
bool lookupBuiltin(QStringView name, const CallArguments& args, const ValueContext& context,
                   ScriptValue& result);

} // namespace numra
