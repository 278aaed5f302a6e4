// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether a program may keep its windows above the others. An X11 window
// manager takes the request; a Wayland compositor decides stacking alone and
// ignores it, so there the calculator does not offer it.

namespace numra::platform {

// True on X11, and on the offscreen platform of the tests, which keeps the
// flags as set.
bool windowsCanStayOnTop();

} // namespace numra::platform
