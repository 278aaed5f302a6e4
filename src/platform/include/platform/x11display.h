// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The X11 connection Qt already holds, for the few keyboard settings Qt has
// no interface for. Null on every other platform (Wayland, offscreen).

struct _XDisplay;

namespace numra::platform {

_XDisplay* x11Display();

// Returns once the X server has handled every request sent so far; does
// nothing on other platforms.
void waitForX11Server();

} // namespace numra::platform
