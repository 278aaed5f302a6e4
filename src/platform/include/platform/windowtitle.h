// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt gives a window without a title the application's name, and an X11
// window manager shows it in the title bar. A window whose layout asks for an
// empty title gets one here; silent on every other platform.

class QWindow;

namespace numra::platform {

// Call once the window exists (from its show event on); Qt does not set the
// title again unless it is changed.
void showEmptyTitle(QWindow& window);

} // namespace numra::platform
