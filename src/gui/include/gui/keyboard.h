// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keyboard handling of the calculator window. The KeyRouter sees every key
// press of the window first and routes it: Tab to Qt's focus chain, then the
// dialog keys (arrows between buttons, Return on a button, Escape), then the
// window's keys (keypad mode only, not with Shift: the bindings of the key
// table, F1 for help, Delete and Backspace to empty the entry, F4 for the
// tape window, F5 to switch the VAT rate between 19 % and 7 %), then the
// entry field's own keys (Return, the circumflex in edit mode). A key that
// one of them acts on is used up.

#include <QObject>

class QKeyEvent;

namespace numra {

class MainWindow;

class KeyRouter : public QObject {
public:
    explicit KeyRouter(MainWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool dialogKeys(QKeyEvent& key);
    bool windowKeys(QKeyEvent& key);
    bool runWindowAction(int qtKey); // false: the window has nothing for this key
    bool entryKeys(QKeyEvent& key);

    MainWindow& window_;
};

} // namespace numra
