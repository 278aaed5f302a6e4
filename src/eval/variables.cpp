// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/variables.h"

#include "eval/tokenkind.h"

namespace numra {

void Variables::declare(QStringView name, const ScriptValue& value)
{
    entries_.insert(foldName(name), value);
}

ScriptValue* Variables::find(QStringView name)
{
    const auto it = entries_.find(foldName(name));
    return it == entries_.end() ? nullptr : &it.value();
}

const ScriptValue* Variables::find(QStringView name) const
{
    const auto it = entries_.constFind(foldName(name));
    return it == entries_.cend() ? nullptr : &it.value();
}

} // namespace numra
