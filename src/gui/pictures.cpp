// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace numra {

QPixmap picture(QStringView name, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/numra/%1.svg").arg(name));
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    return pixmap;
}

QIcon pictureIcon(QStringView name, QSize size)
{
    return QIcon(picture(name, size));
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int side : {16, 32})
        icon.addPixmap(picture(u"numra", QSize(side, side)));
    return icon;
}

} // namespace numra
