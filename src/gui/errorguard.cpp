// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/errorguard.h"

#include "eval/errors.h"
#include "gui/messagebox.h"

namespace numra {

namespace {

// Showing the box runs a nested event loop; an error from there is not
// shown again but must not escape either.
void showUncaught(QWidget* boxParent, const QString& message) noexcept
{
    try {
        showDefaultErrorBox(boxParent, message);
    } catch (...) {
    }
}

} // namespace

void showCaughtError(QWidget* boxParent) noexcept
{
    try {
        throw;
    } catch (const Error& error) {
        showUncaught(boxParent, error.message());
    } catch (const std::exception& error) {
        showUncaught(boxParent, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showUncaught(boxParent, QStringLiteral("Unbekannter Fehler"));
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
