// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/zoom.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLayout>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace numra {

namespace {

// What each widget had at 100 %, kept on it when it is first zoomed.
constexpr char baseGeometry[] = "numraBaseGeometry";
constexpr char baseFont[] = "numraBaseFont";
constexpr char baseIconSize[] = "numraBaseIconSize";
constexpr char baseMinimum[] = "numraBaseMinimum";
constexpr char baseFixedHeight[] = "numraBaseFixedHeight";
constexpr char zoomShown[] = "numraZoom";

int scaled(int pixels, int percent)
{
    return int(std::lround(pixels * percent / 100.0));
}

// Edges, not sizes, are scaled, so that controls that meet at 100 % meet at
// every zoom.
QRect scaled(const QRect& r, int percent)
{
    const int left = scaled(r.left(), percent);
    const int top = scaled(r.top(), percent);
    return QRect(left, top, scaled(r.left() + r.width(), percent) - left,
                 scaled(r.top() + r.height(), percent) - top);
}

QSize scaled(const QSize& size, int percent)
{
    return {scaled(size.width(), percent), scaled(size.height(), percent)};
}

template <typename T>
T kept(QWidget& widget, const char* name, const T& now)
{
    const QVariant base = widget.property(name);
    if (base.isValid())
        return base.value<T>();
    widget.setProperty(name, QVariant::fromValue(now));
    return now;
}

bool inLayout(const QLayout& layout, const QWidget& widget)
{
    for (int i = 0; i < layout.count(); ++i) {
        QLayoutItem* item = layout.itemAt(i);
        if (item->widget() == &widget || (item->layout() && inLayout(*item->layout(), widget)))
            return true;
    }
    return false;
}

// By a layout, or by a widget that arranges its children itself.
bool placedByParent(const QWidget& widget)
{
    const QWidget* parent = widget.parentWidget();
    return parent
        && ((parent->layout() && inLayout(*parent->layout(), widget))
            || parent->property(kArrangesItsChildren).toBool());
}

void zoomFont(QWidget& widget, int percent)
{
    if (!widget.testAttribute(Qt::WA_SetFont))
        return; // it takes its parent's, which is zoomed
    QFont font = widget.font();
    const QFont base = kept(widget, baseFont, font);
    if (base.pixelSize() > 0)
        font.setPixelSize(std::max(1, scaled(base.pixelSize(), percent)));
    else
        font.setPointSizeF(base.pointSizeF() * percent / 100.0);
    widget.setFont(font);
}

void zoomControl(QWidget& control, int percent)
{
    zoomFont(control, percent);
    if (auto* button = qobject_cast<QAbstractButton*>(&control))
        button->setIconSize(scaled(kept(control, baseIconSize, button->iconSize()), percent));
    if (!placedByParent(control)) {
        control.setGeometry(scaled(kept(control, baseGeometry, control.geometry()), percent));
    } else if (control.minimumHeight() == control.maximumHeight()) {
        control.setFixedHeight(scaled(kept(control, baseFixedHeight, control.minimumHeight()), percent));
    }
}

} // namespace

int zoomedIn(int percent)
{
    return std::min(validZoom(percent) + kZoomStep, kZoomMaximum);
}

int zoomedOut(int percent)
{
    return std::max(validZoom(percent) - kZoomStep, kZoomMinimum);
}

int validZoom(int percent)
{
    const int step = int(std::lround(double(percent) / kZoomStep)) * kZoomStep;
    return std::clamp(step, kZoomMinimum, kZoomMaximum);
}

void zoomWindow(QWidget& window, int percent)
{
    if (window.property(zoomShown).toInt() == percent)
        return;
    if (!window.property(zoomShown).isValid() && percent == kZoomMinimum) {
        window.setProperty(zoomShown, percent); // laid out at 100 % already
        return;
    }
    window.setProperty(zoomShown, percent);
    zoomFont(window, percent);
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->isWindow())
            continue;
        QWidget* owner = control->window();
        if (owner == &window)
            zoomControl(*control, percent);
    }
    const QSize minimum = scaled(kept(window, baseMinimum, window.minimumSize()), percent);
    const QSize size = scaled(kept(window, baseGeometry, window.geometry()).size(), percent);
    if (window.minimumSize() == window.maximumSize()) {
        window.setFixedSize(size);
    } else {
        window.setMinimumSize(minimum);
        window.resize(size);
    }
}

void zoomApplicationFont(QApplication& app, int percent)
{
    QFont font = QApplication::font();
    const QVariant base = app.property(baseFont);
    if (!base.isValid())
        app.setProperty(baseFont, font);
    const QFont original = app.property(baseFont).value<QFont>();
    if (original.pixelSize() > 0)
        font.setPixelSize(std::max(1, scaled(original.pixelSize(), percent)));
    else
        font.setPointSizeF(original.pointSizeF() * percent / 100.0);
    QApplication::setFont(font);
}

} // namespace numra
