// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator window and its tape window: showing it beside the
// calculator, what the tape gives back to the calculator, the changes made
// in it, and the tape's documents.

#include "gui/mainwindow.h"

#include "core/tapedocument.h"
#include "gui/formulawindow.h"
#include "gui/messagebox.h"
#include "gui/placement.h"
#include "gui/staysontop.h"
#include "gui/tapewindow.h"
#include "gui/vatwindow.h"

#include <QAction>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>

namespace numra {

namespace {

const QString kDocumentFilter = QStringLiteral("Rechenstreifen (*.rstr)");
const QString kAnyFileFilter = QStringLiteral("Alle Dateien (*)");

// An empty name: the user cancelled.
QString askTapeFileName(QWidget* parent, QFileDialog::AcceptMode mode)
{
    const bool saving = mode == QFileDialog::AcceptSave;
    QFileDialog dialog(parent, saving ? QStringLiteral("Rechenstreifen speichern") : QStringLiteral("Rechenstreifen öffnen"),
                       QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog.setAcceptMode(mode);
    dialog.setNameFilters({kDocumentFilter, kAnyFileFilter});
    if (saving) {
        dialog.setDefaultSuffix(kTapeDocumentSuffix.toString());
        dialog.selectFile(QStringLiteral("Rechenstreifen-%1.rstr").arg(QDate::currentDate().toString(Qt::ISODate)));
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    stayOnTopLikeCalculator(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

void MainWindow::connectTapeWindow(TapeWindow& tape)
{
    tape.setHandlers({
        [this](const QString& formula) { render(core_.editFormula(formula)); },
        [this](const QString& result) { render(core_.recallResult(result)); },
        [this] { render(core_.recallGrandTotal()); },
        [this](qsizetype row, const QString& text) { renderFromTape(core_.editTapeRow(row, text)); },
        [this](qsizetype row, const QString& note) { renderFromTape(core_.setTapeNote(row, note)); },
        [this](qsizetype row, qsizetype to) { renderFromTape(core_.moveTapeRow(row, to)); },
        [this](qsizetype row) { renderFromTape(core_.deleteTapeRow(row)); },
        [this] { renderFromTape(core_.clearTape()); },
        [this] { renderFromTape(core_.undoTape()); },
        [this] { renderFromTape(core_.redoTape()); },
        [this] { askAndOpenTape(); },
        [this] { askAndSaveTape(); },
    });
    tape.setHistory(core_.tapeHistory().canUndo(), core_.tapeHistory().canRedo());
}

// A command of the tape window: its message boxes come over it, and the
// keyboard stays there.
void MainWindow::renderFromTape(const CalculatorState& state)
{
    boxesOver_ = windows_.isTapeWindowVisible() ? &windows_.tapeWindow() : nullptr;
    render(state);
    boxesOver_ = nullptr;
}

void MainWindow::showTapeOutcome(const Outcome& outcome)
{
    if (!windows_.isTapeWindowVisible())
        return;
    TapeWindow& tape = windows_.tapeWindow();
    tape.setHistory(core_.tapeHistory().canUndo(), core_.tapeHistory().canRedo());
    if (outcome.tapeRow)
        tape.showRow(*outcome.tapeRow);
}

void MainWindow::askAndOpenTape()
{
    QWidget* parent = windows_.isTapeWindowVisible() ? static_cast<QWidget*>(&windows_.tapeWindow()) : this;
    const QString path = askTapeFileName(parent, QFileDialog::AcceptOpen);
    if (path.isEmpty())
        return;
    renderFromTape(core_.openTapeDocument(path));
    if (!windows_.isTapeWindowVisible() && core_.state().outcome.messages.empty())
        toggleTapeWindow();
}

void MainWindow::askAndSaveTape()
{
    QWidget* parent = windows_.isTapeWindowVisible() ? static_cast<QWidget*>(&windows_.tapeWindow()) : this;
    const QString path = askTapeFileName(parent, QFileDialog::AcceptSave);
    if (!path.isEmpty())
        renderFromTape(core_.saveTapeDocument(path));
}

void MainWindow::keepTape(bool keep)
{
    if (!keep && QFile::exists(tapeKeeping_.path())
        && !askToConfirm(this,
                         QStringLiteral("Den Rechenstreifen nicht mehr behalten? Die Datei \"%1\" mit dem "
                                        "aufbewahrten Rechenstreifen wird gelöscht; der Rechenstreifen im Fenster "
                                        "bleibt.")
                             .arg(tapeKeeping_.path()),
                         QStringLiteral("Löschen"))) {
        syncTapeMenuItems();
        return;
    }
    tapeKeeping_.setWanted(keep);
}

void MainWindow::toggleTapeWindow(TapeFocus focus)
{
    TapeWindow& tape = windows_.tapeWindow();
    if (tape.isVisible()) {
        tape.hide();
    } else {
        const QRect frame = placeBesideCalculator(tape, *this);
        tape.show();
        tape.setHistory(core_.tapeHistory().canUndo(), core_.tapeHistory().canRedo());
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
    menuItem(MenuItem::SaveTape)->setEnabled(core_.tape().size() > 0);
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
