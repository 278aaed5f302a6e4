// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/errorguard.h"

#include "eval/errors.h"
#include "gui/messagebox.h"

namespace numra {

void showCaughtError(QWidget* boxParent) noexcept
{
    // Showing the box runs a nested event loop; an error from there is not
    // shown again but must not escape either.
    try {
        showDefaultErrorBox(boxParent, errorBoxTextOf(std::current_exception()));
    } catch (...) {
    }
}

void runGuarded(QWidget* boxParent, const std::function<void()>& action) noexcept
{
    try {
        action();
    } catch (...) {
        showCaughtError(boxParent);
    }
}

} // namespace numra
