// SPDX-License-Identifier: GPL-3.0-or-later
// The tape window's work on its rows: what a double-click takes, a formula
// or note edited in place, and a row copied, moved or deleted; the changes
// themselves go through the handlers to the core.

#include "gui/tapewindow.h"

#include "core/tape.h"
#include "core/tapeformats.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTableView>

namespace numra {

// A double-click on the result takes the result, anywhere else the formula;
// on the empty last row it begins a new one.
void TapeWindow::rowChosen(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    if (index.row() == tape_.size()) {
        editCell(index.row(), false);
        return;
    }
    const TapeRow& row = tape_.row(index.row());
    if (index.column() == int(TapeColumn::Result))
        handlers_.appendToEntry(row.result);
    else
        handlers_.editFormula(row.formula);
}

void TapeWindow::editCell(qsizetype row, bool note)
{
    if (row < 0 || row > tape_.size() || !rows_->model() || (note && row == tape_.size()))
        return;
    const QModelIndex cell = tape_.index(int(row), int(note ? TapeColumn::Note : TapeColumn::Formula));
    rows_->setCurrentIndex(cell);
    rows_->setFocus();
    rows_->edit(cell);
}

// After the editor has closed: the core computes the row, which changes the
// model under the view.
void TapeWindow::commitEdit(const QModelIndex& index, const QString& text)
{
    const qsizetype row = index.row();
    const bool note = index.column() == int(TapeColumn::Note);
    QMetaObject::invokeMethod(
        this,
        [this, row, note, text] {
            if (note)
                handlers_.editNote(row, text);
            else
                handlers_.editRow(row, text);
        },
        Qt::QueuedConnection);
}

void TapeWindow::showRow(qsizetype row)
{
    if (!rows_->model() || row < 0 || row > tape_.size())
        return;
    const QModelIndex cell = tape_.index(int(row), int(TapeColumn::Formula));
    rows_->setCurrentIndex(cell);
    rows_->scrollTo(cell);
    updateStatus();
}

void TapeWindow::copyCurrent(bool wholeRow)
{
    const qsizetype row = currentRow();
    if (row < 0)
        return;
    const TapeRow& shown = tape_.row(row);
    QGuiApplication::clipboard()->setText(wholeRow ? tapeRowAsText(shown, !shown.note.isEmpty())
                                                   : tapeField(shown, TapeColumn::Result));
}

void TapeWindow::moveCurrent(int by)
{
    const qsizetype row = currentRow();
    if (row >= 0 && row + by >= 0 && row + by < tape_.size())
        handlers_.moveRow(row, row + by);
}

void TapeWindow::deleteCurrent()
{
    const qsizetype row = currentRow();
    if (row >= 0)
        handlers_.deleteRow(row);
}

} // namespace numra
