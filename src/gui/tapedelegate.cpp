// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tapedelegate.h"

#include "core/calculator.h"
#include "core/tape.h"
#include "gui/nachtblau.h"

#include <QLineEdit>

namespace numra {

TapeDelegate::TapeDelegate(QObject* parent, Commit commit) : PlainTextToolTips(parent), commit_(std::move(commit)) {}

// A formula may be as long as the calculator takes one (QLineEdit's default
// would cut it at 32767 characters); a note has its own bound.
QWidget* TapeDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* field = new QLineEdit(parent);
    field->setFrame(false);
    const bool note = index.column() == int(TapeColumn::Note);
    field->setMaxLength(int(note ? kMaxNoteLength : kMaxTextLength));
    field->setAccessibleName(note ? QStringLiteral("Notiz") : QStringLiteral("Formel"));
    return field;
}

void TapeDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
}

void TapeDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const
{
    commit_(index, static_cast<QLineEdit*>(editor)->text());
}

void TapeDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    PlainTextToolTips::initStyleOption(option, index);
    if (index.data(TapeNewRowRole).toBool()) {
        if (index.column() == int(TapeColumn::Formula)) {
            option->text = kNewRowHint;
            option->font.setItalic(true);
            option->palette.setColor(QPalette::Text, nachtblau::colour(nachtblau::Colour::TablePlaceholder));
        }
        return;
    }
    if (!index.data(TapeErrorRole).toString().isEmpty())
        option->palette.setColor(QPalette::Text, nachtblau::colour(nachtblau::Colour::TableErrorText));
}

} // namespace numra
