// SPDX-License-Identifier: GPL-3.0-or-later
// Everything is reached with the keyboard alone: the menu with F10,
// Shift+F10 and the menu key and each of its items by its access key; the
// tape window with F4, its buttons with Tab and their access keys; every
// dialog closes with Escape; a list acts on Return, not on the arrows; and
// wherever the focus stops, a ring of two pixels shows it, clearly set off
// from what lies inside and round it.

#include "gui/guitest.h"

#include "gui/accesskeys.h"
#include "gui/visualstyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace numra;
using namespace numra::testing;

namespace {

// Where the keys go: an open menu takes them, else the focused control.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::activePopupWidget();
    if (!target)
        target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    ASSERT_NE(target, nullptr) << "no window has the keyboard";
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

QString name(const QWidget* widget)
{
    if (!widget)
        return QStringLiteral("(nothing)");
    QString text = widget->accessibleName();
    if (text.isEmpty())
        if (auto* button = qobject_cast<const QAbstractButton*>(widget))
            text = button->text();
    return QStringLiteral("%1 '%2'").arg(QString::fromLatin1(widget->metaObject()->className()), text);
}

double luminance(QRgb rgb)
{
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The control drawn with and without the focus: what the focus changes
// must be a closed band at least two pixels wide, whose pixels differ from
// the unfocused ones by a contrast of 3:1 or more. Looked for on the middle
// lines, coming from each side.
::testing::AssertionResult focusRingShows(QWidget& control)
{
    const QImage focused = control.grab().toImage().convertToFormat(QImage::Format_RGB32);
    control.clearFocus();
    const QImage plain = control.grab().toImage().convertToFormat(QImage::Format_RGB32);
    control.setFocus(Qt::TabFocusReason);
    auto clear = [&](QPoint at) {
        return focused.rect().contains(at) && contrast(focused.pixel(at), plain.pixel(at)) >= 3.0;
    };
    const QPoint middle = focused.rect().center();
    const struct {
        const char* side;
        QPoint from, step;
    } sides[] = {{"left", {0, middle.y()}, {1, 0}},
                 {"right", {focused.width() - 1, middle.y()}, {-1, 0}},
                 {"top", {middle.x(), 0}, {0, 1}},
                 {"bottom", {middle.x(), focused.height() - 1}, {0, -1}}};
    for (const auto& side : sides) {
        QPoint at = side.from;
        while (focused.rect().contains(at) && !clear(at))
            at += side.step;
        if (!clear(at) || !clear(at + side.step))
            return ::testing::AssertionFailure() << "the focus on " << name(&control).toStdString()
                                                 << " shows no band of two clear pixels on its " << side.side;
    }
    return ::testing::AssertionSuccess();
}

// Tab from the focused control round the window and back; the controls the
// focus stopped at, each with its ring checked.
std::vector<QWidget*> tabRound(QWidget& window, int limit = 60)
{
    std::vector<QWidget*> stops;
    QWidget* first = window.focusWidget();
    for (int i = 0; i < limit; ++i) {
        QWidget* at = QApplication::focusWidget();
        if (at && at->window() == &window) {
            EXPECT_TRUE(focusRingShows(*at));
            stops.push_back(at);
        }
        press(Qt::Key_Tab);
        if (QApplication::focusWidget() == first)
            return stops;
    }
    ADD_FAILURE() << "Tab never came back to " << name(first).toStdString();
    return stops;
}

// Windows are activated a little later on the offscreen platform.
bool keyboardComesTo(const QWidget* control)
{
    for (int i = 0; i < 100 && QApplication::focusWidget() != control; ++i)
        processEvents(10);
    return QApplication::focusWidget() == control;
}

bool reached(const std::vector<QWidget*>& stops, const QWidget* control)
{
    return std::find(stops.begin(), stops.end(), control) != stops.end();
}

class KeyboardWalk : public ::testing::Test, public NumraFixture {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(applyVisualStyle(*qApp, defaultStyleName)); }
    const Calculator& core() { return mainWindow.calculator(); }
    QMenu* openMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    void type(QStringView keys)
    {
        for (QChar c : keys)
            press(c.toUpper().unicode());
    }
    // Opens the menu with F10 and chooses by access keys.
    void choose(QStringView accessKeys)
    {
        // The offscreen platform activates a window shown without activating,
        // a little later.
        for (int i = 0; i < 50 && QApplication::focusWidget() != mainWindow.entryField(); ++i) {
            mainWindow.activateWindow();
            mainWindow.entryField()->setFocus();
            processEvents(10);
        }
        press(Qt::Key_F10);
        ASSERT_EQ(openMenu(), mainWindow.popupMenu());
        type(accessKeys);
        processEvents();
    }
};

// One way to close a modal window with the keyboard, the same for every one.
ModalScript::Answer closedByEscape(QString& closed)
{
    return [&closed](QWidget& window) {
        QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, Qt::Key_Escape);
        processEvents();
        if (!window.isVisible())
            closed = window.objectName().isEmpty() ? QString::fromLatin1(window.metaObject()->className())
                                                   : window.objectName();
        else
            static_cast<QDialog&>(window).reject();
    };
}

