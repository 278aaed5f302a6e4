// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/fixeddialog.h"

#include "gui/placement.h"
#include "gui/staysontop.h"
#include "platform/windowtitle.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace numra {

// Qt tells an X11 window manager about the title bar with a Motif hint, the
// window type "dialog" and the calculator as the window the dialog belongs
// to; Openbox still draws its own buttons on every dialog.
FixedDialog::FixedDialog(QWidget* owner, const QString& name, QSize clientSize)
    : QDialog(owner, Qt::Dialog | titleBarWithoutButtons)
{
    setObjectName(name);
    setWindowTitle(QString());
    setFixedSize(clientSize);
    setFont(tahoma(11));
    setSizeGripEnabled(false);
}

// Placed before Qt creates the window at its first showing: a window moved
// then is placed with its frame, which the window manager adds only later.
void FixedDialog::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        stayOnTopLikeCalculator(*this);
        place();
    }
    QDialog::setVisible(visible);
}

void FixedDialog::showEvent(QShowEvent* event)
{
    if (QWindow* handle = windowHandle())
        platform::showEmptyTitle(*handle);
    QDialog::showEvent(event);
}

void FixedDialog::place()
{
    const QWidget* calculator = parentWidget() ? parentWidget()->window() : nullptr;
    if (placement_ == Placement::BesideCalculator && calculator)
        placeBesideCalculator(*this, *calculator, keepClear_);
    else
        centreOverOwner();
}

void FixedDialog::placeClearOf(const QRect& frame)
{
    if (const QWidget* calculator = parentWidget() ? parentWidget()->window() : nullptr)
        placeBesideCalculator(*this, *calculator, frame);
}

void FixedDialog::centreOverOwner()
{
    const QWidget* owner = parentWidget();
    if (!owner)
        return;
    const QRect frame = owner->window()->frameGeometry();
    move(frame.center() - QPoint(width() / 2, height() / 2));
}

void FixedDialog::keyPressEvent(QKeyEvent* event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Escape:
        if (plain)
            escape();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && plain) {
            button->click();
            return;
        }
        break;
    default:
        break;
    }
    QDialog::keyPressEvent(event);
}

QPushButton* FixedDialog::addButton(const QString& text, QRect geometry)
{
    auto* button = new QPushButton(text, this);
    button->setAutoDefault(false);
    button->setGeometry(geometry);
    return button;
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setFieldBackground(QLineEdit* field, const QColor& colour)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    field->setPalette(palette);
}

} // namespace numra
