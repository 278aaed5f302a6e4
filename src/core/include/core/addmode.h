// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The add mode of a desk calculator ("ADD" on its decimal selector): an
// amount keyed in digits alone is taken in cents where it is added or
// subtracted, so that 1234 + 5 = gives 12,39; an amount keyed with the
// decimal key, and every factor and divisor, is taken as keyed.

#include <QChar>
#include <QString>

namespace numra {

// Whether the operand between two operators is added or subtracted: before
// is the pending formula's last character (none for an empty formula),
// after the key that ends the operand ("=", or none). "12*" 5 "+" is a
// factor, "12+" 5 "*" too, "12+" 5 "-" a summand; "%" after it makes it a
// percentage, taken as keyed.
bool isSummand(QChar before, QChar after);

// The operand as it enters the formula in add mode. keyedDigits: the entry
// holds what the digit and decimal keys typed since the last operator, not a
// result, the memory or pasted text, which are always taken as they are.
// "1234" becomes "12,34", "5" "0,05", "0" "0,00".
QString addModeOperand(const QString& entry, bool keyedDigits, QChar before, QChar after, QChar decimalSeparator);

} // namespace numra
