// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/visualstyle.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>

namespace numra {

bool applyVisualStyle(QApplication& app, const QString& name)
{
    QFile sheet(QStringLiteral(":/numra/styles/%1.qss").arg(name));
    if (!sheet.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Fehler"),
                        QStringLiteral("Stil '%1' nicht gefunden").arg(name), QMessageBox::Close);
        box.button(QMessageBox::Close)->setText(QStringLiteral("Schließen"));
        box.exec();
        return false;
    }
    app.setStyleSheet(QString::fromUtf8(sheet.readAll()));
    return true;
}

} // namespace numra
