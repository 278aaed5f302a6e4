// SPDX-License-Identifier: GPL-3.0-or-later
// Keys reach the calculator window's buttons through the key table and the
// routing order: navigation and dialog keys, the window's table, the entry.

#include "gui/guitest.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

struct Stroke {
    int key;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    std::optional<QString> typed = std::nullopt; // what the layout types, if not the key's own character
};

constexpr auto Shift = Qt::ShiftModifier;

constexpr auto KP = Qt::KeypadModifier;

struct KeyCase {
    const char* name;
    std::vector<Stroke> strokes;
    const char* formula;
    const char* entry;
};

class Keyboard : public ::testing::Test, public NumraFixture {
protected:
    const Calculator& core() { return mainWindow.calculator(); }
    QLineEdit* entry() { return mainWindow.entryField(); }

    void type(const std::vector<Stroke>& strokes)
    {
        for (const Stroke& s : strokes)
            sendKey(s.key, s.modifiers, s.typed);
    }
    void focusEntry() { entry()->setFocus(); }
    void switchToEditMode()
    {
        mainWindow.clickKey(Key::Edit);
        ASSERT_EQ(core().state().inputMode, InputMode::Edit);
    }
};

TEST_F(Keyboard, KeypadModeKeysClickTheirButtons)
{
    const KeyCase cases[] = {
        {"main-block digits", {{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_3}}, "", "123"},
        {"keypad digits", {{Qt::Key_4, KP}, {Qt::Key_5, KP}, {Qt::Key_0, KP}}, "", "450"},
        {"plus from both blocks", {{Qt::Key_1}, {Qt::Key_Plus}, {Qt::Key_2}, {Qt::Key_Plus, KP}}, "1+2+", ""},
        {"minus from both blocks", {{Qt::Key_5}, {Qt::Key_Minus}, {Qt::Key_3, KP}, {Qt::Key_Minus, KP}}, "5-3-", ""},
        {"keypad divide and multiply", {{Qt::Key_8}, {Qt::Key_Slash, KP}, {Qt::Key_2}, {Qt::Key_Asterisk, KP}}, "8/2*", ""},
        {"German Shift+7 types / and divides", {{Qt::Key_8}, {Qt::Key_Slash, Shift, "/"}}, "8/", ""},
        {"German Shift and + types * and multiplies", {{Qt::Key_6}, {Qt::Key_Asterisk, Shift, "*"}, {Qt::Key_7}},
         "6*", "7"},
        {"US Shift and = types +", {{Qt::Key_6}, {Qt::Key_Plus, Shift, "+"}}, "6+", ""},
        {"Swiss Shift+1 types +", {{Qt::Key_6}, {Qt::Key_Plus, Shift, "+"}}, "6+", ""},
        {"Shift+5 types % and applies the percent",
         {{Qt::Key_2}, {Qt::Key_0}, {Qt::Key_0}, {Qt::Key_Plus}, {Qt::Key_1}, {Qt::Key_0}, {Qt::Key_Percent, Shift, "%"}},
         "", "220"},
        {"Shift+0 types = and evaluates", {{Qt::Key_6}, {Qt::Key_Plus}, {Qt::Key_7}, {Qt::Key_Equal, Shift, "="}}, "", "13"},
        {"a character that is no key does nothing", {{Qt::Key_1}, {Qt::Key_Exclam, Shift, "!"}}, "", "1"},
        {"comma, full stop and keypad decimal click the decimal key, which writes the separator",
         {{Qt::Key_1}, {Qt::Key_Comma}, {Qt::Key_Period}, {Qt::Key_Comma, KP}}, "", "1,,,"},
        {"ctrl is not tested", {{Qt::Key_5, Qt::ControlModifier}}, "", "5"},
        {"F9 clears entry and formula", {{Qt::Key_1}, {Qt::Key_Plus}, {Qt::Key_2}, {Qt::Key_F9}}, "", ""},
        {"F8 applies the percent", {{Qt::Key_2}, {Qt::Key_0}, {Qt::Key_0}, {Qt::Key_Asterisk, KP}, {Qt::Key_1}, {Qt::Key_0}, {Qt::Key_F8}}, "", "20"},
        {"circumflex starts x^n", {{Qt::Key_2}, {Qt::Key_AsciiCircum}, {Qt::Key_3}, {Qt::Key_Return}}, "", "8"},
        {"dead circumflex starts x^n", {{Qt::Key_3}, {Qt::Key_Dead_Circumflex}, {Qt::Key_2}, {Qt::Key_Enter, KP}}, "", "9"},
        {"delete empties the entry", {{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_Delete}}, "", ""},
        {"backspace removes the last character", {{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_Backspace}, {Qt::Key_7}}, "", "17"},
        {"a digit after = starts a new number",
         {{Qt::Key_1}, {Qt::Key_Plus}, {Qt::Key_2}, {Qt::Key_Return}, {Qt::Key_4}}, "", "4"},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        mainWindow.clickKey(Key::ClearEntry);
        focusEntry();
        type(c.strokes);
        EXPECT_EQ(core().state().formula, QString::fromUtf8(c.formula));
        EXPECT_EQ(entry()->text(), QString::fromUtf8(c.entry));
        EXPECT_EQ(entry()->cursorPosition(), entry()->text().size()) << "caret at the end";
    }
}

