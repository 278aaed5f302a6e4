// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/keyboard.h"

#include "core/keys.h"
#include "gui/mainwindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <array>

namespace numra {

namespace {

// What the window itself does with a key in keypad mode, beside clicking
// the keys that the key table binds.
enum class WindowAction { Help, EmptyEntry, ToggleTape, SwitchVatRate };

struct WindowKey {
    Qt::Key qtKey;
    WindowAction action;
};

constexpr std::array windowActionKeys{
    WindowKey{Qt::Key_F1, WindowAction::Help},
    WindowKey{Qt::Key_Delete, WindowAction::EmptyEntry},
    WindowKey{Qt::Key_Backspace, WindowAction::EmptyEntry},
    WindowKey{Qt::Key_F4, WindowAction::ToggleTape},
    WindowKey{Qt::Key_F5, WindowAction::SwitchVatRate},
};

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
        window_.clickEscapeKey();
        return true;
    default:
        return false;
    }
}

bool KeyRouter::windowKeys(QKeyEvent& key)
{
    if (window_.calculator().inputMode() == InputMode::Edit || (key.modifiers() & Qt::ShiftModifier))
        return false;
    bool used = runWindowAction(key.key());
    if (!used) {
        if (const std::optional<Key> bound = keyBoundTo(key.key(), key.modifiers() & Qt::KeypadModifier)) {
            window_.clickKey(*bound);
            used = true;
        }
    }
    window_.putCaretAtEnd();
    // A key acted on is used up, so an editable field does not type it a
    // second time.
    return used;
}

bool KeyRouter::runWindowAction(int qtKey)
{
    for (const WindowKey& windowKey : windowActionKeys) {
        if (windowKey.qtKey != qtKey)
            continue;
        switch (windowKey.action) {
        case WindowAction::Help:
            window_.showHelp();
            break;
        case WindowAction::EmptyEntry:
            window_.setEntryText(QString());
            break;
        case WindowAction::ToggleTape:
            window_.toggleTapeWindow();
            break;
        case WindowAction::SwitchVatRate:
            window_.switchVatRate();
            break;
        }
        return true;
    }
    return false;
}

bool KeyRouter::entryKeys(QKeyEvent& key)
{
    if (QApplication::focusWidget() != window_.entryField())
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
