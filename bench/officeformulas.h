// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Typical office formulas for "=" in edit mode, a subtotal and a power
// formula among them.

#include <QString>

namespace numra::bench {

inline const QString kOfficeFormulas[] = {QStringLiteral("1234,56*1,19"), QStringLiteral("(120+80)*0,97"),
                                          QStringLiteral("19,99*3+4,95"), QStringLiteral("1500/12+"),
                                          QStringLiteral("2^10")};

} // namespace numra::bench
