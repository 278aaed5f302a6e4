// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/plaintooltips.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QTextDocument>
#include <QToolTip>

namespace numra {

bool PlainTextToolTips::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                  const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !view || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data(Qt::ToolTipRole).toString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    // Escaped, and on one line as the cell shows it.
    QToolTip::showText(event->globalPos(), Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap), view,
                       option.rect);
    return true;
}

} // namespace numra
