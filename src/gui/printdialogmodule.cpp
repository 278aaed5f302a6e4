// SPDX-License-Identifier: GPL-3.0-or-later
// The module numra_printdialog: Qt's print dialog, loaded on first use
// (gui/printdialog.h).

#include "gui/printdialog.h"

#include <QPrintDialog>
#include <QPrinter>

// The dialog proposes the document's name for a PDF file, in the folder
// the program was started in or the home folder.
extern "C" Q_DECL_EXPORT QPagedPaintDevice* numraAskForPrinter(QWidget* parent, const QString& title,
                                                               const QString& documentName,
                                                               void (*beforeShown)(QWidget&))
{
    auto printer = std::make_unique<QPrinter>();
    printer->setDocName(documentName);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setWindowTitle(title);
    beforeShown(dialog);
    return dialog.exec() == QDialog::Accepted ? printer.release() : nullptr;
}

// The loader checks the module's function against its own declaration.
static_assert(std::is_same_v<decltype(&numraAskForPrinter), numra::AskForPrinter>);