// In keypad mode every key puts the caret at the end of the entry, also one
// that means nothing to the calculator.
TEST_F(Keyboard, KeypadModeKeysPutTheCaretAtTheEnd)
{
    focusEntry();
    type({{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_3}});
    for (const Stroke& stroke : {Stroke{Qt::Key_A}, Stroke{Qt::Key_F5}, Stroke{Qt::Key_F5}}) {
        entry()->setCursorPosition(1); // a click into the field
        type({stroke});
        EXPECT_EQ(entry()->cursorPosition(), 3) << QKeySequence(stroke.key).toString().toStdString();
        EXPECT_EQ(core().state().display.caret, 3);
    }
}

// Each "=" that evaluates adds a row to the tape.
TEST_F(Keyboard, ReturnPressesEqualsExactlyOnceInEveryMode)
{
    auto equalsPressed = [this] { return core().tape().size(); };
    focusEntry();
    type({{Qt::Key_5}, {Qt::Key_Return}});
    EXPECT_EQ(equalsPressed(), 1) << "keypad mode";
    EXPECT_TRUE(mainWindow.keyButton(Key::Equals)->isDown()) << "the key shows that it was pressed";
    type({{Qt::Key_Return, Qt::ShiftModifier}});
    EXPECT_EQ(equalsPressed(), 2) << "keypad mode, Shift held";
    mainWindow.clickKey(Key::ClearEntry);
    switchToEditMode();
    type({{Qt::Key_1}, {Qt::Key_Plus}, {Qt::Key_2}, {Qt::Key_Return}});
    EXPECT_EQ(equalsPressed(), 3) << "edit mode";
    EXPECT_EQ(entry()->text(), QStringLiteral("3"));
    type({{Qt::Key_Enter, KP}});
    EXPECT_EQ(equalsPressed(), 4) << "edit mode, keypad Enter";
    processEvents(200);
    EXPECT_FALSE(mainWindow.keyButton(Key::Equals)->isDown()) << "and comes up again";
}

TEST_F(Keyboard, ReturnOnAFocusedButtonClicksThatButton)
{
    mainWindow.keyButton(Key::Digit7)->setFocus();
    type({{Qt::Key_Return}});
    EXPECT_EQ(entry()->text(), QStringLiteral("7"));
    EXPECT_EQ(core().tape().size(), 0) << "\"=\" was not pressed";
    // The digit keys still work through the window's table.
    mainWindow.keyButton(Key::Digit7)->setFocus();
    type({{Qt::Key_4}});
    EXPECT_EQ(entry()->text(), QStringLiteral("74"));
}

// Escape closes the window opened last beside the calculator, else clears
// as CE does; the memory stays as it was.
TEST_F(Keyboard, EscapeClosesTheTopmostWindowThenClearsNeverTheMemory)
{
    focusEntry();
    type({{Qt::Key_4}, {Qt::Key_2}});
    mainWindow.clickKey(Key::MemoryIn);
    type({{Qt::Key_Plus}, {Qt::Key_Return}});
    ASSERT_TRUE(windows.formulaWindow().isVisible()) << "a subtotal";
    mainWindow.menuItem(MenuItem::Tape)->trigger(); // leaves the keyboard at the calculator
    ASSERT_TRUE(windows.tapeWindow().isVisible());
    type({{Qt::Key_3}, {Qt::Key_Escape}});
    EXPECT_FALSE(windows.tapeWindow().isVisible()) << "the tape window, shown last, closes first";
    EXPECT_TRUE(windows.formulaWindow().isVisible());
    type({{Qt::Key_Escape}});
    EXPECT_FALSE(windows.formulaWindow().isVisible()) << "then the subtotal window";
    EXPECT_EQ(entry()->text(), QStringLiteral("3")) << "nothing cleared while windows close";
    EXPECT_EQ(core().state().formula, QStringLiteral("42+"));

    mainWindow.keyButton(Key::Digit1)->setFocus();
    type({{Qt::Key_Escape}});
    EXPECT_EQ(entry()->text(), QString()) << "with no window open: entry and formula, as CE";
    EXPECT_EQ(core().state().formula, QString());

    switchToEditMode();
    type({{Qt::Key_9}, {Qt::Key_Escape}});
    EXPECT_EQ(entry()->text(), QString()) << "edit mode";
    EXPECT_EQ(core().state().memory.text, QStringLiteral("42"));
}

