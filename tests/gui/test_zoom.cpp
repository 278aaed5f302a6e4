// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom: Ctrl and "+", "-" or 0, from the main keys and the keypad, scale the
// calculator and its windows in steps of 25 % from 100 % to 300 %; the
// layout scales as a whole, nothing leaves its window, the zoom is kept.

#include "gui/guitest.h"

#include "core/settings.h"
#include "gui/zoom.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

class Zoom : public ::testing::Test, public NumraFixture {
protected:
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        mainWindow.entryField()->setFocus();
        QTest::keyClick(mainWindow.entryField(), Qt::Key(key), modifiers);
    }
};

// The scaled table rectangle, to within the pixel that rounding gives.
::testing::AssertionResult near(const QRect& shown, const QRect& table, int percent)
{
    const QRectF want(table.x() * percent / 100.0, table.y() * percent / 100.0, table.width() * percent / 100.0,
                      table.height() * percent / 100.0);
    if (std::abs(shown.x() - want.x()) <= 1 && std::abs(shown.y() - want.y()) <= 1
        && std::abs(shown.width() - want.width()) <= 1 && std::abs(shown.height() - want.height()) <= 1)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "at " << shown.x() << "," << shown.y() << " " << shown.width() << "x"
                                         << shown.height() << ", wanted about " << want.x() << "," << want.y() << " "
                                         << want.width() << "x" << want.height();
}

TEST_F(Zoom, TheKeysStepThroughTheZoomAndItIsKept)
{
    const struct {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        int expected;
    } steps[] = {
        {"Ctrl and +", Qt::Key_Plus, Qt::ControlModifier, 125},
        {"Ctrl and + of the keypad", Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier, 150},
        {"Ctrl and = (US: + is its Shift)", Qt::Key_Equal, Qt::ControlModifier, 175},
        {"Ctrl and -", Qt::Key_Minus, Qt::ControlModifier, 150},
        {"Ctrl and - of the keypad", Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier, 125},
        {"Ctrl+0", Qt::Key_0, Qt::ControlModifier, 100},
        {"not below 100 %", Qt::Key_Minus, Qt::ControlModifier, 100},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        press(step.key, step.modifiers);
        EXPECT_EQ(mainWindow.zoom(), step.expected);
        EXPECT_EQ(Settings().zoom(), step.expected);
        EXPECT_EQ(mainWindow.entryField()->text(), QString()) << "no key of the calculator pressed";
    }
    for (int i = 0; i < 10; ++i)
        press(Qt::Key_Plus);
    EXPECT_EQ(mainWindow.zoom(), 300) << "not above 300 %";
}

// At each step every key and control lies where its table puts it, scaled,
// with its font scaled, inside the window; the windows beside scale too;
// back at 100 % everything is as it was.
TEST_F(Zoom, TheLayoutScalesAsAWholeAndNothingIsCutOff)
{
    TapeWindow& tape = windows.tapeWindow();
    const QSize tapeAt100 = tape.size();
    for (int percent : {125, 200, 300, 100}) {
        SCOPED_TRACE(percent);
        mainWindow.setZoom(percent);
        EXPECT_EQ(mainWindow.size(), mainClientSize * percent / 100);
        for (const KeyInfo& key : keyTable()) {
            const QPushButton* button = mainWindow.keyButton(key.key);
            EXPECT_TRUE(near(button->geometry(), key.geometry, percent)) << key.accessibleName.toString().toStdString();
            EXPECT_TRUE(mainWindow.rect().contains(button->geometry()));
            if (key.fontPixels > 0)
                EXPECT_NEAR(button->font().pixelSize(), key.fontPixels * percent / 100.0, 1);
        }
        for (const ControlLayout& row : windowControlLayout())
            if (row.parent == ControlParent::Window)
                EXPECT_TRUE(near(mainWindow.control(row.id)->geometry(), row.geometry, percent))
                    << row.accessibleName.toString().toStdString();
        EXPECT_EQ(tape.size(), tapeAt100 * percent / 100);
        EXPECT_GE(tape.rows()->verticalHeader()->defaultSectionSize(), tape.rows()->fontMetrics().height())
            << "the tape's rows as high as their text";
        for (auto id : {TapeWindow::Button::RecallTotal, TapeWindow::Button::Export, TapeWindow::Button::Print})
            EXPECT_GE(tape.button(id)->maximumHeight(), tape.button(id)->sizeHint().height())
                << tape.button(id)->accessibleName().toStdString() << " shows its whole caption";
        EXPECT_EQ(windows.vatWindow().size(), QSize(244, 156) * percent / 100);
    }
}

} // namespace
