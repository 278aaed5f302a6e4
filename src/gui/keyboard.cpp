// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/keyboard.h"

#include <array>

namespace numra {

namespace {

// What the window itself does with a key in keypad mode, beside pressing the
// keys of the key table.
struct WindowKey {
    Qt::Key qtKey;
    KeyAction action;
    std::optional<ClearingKey> clearingKey = std::nullopt;
};

constexpr std::array kWindowKeys{
    WindowKey{Qt::Key_F1, KeyAction::ShowHelp},
    WindowKey{Qt::Key_F3, KeyAction::StepDecimalSelector},
    WindowKey{Qt::Key_Delete, KeyAction::PressClearingKey, ClearingKey::Delete},
    WindowKey{Qt::Key_Backspace, KeyAction::PressClearingKey, ClearingKey::Backspace},
    WindowKey{Qt::Key_F5, KeyAction::SwitchVatRate},
};

bool isReturn(int qtKey) { return qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter; }

bool isCircumflex(int qtKey) { return qtKey == Qt::Key_AsciiCircum || qtKey == Qt::Key_Dead_Circumflex; }

// Ctrl+V and Shift+Insert.
bool isPaste(int qtKey, Qt::KeyboardModifiers held)
{
    return (qtKey == Qt::Key_V && held == Qt::ControlModifier) ||
           (qtKey == Qt::Key_Insert && held == Qt::ShiftModifier);
}

// Ctrl+C and Ctrl+Insert.
bool isCopy(int qtKey, Qt::KeyboardModifiers held)
{
    return (qtKey == Qt::Key_C || qtKey == Qt::Key_Insert) && held == Qt::ControlModifier;
}

bool isArrow(int qtKey)
{
    return qtKey == Qt::Key_Left || qtKey == Qt::Key_Up || qtKey == Qt::Key_Right || qtKey == Qt::Key_Down;
}

KeyMeaning used(KeyAction action) { return {action, std::nullopt, std::nullopt, false, true}; }

// The character the key typed. With Ctrl or Alt held the text is no
// character of the layout, and the key's own character counts: Ctrl+5 is 5.
std::optional<QChar> typedCharacter(int qtKey, QStringView text, Qt::KeyboardModifiers held)
{
    if (held & (Qt::ControlModifier | Qt::AltModifier)) {
        if (qtKey >= 0x21 && qtKey <= 0x7E)
            return QChar(char16_t(qtKey));
        return std::nullopt;
    }
    if (text.size() == 1 && text.front().isPrint())
        return text.front();
    return std::nullopt;
}

// Arrows between buttons (the entry field uses them itself), Return on a
// push button, Escape, the menu, the tape window and the zoom.
std::optional<KeyMeaning> dialogKey(int qtKey, Qt::KeyboardModifiers held, FocusedControl focus)
{
    const bool onButton = focus == FocusedControl::PushButton || focus == FocusedControl::OtherButton;
    if (isArrow(qtKey) && onButton && !(held & Qt::AltModifier))
        return used(qtKey == Qt::Key_Right || qtKey == Qt::Key_Down ? KeyAction::MoveFocusForward
                                                                      : KeyAction::MoveFocusBackward);
    if (isReturn(qtKey) && focus == FocusedControl::PushButton && held == Qt::NoModifier)
        return used(KeyAction::PressFocusedButton);
    if (qtKey == Qt::Key_Escape && !(held & (Qt::ControlModifier | Qt::AltModifier)))
        return used(KeyAction::Escape);
    // The ways into the menu that Windows and the desktops share.
    if ((qtKey == Qt::Key_F10 && !(held & (Qt::ControlModifier | Qt::AltModifier))) || qtKey == Qt::Key_Menu)
        return used(KeyAction::OpenMenu);
    if (qtKey == Qt::Key_F4 && held == Qt::NoModifier)
        return used(KeyAction::ToggleTape);
    if ((held & Qt::ControlModifier) && !(held & Qt::AltModifier)) {
        if (qtKey == Qt::Key_Plus || qtKey == Qt::Key_Equal)
            return used(KeyAction::ZoomIn);
        if (qtKey == Qt::Key_Minus)
            return used(KeyAction::ZoomOut);
        if (qtKey == Qt::Key_0)
            return used(KeyAction::ZoomReset);
    }
    return std::nullopt;
}

// Keypad mode: a key acted on is used up, so that an editable field does
// not type it a second time.
KeyMeaning windowKey(int qtKey, QStringView text, Qt::KeyboardModifiers held)
{
    KeyMeaning meaning;
    for (const WindowKey& windowKey : kWindowKeys)
        if (windowKey.qtKey == qtKey) {
            meaning = used(windowKey.action);
            meaning.clearingKey = windowKey.clearingKey;
        }
    if (meaning.action == KeyAction::None) {
        if (const std::optional<Key> bound = keyBoundTo(qtKey, typedCharacter(qtKey, text, held))) {
            meaning = used(KeyAction::PressKey);
            meaning.key = bound;
        }
    }
    meaning.caretToEnd = true;
    return meaning;
}

} // namespace

KeyMeaning meaningOf(int qtKey, QStringView text, Qt::KeyboardModifiers modifiers, InputMode mode,
                     FocusedControl focus)
{
    const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    // Tab and Shift+Tab move the focus by Qt's chain; no handler sees them.
    if ((qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab) && !(held & (Qt::ControlModifier | Qt::AltModifier)))
        return {};
    if (const std::optional<KeyMeaning> dialog = dialogKey(qtKey, held, focus))
        return *dialog;
    if (isPaste(qtKey, held) && (mode != InputMode::Edit || focus == FocusedControl::Entry))
        return used(KeyAction::Paste); // amounts as people write them, in every mode
    if (isCopy(qtKey, held) && mode != InputMode::Edit && focus == FocusedControl::Entry)
        return used(KeyAction::CopySelection); // without the thousands points the field shows
    if (mode != InputMode::Edit) {
        const KeyMeaning meaning = windowKey(qtKey, text, held);
        if (meaning.used)
            return meaning;
    }
    if (focus == FocusedControl::Entry && isReturn(qtKey)) // the field sees Return too
        return {KeyAction::PressKey, Key::Equals, std::nullopt, false, false};
    if (focus == FocusedControl::Entry && mode == InputMode::Edit && isCircumflex(qtKey))
        return used(KeyAction::AppendCircumflex); // the dead key would wait for the next key
    return {KeyAction::None, std::nullopt, std::nullopt, mode != InputMode::Edit, false};
}

} // namespace numra
