// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's pictures are small SVG resources, named without folder and
// suffix ("power" for the x^n key). They are drawn from the SVG whenever they
// are painted, at the size and device pixel ratio of the surface they are
// painted on: sharp at every display scale, and again when a window moves to
// a screen of another scale.

#include <QIcon>
#include <QImage>
#include <QStringView>
#include <QWidget>

namespace numra {

QIcon pictureIcon(QStringView name);

// The program's icon, offered to the window system in the usual icon sizes.
QIcon applicationIcon();

// The SVG drawn into exactly `pixels` device pixels.
QImage renderPicture(QStringView name, QSize pixels);

// A picture on its own, filling the widget, on a transparent ground.
class PictureView : public QWidget {
public:
    PictureView(QStringView name, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QIcon icon_;
};

} // namespace numra
