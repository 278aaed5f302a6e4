// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keyboard handling of the calculator window. One table maps a Qt key and
// whether it came from the numeric keypad onto what it does; the KeyRouter
// sees every key press of the window first and routes it: Tab to Qt's focus
// chain, then the dialog keys (arrows between buttons, Return on a button,
// Escape), then the window's table (keypad mode only, not with Shift), then
// the entry field's own keys (Return, the circumflex in edit mode). A key that
// one of them acts on is used up.

#include "core/keys.h"

#include <QObject>
#include <optional>

class QKeyEvent;

namespace numra {

class MainWindow;

enum class KeyAction {
    Help,       // Numra's own help window
    EmptyEntry, // Delete and Backspace in keypad mode
    Press,      // a programmatic click of the key's button
};

enum class KeyOrigin { Anywhere, KeypadOnly, MainBlockOnly };

struct KeyBinding {
    int qtKey;
    KeyOrigin origin;
    KeyAction action;
    std::optional<Key> key; // the button that Press clicks
};

// The row for a key, or nothing when the window leaves the key alone.
const KeyBinding* findKeyBinding(int qtKey, bool fromKeypad);

class KeyRouter : public QObject {
public:
    explicit KeyRouter(MainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool dialogKeys(QKeyEvent& key);
    bool windowKeys(QKeyEvent& key);
    bool entryKeys(QKeyEvent& key);

    MainWindow& window_;
};

} // namespace numra
