// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For the start-up benchmark only: when NUMRA_STARTUP_PROBE is set, the
// program prints the wall-clock time at which the window was first painted,
// its resident memory and the processor time used so far, then quits.
// Nothing else reads the variable.

class QWidget;

namespace numra {

void reportStartupIfAsked(QWidget& window);

} // namespace numra
