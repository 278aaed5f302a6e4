// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keyboard handling of the calculator window: what a key press means. The
// window sees every key press first and asks here; the key table and a
// small table of the window's own keys answer. In this order: Tab goes to
// Qt's focus chain; then the dialog keys (arrows between buttons, Return on
// a focused button, Escape in every mode) and the keys that reach the other
// windows in every mode (F10, Shift+F10 and the menu key open the menu, F4
// opens the tape window with the keyboard in it, or closes it; Ctrl and
// "+", "-" or 0 zoom); then Ctrl+V and Shift+Insert, which paste through
// the core in every mode, and Ctrl+C in the read-only entry, which copies
// it as a program reads it; then, in keypad mode, the window's keys (F1
// help, Backspace and Delete, F3 the next place of the decimal selector,
// F5
// switches the VAT rate between 19 % and 7 %) and the keys of the key
// table, by the character the key types on the user's layout or else by its
// name, after which the caret goes to the end of the entry, whatever the key
// was; then the entry field's own keys (Return evaluates, the circumflex in
// edit mode appends "^" at once).

#include "core/calculatorstate.h"
#include "core/keys.h"

#include <QStringView>
#include <Qt>
#include <optional>

namespace numra {

enum class KeyAction {
    None,                // the focused control does what it does with the key
    MoveFocusForward,    // an arrow on a button
    MoveFocusBackward,
    PressFocusedButton,  // Return on a push button
    Escape,              // closes the topmost secondary window, else clears
    PressKey,            // the key of the key table in KeyMeaning::key
    PressClearingKey,    // Backspace or Delete in KeyMeaning::clearingKey
    ShowHelp,
    ToggleTape,          // opens the tape window with the keyboard in it, or closes it
    OpenMenu,
    ZoomIn,              // Ctrl and "+" (or "=", where "+" is its Shift)
    ZoomOut,             // Ctrl and "-"
    ZoomReset,           // Ctrl+0
    SwitchVatRate,
    StepDecimalSelector,
    Paste,               // Ctrl+V or Shift+Insert: the clipboard's text as amounts
    CopySelection,       // Ctrl+C in the read-only entry: its text without thousands points
    AppendCircumflex,
};

struct KeyMeaning {
    KeyAction action = KeyAction::None;
    std::optional<Key> key;                 // for PressKey
    std::optional<ClearingKey> clearingKey; // for PressClearingKey
    bool caretToEnd = false; // afterwards the caret goes to the end of the entry
    bool used = false;       // the focused control does not see the key
};

// What has the keyboard focus in the calculator window.
enum class FocusedControl { Entry, PushButton, OtherButton, Other };

// text: what the key types on the user's layout, with the Shift or AltGr
// held ("*" for Shift and "+" on a German keyboard). modifiers may carry the
// keypad flag, which is no modifier the user holds.
KeyMeaning meaningOf(int qtKey, QStringView text, Qt::KeyboardModifiers modifiers, InputMode mode,
                     FocusedControl focus);

} // namespace numra
