// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a window goes that the user looks at while going on calculating
// (subtotal, VAT amounts, the tape): beside the calculator window, right of
// it, or left of it when that screen has no room on the right, with the top
// edges level; on a screen too narrow for either, below or above it. The
// window is moved as little as needed to stay on the calculator's screen,
// and only where the screen is too small for any of these does it cover a
// part of the calculator.

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace numra {

// Both windows are given with their frames; screen is the available area of
// the calculator's screen. keepClear is a window already beside the
// calculator that this one should not cover either (the tape window, for the
// subtotal and VAT windows), or an empty rectangle; where no place beside
// the calculator is clear of both, the window goes under or over that one,
// and where that is no clear place either, the calculator's keys win. Returns the top-left corner of the
// window's frame.
QPoint besideCalculator(const QRect& calculator, QSize window, const QRect& screen, const QRect& keepClear = QRect());

// Whether the whole of a window's frame lies on the screens there are now, as
// a window placed where it was in an earlier run must.
bool liesOnTheScreens(const QRect& frame);

// Call before the window is shown: a window that has never been shown is
// placed with the frame the window manager gives it. keepClear counts only
// while it is visible. Returns the frame the window is moved to: a window
// system confirms a move only later, and the frame of a window just moved
// may still be the old one meanwhile.
QRect placeBesideCalculator(QWidget& window, const QWidget& calculator, const QWidget* keepClear = nullptr);
// Notes the frame of a window that is shown, for its next placement after
// it was hidden and for windows not shown yet.
void rememberFrame(QWidget& window);
QRect placeBesideCalculator(QWidget& window, const QWidget& calculator, const QRect& keepClear);

} // namespace numra