TEST_F(Keyboard, EditModeKeysAreOrdinaryEditingKeys)
{
    switchToEditMode();
    type({{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_3}, {Qt::Key_Backspace}});
    EXPECT_EQ(entry()->text(), QStringLiteral("12"));
    type({{Qt::Key_Home}, {Qt::Key_Delete}});
    EXPECT_EQ(entry()->text(), QStringLiteral("2"));
    EXPECT_EQ(core().state().display.entryText, QStringLiteral("2")) << "the core sees what was typed";
    ModalScript noModalWindow; // F1 opens no help window in edit mode
    type({{Qt::Key_F9}, {Qt::Key_F8}, {Qt::Key_F1}, {Qt::Key_F7}});
    EXPECT_EQ(entry()->text(), QStringLiteral("2")) << "F1 and F7 to F9 act only in keypad mode";
}

TEST_F(Keyboard, CaretMovedInEditModeStaysThroughAKeyThatLeavesTheText)
{
    switchToEditMode();
    type({{Qt::Key_1}, {Qt::Key_2}, {Qt::Key_3}, {Qt::Key_Home}, {Qt::Key_Right}});
    EXPECT_EQ(core().state().display.caret, 1) << "the user's caret reaches the core";
    mainWindow.clickKey(Key::MemoryIn);
    EXPECT_EQ(entry()->cursorPosition(), 1);
    EXPECT_EQ(QApplication::focusWidget(), entry());
    mainWindow.clickKey(Key::Digit4);
    EXPECT_EQ(entry()->text(), QStringLiteral("1234"));
    EXPECT_EQ(entry()->cursorPosition(), 4) << "a digit puts the caret at the end";
}

TEST_F(Keyboard, CircumflexInEditModeAppendsAtTheEndAtOnce)
{
    switchToEditMode();
    type({{Qt::Key_2}, {Qt::Key_Home}, {Qt::Key_AsciiCircum}});
    EXPECT_EQ(entry()->text(), QStringLiteral("2^"));
    type({{Qt::Key_Home}, {Qt::Key_Dead_Circumflex}, {Qt::Key_3}});
    EXPECT_EQ(entry()->text(), QStringLiteral("2^^3"));
}

TEST_F(Keyboard, InputMethodTextCannotEnterTheReadOnlyEntry)
{
    focusEntry();
    type({{Qt::Key_2}});
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("³"));
    QApplication::sendEvent(entry(), &commit);
    EXPECT_EQ(entry()->text(), QStringLiteral("2"));
    EXPECT_EQ(core().state().display.entryText, QStringLiteral("2"));

    switchToEditMode();
    QApplication::sendEvent(entry(), &commit);
    EXPECT_EQ(core().state().display.entryText, QStringLiteral("2³")) << "in edit mode it is typed text";
}

TEST_F(Keyboard, ArrowsMoveTheFocusBetweenButtonsNotInTheEntry)
{
    mainWindow.keyButton(Key::Digit1)->setFocus();
    type({{Qt::Key_Right}});
    EXPECT_EQ(QApplication::focusWidget(), mainWindow.keyButton(Key::Digit2));
    type({{Qt::Key_Up}});
    EXPECT_EQ(QApplication::focusWidget(), mainWindow.keyButton(Key::Digit1));
    focusEntry();
    type({{Qt::Key_Left}});
    EXPECT_EQ(QApplication::focusWidget(), entry());
    type({{Qt::Key_Tab}});
    EXPECT_EQ(QApplication::focusWidget(), mainWindow.keyButton(Key::Digit1)) << "Tab follows the tab order";
}

TEST_F(Keyboard, F7OpensTheVatWindowAndF1TheHelpWindow)
{
    focusEntry();
    type({{Qt::Key_1}, {Qt::Key_0}, {Qt::Key_0}});
    QString gross;
    ModalScript modals;
    modals.then([&](QWidget&) {
        gross = windows.vatWindow().grossField()->text();
        windows.vatWindow().closeButton()->click();
    });
    type({{Qt::Key_F7}});
    EXPECT_EQ(gross, QStringLiteral("119,00"));

    processEvents(); // the calculator window is active again
    const QWidget* help = nullptr;
    modals.then([&](QWidget& window) {
        help = &window;
        windows.helpWindow().okButton()->click();
    });
    type({{Qt::Key_F1}});
    EXPECT_EQ(help, &windows.helpWindow());
}

} // namespace
