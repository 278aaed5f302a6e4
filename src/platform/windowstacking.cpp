// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windowstacking.h"

#include <QGuiApplication>

namespace numra::platform {

bool windowsCanStayOnTop()
{
    const QString platform = QGuiApplication::platformName();
    return platform == u"xcb" || platform == u"offscreen";
}

} // namespace numra::platform
