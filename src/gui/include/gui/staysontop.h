// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Immer im Vordergrund": the calculator window and every window it opens
// stay above the windows of other programs. Qt applies a window's flags when
// it shows the window, and hides a showing window to change them.

class QWidget;

namespace numra {

// Call before a window of the calculator is shown: it stays on top when the
// calculator window, the owner of its owners, does.
void stayOnTopLikeCalculator(QWidget& window);

// A window that is showing is shown again with the new flag.
void setStaysOnTop(QWidget& window, bool onTop);

} // namespace numra