TEST_F(KeyboardWalk, F10ShiftF10AndTheMenuKeyOpenTheMenuInEveryMode)
{
    struct Way {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
    };
    const Way ways[] = {{"F10", Qt::Key_F10, Qt::NoModifier},
                        {"Shift+F10", Qt::Key_F10, Qt::ShiftModifier},
                        {"menu key", Qt::Key_Menu, Qt::NoModifier}};
    for (bool editMode : {false, true}) {
        if (editMode)
            mainWindow.clickKey(Key::Edit);
        for (const Way& way : ways) {
            SCOPED_TRACE(std::string(way.name) + (editMode ? " in edit mode" : " in keypad mode"));
            mainWindow.entryField()->setFocus();
            press(way.key, way.modifiers);
            QMenu* menu = openMenu();
            ASSERT_EQ(menu, mainWindow.popupMenu());
            press(Qt::Key_Escape);
            EXPECT_EQ(openMenu(), nullptr);
        }
    }
}

// The items' own access keys, and those given to the rates, which come from
// the settings.
TEST_F(KeyboardWalk, EveryMenuItemHasAnAccessKeyOfItsOwn)
{
    std::vector<QMenu*> menus{mainWindow.popupMenu()};
    for (std::size_t i = 0; i < menus.size(); ++i) {
        QMenu* menu = menus[i];
        emit mainWindow.popupMenu()->aboutToShow();
        emit menu->aboutToShow();
        std::set<QChar> keys;
        for (QAction* item : menu->actions()) {
            if (item->isSeparator() || !item->isVisible())
                continue;
            const QChar key = accessKeyOf(item->text());
            EXPECT_FALSE(key.isNull()) << item->text().toStdString() << " has no access key";
            EXPECT_TRUE(keys.insert(key).second) << item->text().toStdString() << ": access key taken twice";
            if (item->menu())
                menus.push_back(item->menu());
        }
    }
}

// Each item reached by its access keys does what it says; the modal windows
// it opens close with Escape.
TEST_F(KeyboardWalk, EveryMenuItemIsChosenByItsAccessKeys)
{
    QString closed;
    choose(u"c");
    EXPECT_TRUE(windows.isTapeWindowVisible()) << "Rechenstreifen";
    choose(u"c");
    EXPECT_FALSE(windows.isTapeWindowVisible());
    choose(u"g");
    EXPECT_EQ(core().state().arithmetic, Arithmetic::Decimal) << "Genau rechnen";
    choose(u"g");
    choose(u"pe");
    EXPECT_EQ(core().state().language, Language::English) << "Sprache, Englisch";
    choose(u"pd");
    EXPECT_EQ(core().state().language, Language::German);
    choose(u"u7");
    EXPECT_EQ(core().state().vatRates.chosen, 700) << "Umsatzsteuersatz, 7 %";
    choose(u"a");
    EXPECT_TRUE(mainWindow.menuItem(MenuItem::KeepTape)->isChecked()) << "Rechenstreifen behalten";
    {
        ModalScript script;
        script.then(closedByEscape(closed));
        choose(u"a"); // turning it off asks first
        EXPECT_FALSE(closed.isEmpty()) << "the question closes with Escape";
    }
    choose(u"f");
    EXPECT_FALSE(Settings().singleWindow()) << "Nur ein Fenster";
    choose(u"f");
    EXPECT_TRUE(Settings().singleWindow());
    if (mainWindow.menuItem(MenuItem::AlwaysOnTop)->isVisible()) {
        choose(u"v");
        EXPECT_TRUE(mainWindow.windowFlags().testFlag(Qt::WindowStaysOnTopHint)) << "Immer im Vordergrund";
        choose(u"v");
    }

    const struct {
        const char* keys;
        const char* item;
    } modal[] = {{"h", "Hilfe"},
                 {"i", "Info"},
                 {"s", "Berechnung speichern"},
                 {"l", "Berechnung laden"},
                 {"z", "Tastenkürzel einrichten"}};
    for (const auto& item : modal) {
        SCOPED_TRACE(item.item);
        closed.clear();
        ModalScript script;
        script.then(closedByEscape(closed));
        choose(QString::fromLatin1(item.keys));
        EXPECT_FALSE(closed.isEmpty()) << "the window did not close with Escape";
        EXPECT_EQ(QApplication::activeWindow(), &mainWindow) << "the keyboard is back at the calculator";
    }

    choose(u"b");
    EXPECT_FALSE(mainWindow.isVisible()) << "Beenden";
    mainWindow.show();
}

