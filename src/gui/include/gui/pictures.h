// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's pictures are small SVG resources, drawn at the size the
// layout gives them and at the screen's pixel ratio.

#include <QIcon>
#include <QPixmap>

namespace numra {

QPixmap picture(const QString& resource, QSize size, qreal pixelRatio = 1.0);
QIcon pictureIcon(const QString& resource, QSize size, qreal pixelRatio = 1.0);
QIcon applicationIcon();

} // namespace numra
