// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/visualstyle.h"

#include "gui/nachtblau.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace numra {

bool applyVisualStyle(QApplication& app, const QString& name)
{
    if (name != defaultStyleName) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Fehler"),
                        QStringLiteral("Stil '%1' nicht gefunden").arg(name), QMessageBox::Close);
        box.setTextFormat(Qt::PlainText); // the name comes from the command line
        box.button(QMessageBox::Close)->setText(QStringLiteral("Schließen"));
        box.exec();
        return false;
    }
    app.setStyle(new nachtblau::Style);
    return true;
}

void applyHighContrast(QApplication& app, bool on)
{
    app.setStyle(new nachtblau::Style(on ? nachtblau::Look::HighContrast : nachtblau::Look::Standard));
}

} // namespace numra
