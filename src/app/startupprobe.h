#pragma once
// For the start-up benchmark only: when NUMRA_STARTUP_PROBE is set, the
// program prints the wall-clock time at which the window was first painted
// and its resident memory, then quits. Nothing else reads the variable.

class QWidget;

namespace numra {

void reportStartupIfAsked(QWidget& window);

} // namespace numra
