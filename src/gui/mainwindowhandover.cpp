// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator window and later starts of numra: brought to the front
// (and hidden again by the same key), the clipboard computed, files opened
// from the file manager; and the menu items that set this up.

#include "gui/mainwindow.h"

#include "core/tapedocument.h"
#include "gui/messagebox.h"
#include "gui/shortcutsdialog.h"
#include "gui/zoom.h"
#include "platform/windowactivation.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMimeData>
#include <QWindow>

namespace numra {

void MainWindow::bringToFront(const QString& activationToken)
{
    if (isMinimized())
        showNormal();
    else if (!isVisible())
        show();
    if (QWindow* handle = windowHandle())
        platform::activateWithToken(*handle, activationToken);
}

// Any window of Numra with the keyboard counts: the tape window, a dialog.
void MainWindow::showOrHide(const QString& activationToken)
{
    if (isVisible() && !isMinimized() && QApplication::activeWindow())
        minimize();
    else
        bringToFront(activationToken);
}

// A clipboard that nobody holds is empty; one that holds only a picture
// has no text.
void MainWindow::computeClipboard()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    std::optional<QString> text;
    if (!data || data->formats().isEmpty())
        text = QString();
    else if (data->hasText())
        text = data->text();
    render(core_.computeClipboard(text));
}

// A folder or a device would never end reading.
void MainWindow::openFile(const QString& path)
{
    const QFileInfo file(path);
    if (file.exists() && !file.isFile()) {
        showMessageBox(this, MessageKind::Error,
                       QStringLiteral("\u201E%1\u201C ist keine Datei, die Numra öffnen kann.").arg(path));
        return;
    }
    if (isTapeDocument(path)) {
        renderFromTape(core_.openTapeDocument(path));
        if (!windows_.isTapeWindowVisible() && core_.state().outcome.messages.empty())
            toggleTapeWindow();
        return;
    }
    core_.load(); // edit mode, as the menu's "Berechnung laden"; the file comes in place of its dialog
    render(core_.loadFrom(path));
}

void MainWindow::showShortcutsDialog()
{
    ShortcutsDialog dialog(this, programForDesktop(), platform::GnomeShortcuts());
    zoomWindow(dialog, zoom_);
    dialog.openDialog();
    activateWindow();
}

} // namespace numra
