// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace numra {

QPixmap picture(const QString& resource, QSize size, qreal pixelRatio)
{
    QPixmap pixmap(size * pixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

QIcon pictureIcon(const QString& resource, QSize size, qreal pixelRatio)
{
    return QIcon(picture(resource, size, pixelRatio));
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int side : {16, 32})
        icon.addPixmap(picture(QStringLiteral(":/numra/numra.svg"), QSize(side, side)));
    return icon;
}

} // namespace numra
