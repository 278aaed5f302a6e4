// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/keyboard.h"

#include "gui/mainwindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <array>

namespace numra {

namespace {

using O = KeyOrigin;
using A = KeyAction;

// clang-format off
constexpr std::array keyBindings{
    KeyBinding{Qt::Key_F1, O::Anywhere, A::Help, {}},
    KeyBinding{Qt::Key_Delete, O::Anywhere, A::EmptyEntry, {}},
    KeyBinding{Qt::Key_Backspace, O::Anywhere, A::EmptyEntry, {}},
    KeyBinding{Qt::Key_0, O::Anywhere, A::Press, Key::Digit0},
    KeyBinding{Qt::Key_1, O::Anywhere, A::Press, Key::Digit1},
    KeyBinding{Qt::Key_2, O::Anywhere, A::Press, Key::Digit2},
    KeyBinding{Qt::Key_3, O::Anywhere, A::Press, Key::Digit3},
    KeyBinding{Qt::Key_4, O::Anywhere, A::Press, Key::Digit4},
    KeyBinding{Qt::Key_5, O::Anywhere, A::Press, Key::Digit5},
    KeyBinding{Qt::Key_6, O::Anywhere, A::Press, Key::Digit6},
    KeyBinding{Qt::Key_7, O::Anywhere, A::Press, Key::Digit7},
    KeyBinding{Qt::Key_8, O::Anywhere, A::Press, Key::Digit8},
    KeyBinding{Qt::Key_9, O::Anywhere, A::Press, Key::Digit9},
    KeyBinding{Qt::Key_Comma, O::Anywhere, A::Press, Key::Point},
    KeyBinding{Qt::Key_Period, O::Anywhere, A::Press, Key::Point},
    KeyBinding{Qt::Key_Minus, O::Anywhere, A::Press, Key::Minus},
    KeyBinding{Qt::Key_Slash, O::KeypadOnly, A::Press, Key::Divide},
    KeyBinding{Qt::Key_Asterisk, O::KeypadOnly, A::Press, Key::Multiply},
    KeyBinding{Qt::Key_Plus, O::Anywhere, A::Press, Key::Plus},
    // The German key left of "1" types "^", as a dead key or not.
    KeyBinding{Qt::Key_AsciiCircum, O::MainBlockOnly, A::Press, Key::Power},
    KeyBinding{Qt::Key_Dead_Circumflex, O::MainBlockOnly, A::Press, Key::Power},
    KeyBinding{Qt::Key_F9, O::Anywhere, A::Press, Key::ClearEntry},
    KeyBinding{Qt::Key_F8, O::Anywhere, A::Press, Key::Percent},
    KeyBinding{Qt::Key_F7, O::Anywhere, A::Press, Key::VatFromNet},
    // Return is used up here, so the entry field does not click "=" again.
    KeyBinding{Qt::Key_Return, O::Anywhere, A::Press, Key::Equals},
    KeyBinding{Qt::Key_Enter, O::Anywhere, A::Press, Key::Equals},
};
// clang-format on

bool originMatches(KeyOrigin origin, bool fromKeypad)
{
    switch (origin) {
    case KeyOrigin::Anywhere:
        return true;
    case KeyOrigin::KeypadOnly:
        return fromKeypad;
    case KeyOrigin::MainBlockOnly:
        return !fromKeypad;
    }
    return false;
}

bool isReturn(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

bool isCircumflex(const QKeyEvent& key)
{
    return key.key() == Qt::Key_AsciiCircum || key.key() == Qt::Key_Dead_Circumflex;
}

// Tab and Shift+Tab without Ctrl or Alt.
bool isFocusChainKey(const QKeyEvent& key)
{
    return (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        && !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// Shift, Ctrl and Alt; the keypad flag is no modifier the user holds.
Qt::KeyboardModifiers heldModifiers(const QKeyEvent& key)
{
    return key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

} // namespace

const KeyBinding* findKeyBinding(int qtKey, bool fromKeypad)
{
    for (const KeyBinding& binding : keyBindings)
        if (binding.qtKey == qtKey && originMatches(binding.origin, fromKeypad))
            return &binding;
    return nullptr;
}

KeyRouter::KeyRouter(MainWindow& window) : QObject(&window), window_(window) {}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    // An ignored key travels up to the parents; route it once, where it is
    // first delivered: at the focused control of the calculator window.
    auto* widget = qobject_cast<QWidget*>(watched);
    QWidget* receiver = QApplication::focusWidget() ? QApplication::focusWidget() : &window_;
    if (!widget || widget != receiver || widget->window() != &window_)
        return false;
    auto& key = *static_cast<QKeyEvent*>(event);
    if (isFocusChainKey(key))
        return false; // Qt moves the focus; no handler below sees the key
    return dialogKeys(key) || windowKeys(key) || entryKeys(key);
}

bool KeyRouter::dialogKeys(QKeyEvent& key)
{
    QWidget* focus = QApplication::focusWidget();
    const Qt::KeyboardModifiers held = heldModifiers(key);
    switch (key.key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        if ((held & Qt::AltModifier) || !qobject_cast<QAbstractButton*>(focus))
            return false;
        window_.moveFocus(key.key() == Qt::Key_Right || key.key() == Qt::Key_Down);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (held != Qt::NoModifier || !qobject_cast<QPushButton*>(focus))
            return false;
        static_cast<QPushButton*>(focus)->click();
        return true;
    case Qt::Key_Escape:
        if (held != Qt::NoModifier)
            return false;
        window_.clickCancelButton();
        return true;
    default:
        return false;
    }
}

bool KeyRouter::windowKeys(QKeyEvent& key)
{
    if (window_.calculator().inputMode() == InputMode::Edit || (key.modifiers() & Qt::ShiftModifier))
        return false;
    const KeyBinding* binding = findKeyBinding(key.key(), key.modifiers() & Qt::KeypadModifier);
    if (binding) {
        switch (binding->action) {
        case KeyAction::Help:
            window_.showHelp();
            break;
        case KeyAction::EmptyEntry:
            window_.setEntryText(QString());
            break;
        case KeyAction::Press:
            window_.clickKey(*binding->key);
            break;
        }
    }
    window_.putCaretAtEnd();
    // A key the table acted on is used up, so an editable field does not type
    // it a second time.
    return binding != nullptr;
}

bool KeyRouter::entryKeys(QKeyEvent& key)
{
    if (QApplication::focusWidget() != window_.entry())
        return false;
    if (isReturn(key)) {
        window_.clickKey(Key::Equals);
        return false;
    }
    if (window_.calculator().inputMode() == InputMode::Edit && isCircumflex(key)) {
        // The dead key would wait for the next key; "^" is wanted at once,
        // at the end of the formula.
        window_.setEntryText(window_.calculator().display().entryText + u'^');
        return true;
    }
    return false;
}

} // namespace numra
