// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/printdialog.h"

#include "eval/errors.h"
#include "gui/staysontop.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace numra {

namespace {

// The folders to look in: the given one, the program's own (the build
// tree), and where the package installs the module beside the program.
QStringList moduleFolders(const QString& first)
{
    const QDir program(QCoreApplication::applicationDirPath());
    QStringList folders{program.path(), program.filePath(QStringLiteral(NUMRA_MODULE_FOLDER_FROM_PROGRAM))};
    if (!first.isEmpty())
        folders.prepend(first);
    return folders;
}

AskForPrinter loadModule(const QString& firstFolder)
{
    QLibrary module;
    for (const QString& folder : moduleFolders(firstFolder)) {
        module.setFileName(QDir(folder).filePath(QStringLiteral("numra_printdialog")));
        if (module.load())
            break;
    }
    if (const auto ask = reinterpret_cast<AskForPrinter>(module.resolve(askForPrinterSymbol)))
        return ask; // the module stays loaded until the program ends
    throw Error(module.errorString());
}

} // namespace

std::unique_ptr<QPagedPaintDevice> askForPrinter(QWidget* parent, const QString& title, const QString& documentName,
                                                 const QString& moduleFolder)
{
    return std::unique_ptr<QPagedPaintDevice>(
        loadModule(moduleFolder)(parent, title, documentName, &stayOnTopLikeCalculator));
}

} // namespace numra
