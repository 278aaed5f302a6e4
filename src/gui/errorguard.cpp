// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/errorguard.h"

#include "eval/errors.h"
#include "gui/messagebox.h"

namespace numra {

namespace {

// Showing the box runs a nested event loop; an error from there is not
// shown again but must not escape either.
void showErrorText(QWidget* boxParent, const QString& text) noexcept
{
    try {
        showMessageBox(boxParent, MessageKind::Error, text);
    } catch (...) {
    }
}

} // namespace

void showErrorBox(QWidget* boxParent, const std::exception& error) noexcept
{
    try {
        showErrorText(boxParent, errorBoxTextOf(error));
    } catch (...) {
    }
}

void showUnknownErrorBox(QWidget* boxParent) noexcept
{
    try {
        showErrorText(boxParent, unknownErrorBoxText());
    } catch (...) {
    }
}

void runGuarded(QWidget* boxParent, const std::function<void()>& action) noexcept
{
    try {
        action();
    } catch (const std::exception& error) {
        showErrorBox(boxParent, error);
    } catch (...) {
        showUnknownErrorBox(boxParent);
    }
}

} // namespace numra
