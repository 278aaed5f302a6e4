// SPDX-License-Identifier: GPL-3.0-or-later
// Where the windows beside the calculator go: beside it, never over it, at
// every screen edge and scale, with it when it moves; and shown while it is.

#include "gui/guitest.h"

#include "gui/placement.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

class Windows : public ::testing::Test, public NumraFixture {
protected:
    void press(std::initializer_list<Key> keys)
    {
        for (Key key : keys)
            mainWindow.clickKey(key);
    }
    // "Ust+" on 12,5 typed on the keypad as 12.5; the answers for the modal
    // windows are queued before.
    void vatOnTwelveFifty() { press({Key::Digit1, Key::Digit2, Key::Point, Key::Digit5, Key::VatFromNet}); }
    VatWindow& vat() { return windows.vatWindow(); }
};

TEST(Placement, BesideTheCalculatorWhereTheScreenHasRoomAndAlwaysOnIt)
{
    const QRect screen(0, 0, 1280, 1024);
    const QSize window(250, 150);
    const struct {
        const char* name;
        QRect calculator;
        QRect screen;
        QPoint expected;
        QRect keepClear{}; // the tape window
    } cases[] = {
        {"room on the right", {500, 300, 266, 333}, screen, {774, 300}},
        {"at the right edge: left of it", {1014, 300, 266, 333}, screen, {756, 300}},
        {"half below the screen: moved up onto it", {500, 900, 266, 333}, screen, {774, 874}},
        {"above the screen: moved down onto it", {500, -40, 266, 333}, screen, {774, 0}},
        {"on the second of two screens", {1380, 0, 266, 333}, {1280, 0, 1280, 1024}, {1654, 0}},
        {"no room on either side: below it", {100, 0, 266, 333}, {0, 0, 500, 800}, {100, 341}},
        {"no room below either: above it", {100, 400, 266, 333}, {0, 0, 500, 800}, {100, 242}},
        {"no room anywhere: over its right side, on the screen", {100, 0, 266, 333}, {0, 0, 500, 400}, {250, 0}},
        {"the tape on the right: left of it", {500, 300, 266, 333}, screen, {242, 300}, {774, 300, 400, 333}},
        {"the tape on the right at the left edge: below it", {0, 300, 266, 333}, screen, {0, 641},
         {274, 300, 400, 333}},
        {"no place clear of the tape: over it, not over the keys", {100, 0, 266, 333}, {0, 0, 500, 800}, {100, 341},
         {100, 341, 266, 459}},
        {"no place beside it clear of a tall tape: under the tape", {824, 0, 200, 331}, {0, 0, 1024, 768},
         {416, 408}, {416, 0, 400, 400}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(besideCalculator(c.calculator, window, c.screen, c.keepClear), c.expected) << c.name;
}

QRect keysOnScreen(const MainWindow& window)
{
    QRect keys;
    for (const KeyInfo& key : keyTable())
        keys |= QRect(window.mapToGlobal(key.geometry.topLeft()), key.geometry.size());
    return keys;
}

TEST_F(Windows, SubtotalAndVatWindowsOpenBesideTheCalculatorOnItsScreen)
{
    // The left screen is 1280 x 1024 and the calculator's; another lies right of it.
    const QRect screen = QGuiApplication::screens().constFirst()->availableGeometry();
    const QSize calculator = mainWindow.frameGeometry().size();
    const struct {
        const char* where;
        QPoint topLeft;
        bool toTheRight;
    } places[] = {
        {"centred, where it starts", mainWindow.frameGeometry().topLeft(), true},
        {"at the right edge", {screen.right() + 1 - calculator.width(), 300}, false},
        {"in the bottom left corner", {0, screen.bottom() + 1 - calculator.height()}, true},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(place.where);
        mainWindow.move(place.topLeft);
        processEvents();
        QRect vatShown;
        ModalScript modals;
        modals.then([&](QWidget& window) {
            vatShown = window.frameGeometry();
            vat().closeButton()->click();
        });
        press({Key::ClearEntry, Key::Digit5, Key::Plus, Key::Equals, Key::ClearEntry});
        vatOnTwelveFifty();
        ASSERT_TRUE(windows.formulaWindow().isVisible());
        const QRect subtotalShown = windows.formulaWindow().frameGeometry();
        windows.formulaWindow().hide();

        for (const auto& [name, shown] : {std::pair{"subtotal", subtotalShown}, std::pair{"VAT", vatShown}}) {
            EXPECT_FALSE(shown.intersects(keysOnScreen(mainWindow))) << name << " over the keys";
            EXPECT_TRUE(screen.contains(shown)) << name << " off the calculator's screen";
            EXPECT_EQ(shown.left() > mainWindow.frameGeometry().right(), place.toTheRight) << name;
        }
    }
}

// In each corner of each screen (scales 1, 2 and 1.5) the tape, subtotal
// and VAT windows open clear of the calculator, and follow it when it moves
// to the next corner.
TEST_F(Windows, SecondaryWindowsStayClearOfTheCalculatorInEveryCornerAtEveryScale)
{
    mainWindow.toggleTapeWindow();
    press({Key::Digit5, Key::Plus, Key::Equals}); // a subtotal
    ASSERT_TRUE(windows.tapeWindow().isVisible() && windows.formulaWindow().isVisible());
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const QSize size = mainWindow.frameGeometry().size();
        const QPoint corners[] = {area.topLeft(), QPoint(area.right() + 1 - size.width(), area.top()),
                                  QPoint(area.left(), area.bottom() + 1 - size.height()),
                                  area.bottomRight() + QPoint(1, 1) - QPoint(size.width(), size.height())};
        for (const QPoint corner : corners) {
            SCOPED_TRACE(QStringLiteral("%1 at %2,%3").arg(screen->name()).arg(corner.x()).arg(corner.y()).toStdString());
            mainWindow.move(corner);
            processEvents();
            const QRect calculator = mainWindow.frameGeometry();
            ASSERT_TRUE(area.contains(calculator));
            const QRect beside = calculator.adjusted(-20, -20, 20, 20); // the gap between them is 8 pixels
            for (const QWidget* window : {static_cast<QWidget*>(&windows.tapeWindow()), static_cast<QWidget*>(&windows.formulaWindow())}) {
                EXPECT_FALSE(window->frameGeometry().intersects(calculator)) << window->objectName().toStdString();
                EXPECT_TRUE(window->frameGeometry().intersects(beside)) << window->objectName().toStdString() << " followed";
            }
            QRect vatShown;
            ModalScript modals;
            modals.then([&](QWidget& window) {
                vatShown = window.frameGeometry();
                vat().closeButton()->click();
            });
            press({Key::Digit1, Key::VatFromNet});
            EXPECT_FALSE(vatShown.intersects(calculator)) << "VAT";
            EXPECT_TRUE(vatShown.intersects(beside)) << "VAT beside it";
            EXPECT_TRUE(area.contains(vatShown)) << "VAT on the calculator's screen";
        }
    }
}

// A window manager that offers to minimize a secondary window, and then
// minimizes the calculator with it (Openbox does), leaves both shown.
TEST_F(Windows, MinimizingASecondaryWindowNeverHidesTheCalculator)
{
    bool vatShownAgain = false;
    ModalScript modals;
    modals.then([&](QWidget& window) {
        window.setWindowState(Qt::WindowMinimized);
        mainWindow.setWindowState(Qt::WindowMinimized);
        processEvents();
        vatShownAgain = window.isVisible() && !window.isMinimized();
        vat().closeButton()->click();
    });
    vatOnTwelveFifty();
    EXPECT_TRUE(vatShownAgain);
    EXPECT_FALSE(mainWindow.isMinimized());

    mainWindow.toggleTapeWindow();
    windows.tapeWindow().setWindowState(Qt::WindowMinimized);
    processEvents();
    EXPECT_FALSE(windows.tapeWindow().isMinimized());
    EXPECT_FALSE(mainWindow.isMinimized());
}

} // namespace
