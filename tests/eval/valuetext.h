// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A value or an outcome as one line of text, so table-driven tests compare
// and print them directly ("Integer 7", "Double 3.5", "error: Type mismatch").

#include "eval/scriptvalue.h"

#include <QString>
#include <ostream>
#include <string>

namespace numra::testing {

inline std::string describe(const ScriptValue& value)
{
    const QString kind = kindName(value.kind());
    switch (value.kind()) {
    case ValueKind::Empty:
    case ValueKind::Null:
        return kind.toStdString();
    case ValueKind::Boolean:
        return (kind + (value.intPayload() ? u" true"_qs : u" false"_qs)).toStdString();
    case ValueKind::Double:
    case ValueKind::Date:
        return (kind + u' ' + QString::number(value.realPayload(), 'g', 17)).toStdString();
    default:
        if (value.isText())
            return (kind + u" '"_qs + value.textPayload() + u'\'').toStdString();
        return (kind + u' ' + QString::number(value.intPayload())).toStdString();
    }
}

} // namespace numra::testing

// Failing comparisons of texts print them readably.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
