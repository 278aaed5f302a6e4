// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Bringing the running window to the front for a later start of the
// program. A desktop lets a window take the front from another program only
// for a reason it trusts: the start that the user launched carries an
// activation token (XDG_ACTIVATION_TOKEN under Wayland, DESKTOP_STARTUP_ID
// under X11), which the window uses in its place. Under X11 the token also
// ends the desktop's busy cursor for that start, and its time stamp is the
// time of the user's request; without a token the request is the
// program's own, which a window manager may refuse.

#include <QString>

class QWindow;

namespace numra::platform {

// What the start was given by the desktop, if anything.
QString activationTokenOfThisStart();

// The window is shown (not minimised) and asks for the front and the
// keyboard with the token; an empty token asks without one.
void activateWithToken(QWindow& window, const QString& token);

} // namespace numra::platform
