// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where a secondary window goes that the user keeps open while calculating:
// beside the calculator window, never over its keys.

class QWidget;

namespace numra {

// Right of the calculator's frame with their tops level, or left of it when
// the calculator's screen has no room on the right; then moved as little as
// needed to lie on that screen.
void placeBeside(QWidget& window, const QWidget& calculator);

} // namespace numra
