// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's pictures are small SVG resources, named without folder and
// suffix ("power" for the x^n key), drawn at the size the layout gives them.

#include <QIcon>
#include <QPixmap>
#include <QStringView>

namespace numra {

QPixmap picture(QStringView name, QSize size);
QIcon pictureIcon(QStringView name, QSize size);
QIcon applicationIcon();

} // namespace numra
