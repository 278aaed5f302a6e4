// SPDX-License-Identifier: GPL-3.0-or-later
// The windows and dialogs that the calculator window opens: for the core
// through CalculatorUi, and the help and about windows.

#include "gui/mainwindow.h"

#include "files/filedialogs.h"
#include "gui/aboutwindow.h"
#include "gui/formulawindow.h"
#include "gui/helpwindow.h"
#include "gui/messagebox.h"
#include "gui/staysontop.h"
#include "gui/vatwindow.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>

namespace numra {

namespace {

// When a modal window closes, the calculator window takes the keyboard back
// (not every window manager hands it back by itself).
class ActiveAgainAfterwards {
public:
    explicit ActiveAgainAfterwards(QWidget& window) : window_(window) {}
    ~ActiveAgainAfterwards() { window_.activateWindow(); }
    ActiveAgainAfterwards(const ActiveAgainAfterwards&) = delete;
    ActiveAgainAfterwards& operator=(const ActiveAgainAfterwards&) = delete;

private:
    QWidget& window_;
};

} // namespace

void MainWindow::showHelp()
{
    ActiveAgainAfterwards activeAgain(*this);
    windows_.helpWindow().showHelp(core_.language());
}

void MainWindow::showAbout()
{
    ActiveAgainAfterwards activeAgain(*this);
    windows_.aboutWindow().showAbout(core_.language());
}

// A window opened modally in the middle of a key shows over the calculator
// as it is at that moment, so each of them renders the core's state first.

void MainWindow::showMessage(MessageKind kind, const QString& text)
{
    render(core_.display());
    ActiveAgainAfterwards activeAgain(*this);
    showMessageBox(this, kind, text);
}

void MainWindow::setSubtotalLabel(const QString& caption)
{
    windows_.setSubtotalCaption(caption);
}

void MainWindow::showSubtotal(const QString& text)
{
    windows_.formulaWindow().showSubtotal(text);
}

QString MainWindow::confirmFormula(const QString& candidate)
{
    render(core_.display());
    ActiveAgainAfterwards activeAgain(*this);
    return windows_.formulaWindow().confirm(candidate);
}

std::optional<QString> MainWindow::showVatWindow(const VatWindowInput& input)
{
    render(core_.display());
    ActiveAgainAfterwards activeAgain(*this);
    return windows_.vatWindow().showAmounts(input);
}

void MainWindow::updateVatWindow(const VatWindowInput& input)
{
    render(core_.display());
    windows_.vatWindow().refill(input);
}

void MainWindow::copyToClipboard(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

// Rendered first, so that the field takes the focus with the core's text and
// caret and reports no stale caret back.
void MainWindow::focusEntry()
{
    render(core_.display());
    activateWindow();
    entryField()->setFocus();
}

QString MainWindow::askSaveFileName(const QString& startFolder)
{
    ActiveAgainAfterwards activeAgain(*this);
    QFileDialog dialog(this, QString(), startFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(calculationFileFilters());
    dialog.setDefaultSuffix(QLatin1StringView(kCalculationFileSuffix));
    stayOnTopLikeCalculator(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString MainWindow::askOpenFileName()
{
    ActiveAgainAfterwards activeAgain(*this);
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Any name is taken: loading reports a file that is missing or cannot be
    // read with its own message, which names the file and the reason.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(calculationFileFilters());
    stayOnTopLikeCalculator(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace numra
