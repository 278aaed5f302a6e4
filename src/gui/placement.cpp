// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/placement.h"

#include <QGuiApplication>
#include <QMargins>
#include <QRegion>
#include <QVariant>
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
    // Where the window kept clear of takes a side, under or over it: the
    // subtotal stacks under the tape rather than on it.
    const QRect underClear(QPoint(keepClear.left(), keepClear.bottom() + 1 + gap), window);
    const QRect overClear(QPoint(keepClear.left(), keepClear.top() - gap - window.height()), window);
    const std::array places{right, left, below, above, underClear, overClear};
    for (const QRect& avoided : {keepClear, QRect()}) {
        for (const QRect& place : places) {
            if (avoided.isNull() && (&place == &places[4] || &place == &places[5]))
                continue;
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

namespace {

// The frame a window manager last gave a window of ours, for a window whose
// own frame is not known now: one not shown yet, or hidden, whose frame the
// window system forgets. A window placed above or left of the calculator
// would otherwise cover it by its title bar.
QMargins lastFrame;

QMargins frameMargins(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

QSize frameSize(const QWidget& window)
{
    if (window.frameGeometry() != window.geometry())
        return window.frameGeometry().size();
    const QVariant kept = window.property("numraFrame");
    const QMargins margins = kept.isValid() ? kept.value<QMargins>() : lastFrame;
    return window.size().grownBy(margins);
}

} // namespace

void rememberFrame(QWidget& window)
{
    if (window.frameGeometry() == window.geometry())
        return;
    lastFrame = frameMargins(window);
    window.setProperty("numraFrame", QVariant::fromValue(lastFrame));
}

QRect placeBesideCalculator(QWidget& window, const QWidget& calculator, const QWidget* keepClear)
{
    return placeBesideCalculator(window, calculator,
                                 keepClear && keepClear->isVisible() ? keepClear->frameGeometry() : QRect());
}

QRect placeBesideCalculator(QWidget& window, const QWidget& calculator, const QRect& keepClear)
{
    const QScreen* screen = calculator.screen();
    if (!screen)
        return window.frameGeometry();
    const QSize size = frameSize(window);
    const QPoint at = besideCalculator(calculator.frameGeometry(), size, screen->availableGeometry(), keepClear);
    window.move(at);
    return QRect(at, size);
}

} // namespace numra
