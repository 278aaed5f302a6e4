// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/placement.h"

#include <QGuiApplication>
#include <QRegion>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <array>

namespace numra {

namespace {

// Room between the two frames, also for a window frame that the window
// manager adds after the first showing.
constexpr int gap = 8;

// Moved as little as needed to lie on the screen; a window larger than the
// screen keeps its top left corner on it.
QRect keptOn(QRect window, const QRect& screen)
{
    window.moveLeft(std::max(screen.left(), std::min(window.left(), screen.right() + 1 - window.width())));
    window.moveTop(std::max(screen.top(), std::min(window.top(), screen.bottom() + 1 - window.height())));
    return window;
}

} // namespace

QPoint besideCalculator(const QRect& calculator, QSize window, const QRect& screen, const QRect& keepClear)
{
    const QRect right(QPoint(calculator.right() + 1 + gap, calculator.top()), window);
    const QRect left(QPoint(calculator.left() - gap - window.width(), calculator.top()), window);
    const QRect below(QPoint(calculator.left(), calculator.bottom() + 1 + gap), window);
    const QRect above(QPoint(calculator.left(), calculator.top() - gap - window.height()), window);
    const std::array places{right, left, below, above};
    for (const QRect& avoided : {keepClear, QRect()}) {
        for (const QRect& place : places) {
            const QRect kept = keptOn(place, screen);
            if (!kept.intersects(calculator) && !kept.intersects(avoided))
                return kept.topLeft();
        }
    }
    return keptOn(right, screen).topLeft(); // a screen too small: over the calculator's right side
}

bool liesOnTheScreens(const QRect& frame)
{
    QRegion uncovered(frame);
    for (const QScreen* screen : QGuiApplication::screens())
        uncovered -= screen->geometry();
    return !frame.isEmpty() && uncovered.isEmpty();
}

void placeBesideCalculator(QWidget& window, const QWidget& calculator, const QWidget* keepClear)
{
    const QScreen* screen = calculator.screen();
    if (!screen)
        return;
    const QRect clear = keepClear && keepClear->isVisible() ? keepClear->frameGeometry() : QRect();
    window.move(besideCalculator(calculator.frameGeometry(), window.frameGeometry().size(),
                                 screen->availableGeometry(), clear));
}

} // namespace numra
