// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11display.h"

#include <QGuiApplication>

#include <X11/Xlib.h>

namespace numra::platform {

_XDisplay* x11Display()
{
    auto* app = qGuiApp;
    if (!app)
        return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

void waitForX11Server()
{
    if (::Display* display = x11Display())
        XSync(display, False);
}

} // namespace numra::platform
