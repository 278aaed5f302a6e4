// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator window and its tape window: showing it beside the
// calculator, and what the tape gives back to the calculator.

#include "gui/mainwindow.h"

#include "gui/formulawindow.h"
#include "gui/placement.h"
#include "gui/tapewindow.h"
#include "gui/vatwindow.h"

#include <QAction>

namespace numra {

void MainWindow::connectTapeWindow(TapeWindow& tape)
{
    tape.setHandlers({
        [this](const QString& formula) { render(core_.editFormula(formula)); },
        [this](const QString& result) { render(core_.recallResult(result)); },
        [this] { render(core_.recallGrandTotal()); },
    });
}

void MainWindow::toggleTapeWindow(TapeFocus focus)
{
    TapeWindow& tape = windows_.tapeWindow();
    if (tape.isVisible()) {
        tape.hide();
    } else {
        const QRect frame = placeBesideCalculator(tape, *this);
        tape.show();
        if (windows_.isFormulaWindowVisible())
            windows_.formulaWindow().placeClearOf(frame); // an open subtotal makes room
        if (focus == TapeFocus::Take)
            tape.takeKeyboard();
    }
}

// A menu not built yet is brought up to date when it opens.
void MainWindow::syncTapeMenuItems()
{
    if (!menu_)
        return;
    menuItem(MenuItem::Tape)->setChecked(windows_.isTapeWindowVisible());
    menuItem(MenuItem::KeepTape)->setChecked(tapeKeeping_.wanted());
}

// The windows beside the calculator move with it, the tape window first,
// which the subtotal and VAT windows keep clear of.
void MainWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    placeWindowsBeside();
}

void MainWindow::placeWindowsBeside()
{
    QRect tape;
    if (windows_.isTapeWindowVisible())
        tape = placeBesideCalculator(windows_.tapeWindow(), *this);
    if (windows_.isFormulaWindowVisible() && !windows_.formulaWindow().isModal())
        windows_.formulaWindow().placeClearOf(tape);
    if (windows_.isVatWindowVisible())
        windows_.vatWindow().placeClearOf(tape);
}

} // namespace numra
