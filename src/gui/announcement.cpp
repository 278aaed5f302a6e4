// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/announcement.h"

#include <QAccessible>
#include <QWidget>

namespace numra {

void announce(QWidget& where, const QString& text)
{
    if (!QAccessible::isActive())
        return;
    if (where.accessibleDescription() == text)
        where.setAccessibleDescription(QString());
    where.setAccessibleDescription(text);
}

} // namespace numra
