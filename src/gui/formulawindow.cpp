// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/formulawindow.h"

#include "gui/plainfield.h"

#include <QLabel>
#include <QPushButton>

namespace numra {

FormulaWindow::FormulaWindow(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("formulaWindow"), QSize(381, 105))
{
    caption_ = new QLabel(this);
    caption_->setTextFormat(Qt::PlainText);
    caption_->setText(QStringLiteral("Formula"));
    caption_->move(16, 8);
    caption_->adjustSize();

    field_ = new PlainField(this);
    field_->setGeometry(8, 27, 356, 21);
    field_->setFont(tahoma(13));
    setFieldBackground(field_, QColor(0xEE, 0xEE, 0xEE));

    closeButton_ = addButton(QStringLiteral("Schliessen"), QRect(190, 63, 110, 22));
    closeButton_->setAccessibleName(QStringLiteral("Schliessen"));
    saveButton_ = addButton(QStringLiteral("Speichern"), QRect(64, 63, 110, 22));
    saveButton_->setAccessibleName(QStringLiteral("Speichern"));

    setTabOrder(field_, closeButton_);
    setTabOrder(closeButton_, saveButton_);

    // "Schliessen" empties the field, which tells a saving caller not to save.
    connect(closeButton_, &QPushButton::clicked, this, [this] {
        field_->clear();
        done(Rejected);
    });
    connect(saveButton_, &QPushButton::clicked, this, [this] { done(Accepted); });
}

void FormulaWindow::setCaption(const QString& caption)
{
    caption_->setText(caption);
    caption_->adjustSize();
}

void FormulaWindow::showSubtotal(const QString& caption, const QString& text)
{
    if (caption_->text() != caption)
        setCaption(caption);
    if (field_->text() != text)
        field_->setText(text);
    if (isVisible())
        return;
    // The calculator keeps the keyboard; the subtotal only sits beside it.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    setModal(false);
    setPlacement(Placement::BesideCalculator);
    show();
}

void FormulaWindow::escape()
{
    closeButton_->click();
}

void FormulaWindow::hideSubtotal()
{
    if (!isModal())
        hide();
}

QString FormulaWindow::confirm(const QString& candidate)
{
    setCaption(QStringLiteral("Formula"));
    field_->setText(candidate);
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    setPlacement(Placement::OverCalculator);
    field_->setFocus();
    exec();
    return field_->text();
}

} // namespace numra
