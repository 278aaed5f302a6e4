// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace numra {

namespace {

constexpr int kGap = 2;

} // namespace

void placeBeside(QWidget& window, const QWidget& calculator)
{
    const QRect anchor = calculator.frameGeometry();
    const QSize size = window.frameGeometry().size();
    QPoint at(anchor.right() + 1 + kGap, anchor.top());
    if (const QScreen* screen = calculator.screen()) {
        const QRect room = screen->availableGeometry();
        if (at.x() + size.width() - 1 > room.right())
            at.setX(anchor.left() - kGap - size.width());
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - size.width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height())));
    }
    window.move(at);
}

} // namespace numra
