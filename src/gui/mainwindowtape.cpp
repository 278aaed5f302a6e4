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

void MainWindow::connectTapeWindow()
{
    windows_.tapeWindow->installEventFilter(this); // the menu item shows whether it is open
    // The tape keeps its side of the calculator; the subtotal and VAT windows
    // take another.
    windows_.formulaWindow->keepClearOf(windows_.tapeWindow);
    windows_.vatWindow->keepClearOf(windows_.tapeWindow);
    windows_.tapeWindow->setHandlers({
        [this](const QString& formula) { runOnCore([&] { core_.editFormula(formula); }); },
        [this](const QString& text) { runOnCore([&] { core_.appendToEntry(text); }); },
        [this] { runOnCore([this] { core_.recallGrandTotal(); }); },
    });
}

void MainWindow::toggleTapeWindow()
{
    TapeWindow& tape = *windows_.tapeWindow;
    if (tape.isVisible()) {
        tape.hide();
    } else {
        placeBesideCalculator(tape, *this);
        tape.show();
        if (windows_.formulaWindow->isVisible())
            windows_.formulaWindow->place(); // an open subtotal makes room
    }
}

void MainWindow::syncTapeMenuItems()
{
    menuItem(MenuItem::Tape)->setChecked(windows_.tapeWindow->isVisible());
    menuItem(MenuItem::KeepTape)->setChecked(tapeKeeping_.wanted());
}

// The tape window moves with the calculator.
void MainWindow::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (windows_.tapeWindow && windows_.tapeWindow->isVisible())
        placeBesideCalculator(*windows_.tapeWindow, *this);
}

} // namespace numra
