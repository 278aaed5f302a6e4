// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/webbrowser.h"

#include <QDesktopServices>
#include <QUrl>

namespace numra::platform {

void openWebAddress(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace numra::platform
