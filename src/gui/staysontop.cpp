// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/staysontop.h"

#include <QWidget>

namespace numra {

namespace {

QWidget& calculatorOf(QWidget& window)
{
    QWidget* owner = &window;
    while (QWidget* next = owner->parentWidget())
        owner = next->window();
    return *owner;
}

} // namespace

void stayOnTopLikeCalculator(QWidget& window)
{
    setStaysOnTop(window, calculatorOf(window).windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void setStaysOnTop(QWidget& window, bool onTop)
{
    if (window.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool showing = window.isVisible();
    window.setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (showing)
        window.show();
}

} // namespace numra
