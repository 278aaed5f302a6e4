// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's print dialog, which asks for the printer (or a PDF file). It and the
// print support it needs live in a module of their own (numra_printdialog),
// loaded when the user first prints: nothing at start-up waits for them.

#include <QPagedPaintDevice>
#include <QString>
#include <memory>

class QWidget;

namespace numra {

// The printer the user chose, or none when the dialog was cancelled. The
// dialog stays on top as the calculator window does. Throws Error when the
// module cannot be loaded. moduleFolder: where to look for
// the module first (tests); by default the program's own folder, then the
// folder it is installed in.
// documentName: the name the dialog proposes for a PDF file.
std::unique_ptr<QPagedPaintDevice> askForPrinter(QWidget* parent, const QString& title,
                                                 const QString& documentName = QString(),
                                                 const QString& moduleFolder = QString());

// The module's one function, by this name. It calls beforeShown with the
// dialog before it shows it: what the calculator does with every window it
// opens.
using AskForPrinter = QPagedPaintDevice* (*)(QWidget* parent, const QString& title, const QString& documentName,
                                             void (*beforeShown)(QWidget&));
inline constexpr char askForPrinterSymbol[] = "numraAskForPrinter";

} // namespace numra
