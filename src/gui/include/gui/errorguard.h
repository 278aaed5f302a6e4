// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Errors of the windows' own actions (exporting or printing the tape,
// keeping it in its file) and whatever a handler lets through reach the user
// here: in the error box, as the core's errors do, and the event loop goes
// on. NumraApplication::notify catches what escapes a handler.

#include <exception>
#include <functional>

class QWidget;

namespace numra {

// Shows the error's text (errorBoxTextOf) in the error box.
void showErrorBox(QWidget* boxParent, const std::exception& error) noexcept;
// For a thrown object that is no std::exception.
void showUnknownErrorBox(QWidget* boxParent) noexcept;

void runGuarded(QWidget* boxParent, const std::function<void()>& action) noexcept;

} // namespace numra
