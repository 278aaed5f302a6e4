// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windowtitle.h"

#include "platform/x11display.h"

#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace numra::platform {

void showEmptyTitle(QWindow& window)
{
    Display* display = x11Display();
    if (!display)
        return;
    const auto id = static_cast<::Window>(window.winId());
    const unsigned char* empty = reinterpret_cast<const unsigned char*>("");
    XChangeProperty(display, id, XInternAtom(display, "_NET_WM_NAME", False),
                    XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace, empty, 0);
    XChangeProperty(display, id, XA_WM_NAME, XA_STRING, 8, PropModeReplace, empty, 0);
    XFlush(display);
}

} // namespace numra::platform
