// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/warningbeep.h"

#include "platform/x11display.h"

#include <X11/Xlib.h>

namespace numra::platform {

namespace {

void setBellPercent(Display* display, int percent)
{
    XKeyboardControl control{};
    control.bell_percent = percent;
    XChangeKeyboardControl(display, KBBellPercent, &control);
    XFlush(display);
}

} // namespace

void WarningBeep::switchOff()
{
    Display* display = x11Display();
    if (!display || savedPercent_ >= 0)
        return;
    XKeyboardState state{};
    XGetKeyboardControl(display, &state);
    savedPercent_ = state.bell_percent;
    setBellPercent(display, 0);
}

void WarningBeep::restore()
{
    if (savedPercent_ < 0)
        return;
    // The display may already be gone when the application object was
    // destroyed first; the server then restores nothing for us either.
    if (Display* display = x11Display())
        setBellPercent(display, savedPercent_);
    savedPercent_ = -1;
}

} // namespace numra::platform
