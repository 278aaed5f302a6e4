// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/formulawindow.h"

#include "eval/errors.h"
#include "gui/plainfield.h"

#include <QLabel>
#include <QPushButton>

namespace numra {

FormulaWindow::FormulaWindow(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("FormSaveRech"), QSize(381, 105))
{
    label1_ = new QLabel(QStringLiteral("Formula"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->move(16, 8);
    label1_->adjustSize();

    editFormel_ = new PlainField(this);
    editFormel_->setObjectName(QStringLiteral("EditFormel"));
    editFormel_->setGeometry(8, 27, 356, 21);
    editFormel_->setFont(tahoma(13));
    setFieldBackground(editFormel_, QColor(0xEE, 0xEE, 0xEE));

    button1_ = addButton(QStringLiteral("Schliessen"), QRect(190, 63, 110, 22));
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setAccessibleName(QStringLiteral("Schliessen"));
    button2_ = addButton(QStringLiteral("Speichern"), QRect(64, 63, 110, 22));
    button2_->setObjectName(QStringLiteral("Button2"));
    button2_->setAccessibleName(QStringLiteral("Speichern"));

    setTabOrder(editFormel_, button1_);
    setTabOrder(button1_, button2_);

    // "Schliessen" empties the field, which tells a saving caller not to save.
    connect(button1_, &QPushButton::clicked, this, [this] {
        editFormel_->clear();
        done(Rejected);
    });
    connect(button2_, &QPushButton::clicked, this, [this] { done(Accepted); });
}

void FormulaWindow::setCaption(const QString& caption)
{
    label1_->setText(caption);
    label1_->adjustSize();
}

void FormulaWindow::showSubtotal(const QString& text)
{
    editFormel_->setText(text);
    if (isVisible())
        return;
    // The calculator keeps the keyboard; the subtotal only sits beside it.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    setModal(false);
    show();
}

QString FormulaWindow::confirm(const QString& candidate)
{
    setCaption(QStringLiteral("Formula"));
    editFormel_->setText(candidate);
    if (isVisible())
        throw Error(QStringLiteral("Sichtbares Fenster kann nicht in modales geändert werden"));
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    editFormel_->setFocus();
    exec();
    return editFormel_->text();
}

} // namespace numra
