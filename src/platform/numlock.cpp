// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/numlock.h"

#include "platform/x11display.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace numra::platform {

void switchNumLockOn()
{
    Display* display = x11Display();
    if (!display)
        return;
    // Locking the modifier sets the state without a synthesized key press,
    // so a NumLock key the user holds stays held.
    const unsigned int mask = XkbKeysymToModifiers(display, XK_Num_Lock);
    if (mask == 0)
        return;
    XkbLockModifiers(display, XkbUseCoreKbd, mask, mask);
    XFlush(display);
}

} // namespace numra::platform
