// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the tape window draws and edits its cells: a row with an error in
// red, a hint in the empty last row, and a field for a formula or a note
// that hands what the user typed to the window (the core computes it)
// instead of writing it into the model.

#include "gui/plaintooltips.h"

#include <functional>

namespace numra {

class TapeDelegate : public PlainTextToolTips {
public:
    using Commit = std::function<void(const QModelIndex&, const QString&)>;
    TapeDelegate(QObject* parent, Commit commit);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    Commit commit_;
};

// The hint in the formula cell of the empty last row.
inline const QString kNewRowHint = QStringLiteral("Neue Rechnung eingeben …");

} // namespace numra