TEST_F(KeyboardWalk, TabReachesEveryKeyOfTheCalculatorWithItsFocusRing)
{
    mainWindow.entryField()->setFocus();
    const std::vector<QWidget*> stops = tabRound(mainWindow);
    EXPECT_TRUE(reached(stops, mainWindow.entryField()));
    EXPECT_TRUE(reached(stops, mainWindow.roundingBox()));
    for (const KeyInfo& key : keyTable())
        EXPECT_TRUE(reached(stops, mainWindow.keyButton(key.key))) << key.accessibleName.toString().toStdString();
    mainWindow.roundingBox()->setFocus();
    press(Qt::Key_Space);
    EXPECT_TRUE(core().state().display.roundingChecked) << "Space checks the box";
}

// F4 opens the tape with the keyboard in its rows; Tab leaves them for the
// buttons, Ctrl+Tab goes from cell to cell, F4 and Escape go back.
TEST_F(KeyboardWalk, TheTapeWindowIsWalkedWithTabAndItsButtonsHaveAccessKeys)
{
    type(u"12+5*2");
    press(Qt::Key_Return);
    type(u"3");
    press(Qt::Key_Return);
    press(Qt::Key_F4);
    TapeWindow& tape = windows.tapeWindow();
    ASSERT_TRUE(tape.isVisible());
    ASSERT_TRUE(keyboardComesTo(tape.rows())) << name(QApplication::focusWidget()).toStdString();
    EXPECT_EQ(tape.rows()->currentIndex().row(), 1) << "on the newest row";

    const int column = tape.rows()->currentIndex().column();
    press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), tape.rows()) << "Ctrl+Tab stays in the table";
    EXPECT_EQ(tape.rows()->currentIndex().column(), column + 1);
    press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tape.rows()->currentIndex().column(), column);

    const std::vector<QWidget*> stops = tabRound(tape);
    for (auto button : {TapeWindow::Button::RecallTotal, TapeWindow::Button::Export, TapeWindow::Button::Print})
        EXPECT_TRUE(reached(stops, tape.button(button))) << name(tape.button(button)).toStdString();
    press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), tape.button(TapeWindow::Button::Print)) << "Shift+Tab leaves backwards";

    press(Qt::Key_S, Qt::AltModifier);
    processEvents(200); // an access key clicks the button as it shows it pressed
    EXPECT_EQ(mainWindow.entryField()->text(), QStringLiteral("25")) << "Alt+S takes the grand total";
    for (int key : {Qt::Key_E, Qt::Key_D}) {
        SCOPED_TRACE(QKeySequence(Qt::AltModifier | Qt::Key(key)).toString().toStdString());
        QString closed;
        ModalScript script;
        script.then(closedByEscape(closed));
        tape.takeKeyboard();
        ASSERT_TRUE(keyboardComesTo(tape.rows()));
        press(key, Qt::AltModifier);
        processEvents(200);
        EXPECT_FALSE(closed.isEmpty());
    }

    for (int back : {Qt::Key_F4, Qt::Key_Escape}) {
        tape.takeKeyboard();
        ASSERT_TRUE(keyboardComesTo(tape.rows()));
        press(back);
        EXPECT_FALSE(tape.isVisible());
        ASSERT_TRUE(keyboardComesTo(mainWindow.entryField())) << "back at the calculator";
        press(Qt::Key_F4);
    }
}

// Ust+ from the keyboard; in the VAT window the arrows only move through
// the rates (the last asks for a rate of one's own: no dialog may open),
// Return takes the rate shown, every control shows its focus, Escape closes.
TEST_F(KeyboardWalk, TheVatWindowIsWalkedWithKeysAndItsRateListActsOnReturn)
{
    bool walked = false;
    std::optional<int> rateAfterArrows;
    ModalScript script;
    script.then([&](QWidget& window) {
        auto& vat = static_cast<VatWindow&>(window);
        ASSERT_TRUE(keyboardComesTo(vat.focusWidget())) << name(QApplication::focusWidget()).toStdString();
        const std::vector<QWidget*> stops = tabRound(vat);
        EXPECT_TRUE(reached(stops, vat.copyButton()));
        EXPECT_TRUE(reached(stops, vat.closeButton()));
        auto* rates = vat.findChild<QComboBox*>();
        ASSERT_NE(rates, nullptr);
        EXPECT_TRUE(reached(stops, rates));
        rates->setFocus();
        for (int i = 0; i < rates->count(); ++i)
            press(Qt::Key_Down);
        rateAfterArrows = core().state().vatRates.chosen;
        rates->setCurrentIndex(1);
        press(Qt::Key_Return);
        processEvents();
        walked = true;
        press(Qt::Key_Escape);
    });
    type(u"100");
    press(Qt::Key_F7);
    processEvents();
    EXPECT_TRUE(walked);
    EXPECT_EQ(rateAfterArrows, 1900) << "arrowing chose nothing";
    EXPECT_EQ(core().state().vatRates.chosen, 700) << "Return took the rate shown";
    EXPECT_FALSE(windows.isVatWindowVisible()) << "Escape closed it";
}

} // namespace
