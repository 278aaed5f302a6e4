// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tooltips of a view's cells as plain text. A tooltip that looks like HTML
// is shown as rich text, and the cells hold the user's formulas: an
// <img src="..."> in one would read any file (a FIFO blocks for good) as soon
// as the mouse rests on the cell.

#include <QStyledItemDelegate>

namespace numra {

class PlainTextToolTips : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

} // namespace numra
