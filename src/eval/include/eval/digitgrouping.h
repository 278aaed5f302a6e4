// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Thousands separators in a number as it is shown (1.234.567,89; English
// 1,234,567.89). Only for what a person reads: the formula, saved files,
// exports that programs read and the clipboard keep numbers without them.

#include <QChar>
#include <QString>
#include <QStringView>

namespace numra {

// "." beside the decimal comma, "," beside the decimal point, a narrow
// no-break space beside any other separator.
QChar groupSeparatorFor(QChar decimalSeparator);

// The shown number with a separator between each three of its integer
// digits: "-1234567,89" gives "-1.234.567,89". The decimals, a scientific
// notation's exponent and any text that is no shown number stay as they
// are ("1,5E20", "INF", "Fehler").
QString groupThousands(QStringView shown, QChar decimalSeparator);

} // namespace numra
