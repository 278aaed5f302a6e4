// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Variables of the running block ("Result" and declared ones); a plain
// formula has none. Names compare without regard to case.

#include "eval/scriptvalue.h"

#include <QHash>
#include <QString>
#include <QStringView>

namespace numra {

class Variables {
public:
    void clear() { entries_.clear(); }
    bool contains(QStringView name) const { return find(name) != nullptr; }
    void declare(QStringView name, const ScriptValue& value);
    ScriptValue* find(QStringView name);
    const ScriptValue* find(QStringView name) const;

private:
    QHash<QString, ScriptValue> entries_; // by folded name
};

} // namespace numra
