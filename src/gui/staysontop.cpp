// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/staysontop.h"

#include "platform/windowtitle.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>

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
    if (!showing)
        return;
    window.show();
    // The flag gives the window a new native window, to which Qt gives the
    // application's name once it is shown: a window without a title keeps
    // none.
    if (window.windowTitle().isEmpty())
        QTimer::singleShot(0, &window, [&window] {
            if (QWindow* handle = window.windowHandle())
                platform::showEmptyTitle(*handle);
        });
}

} // namespace numra
