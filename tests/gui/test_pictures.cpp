// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures at the display scale: on two screens side by side, the left at
// scale 1 and the right at scale 2, every picture of the calculator window
// is drawn from its SVG at the scale of the screen the window is on.

#include "gui/guitest.h"

#include "gui/pictures.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

// Readable failures: the size, the scale and the first pixel that differs.
void PrintTo(const QImage& image, std::ostream* out)
{
    *out << image.width() << "x" << image.height() << " at scale " << image.devicePixelRatio();
}

namespace {

::testing::AssertionResult samePixels(const QImage& shown, const QImage& expected)
{
    const QImage a = shown.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (a.size() != b.size())
        return ::testing::AssertionFailure() << "shown " << a.width() << "x" << a.height() << ", expected "
                                             << b.width() << "x" << b.height();
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex << a.pixel(x, y)
                                                     << ", expected " << b.pixel(x, y);
    return ::testing::AssertionSuccess();
}

class Pictures : public ::testing::Test, public NumraFixture {
protected:
    void moveToScreen(int index)
    {
        const QList<QScreen*> screens = QGuiApplication::screens();
        ASSERT_GE(screens.size(), 2) << "the test runs on the screens of screens.json";
        mainWindow.move(screens[index]->geometry().center() - mainWindow.rect().center());
        processEvents();
        ASSERT_EQ(mainWindow.screen(), screens[index]);
    }
};

// What a widget paints, at the scale of its screen, without its background.
QImage painted(QWidget* widget)
{
    const qreal ratio = widget->devicePixelRatioF();
    QImage image((QSizeF(widget->size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    widget->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

QImage iconAtScale(QAbstractButton* button)
{
    return button->icon().pixmap(button->iconSize(), button->devicePixelRatioF()).toImage();
}

QSize atScale(QSize size, qreal ratio)
{
    return (QSizeF(size) * ratio).toSize();
}

TEST_F(Pictures, EveryPictureIsDrawnAtTheScaleOfItsScreenAndAgainAfterAMove)
{
    mainWindow.clickKey(Key::Edit); // shows the edit indicator
    for (int screen : {1, 0, 1}) {
        moveToScreen(screen);
        const qreal ratio = mainWindow.devicePixelRatioF();
        EXPECT_EQ(ratio, screen == 0 ? 1.0 : 2.0);
        SCOPED_TRACE(::testing::Message() << "scale " << ratio);

        for (const KeyInfo& key : keyTable()) {
            if (key.picture.isEmpty())
                continue;
            QPushButton* button = mainWindow.keyButton(key.key);
            EXPECT_TRUE(samePixels(iconAtScale(button), renderPicture(key.picture, atScale(button->iconSize(), ratio))))
                << key.caption.toString().toStdString();
        }
        for (const ControlLayout& row : windowControlLayout()) {
            if (row.picture.isEmpty())
                continue;
            QWidget* control = mainWindow.control(row.id);
            const QImage shown = row.kind == ControlKind::FlatButton
                ? iconAtScale(static_cast<QAbstractButton*>(control))
                : painted(control);
            EXPECT_TRUE(samePixels(shown, renderPicture(row.picture, atScale(row.geometry.size(), ratio))))
                << row.accessibleName.toString().toStdString();
        }
    }
}

TEST_F(Pictures, ApplicationIconComesInEverySize)
{
    const QIcon icon = applicationIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int side : {16, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
    EXPECT_TRUE(samePixels(icon.pixmap(QSize(16, 16), 2.0).toImage(), renderPicture(u"numra", QSize(32, 32))))
        << "the 16-pixel icon of a screen at scale 2 is drawn with 32 pixels";
}

} // namespace
