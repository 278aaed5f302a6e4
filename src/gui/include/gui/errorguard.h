// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The default error box. Every call into the calculator core runs through
// runGuarded(); an error it lets through is shown titled with the
// application's title, and the event loop goes on. NumraApplication::notify
// catches whatever else escapes a handler.

#include <functional>

class QWidget;

namespace numra {

void runGuarded(QWidget* boxParent, const std::function<void()>& action) noexcept;

// Shows the exception being handled in the default error box; call it only
// inside a catch block.
void showCaughtError(QWidget* boxParent) noexcept;

} // namespace numra
