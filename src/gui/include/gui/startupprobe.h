// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For the start-up benchmark only: when NUMRA_STARTUP_PROBE is set, the
// program prints the wall-clock time at which the window's first frame was
// on the screen (the window and every visible widget in it painted, the
// frame handed to the window system and, on X11, the server's answer to a
// round trip after it), its resident memory and the processor time used so
// far, then quits. Nothing else reads the variable.

class QWidget;

namespace numra {

void reportStartupIfAsked(QWidget& window);

} // namespace numra
