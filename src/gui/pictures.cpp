// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pictures.h"

#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>
#include <utility>

namespace numra {

namespace {

QString resourcePath(QStringView name)
{
    return QStringLiteral(":/numra/%1.svg").arg(name);
}

// Renders on demand and keeps the last rendering: a button repaints its
// picture on every hover, while its size and scale hardly ever change.
class SvgPictureEngine : public QIconEngine {
public:
    SvgPictureEngine(QString name, QList<QSize> offeredSizes)
        : name_(std::move(name)), offeredSizes_(std::move(offeredSizes))
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state, ratio));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // Qt 6.4 asks with the size in device pixels already scaled.
    QPixmap scaledPixmap(const QSize& pixels, QIcon::Mode, QIcon::State, qreal scale) override
    {
        if (cached_.size() != pixels || cached_.devicePixelRatio() != scale) {
            cached_ = QPixmap::fromImage(renderPicture(name_, pixels));
            cached_.setDevicePixelRatio(scale);
        }
        return cached_;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return offeredSizes_; }
    QString key() const override { return QStringLiteral("numra-svg"); }
    QIconEngine* clone() const override { return new SvgPictureEngine(name_, offeredSizes_); }

private:
    QString name_;
    QList<QSize> offeredSizes_; // what the window system may ask for; buttons ask for their own size
    QPixmap cached_;
};

} // namespace

QImage renderPicture(QStringView name, QSize pixels)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(resourcePath(name));
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

QIcon pictureIcon(QStringView name)
{
    return QIcon(new SvgPictureEngine(name.toString(), {}));
}

QIcon applicationIcon()
{
    QList<QSize> sizes;
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256})
        sizes << QSize(side, side);
    return QIcon(new SvgPictureEngine(QStringLiteral("numra"), sizes));
}

PictureView::PictureView(QStringView name, QWidget* parent) : QWidget(parent), icon_(pictureIcon(name))
{
}

void PictureView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    icon_.paint(&painter, rect());
}

} // namespace numra
