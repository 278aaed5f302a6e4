// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator window's keyboard: each key press is asked what it means
// (gui/keyboard.h) and goes to the core directly; a key's button only shows
// its pressed look.

#include "gui/mainwindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace numra {

// An ignored key travels up to the parents; it is routed once, where it is
// first delivered: at the focused control of the calculator window. True:
// the key is used up.
bool MainWindow::routeKey(QWidget& receiver, const QKeyEvent& key)
{
    const QWidget* focus = QApplication::focusWidget();
    if (&receiver != (focus ? focus : this) || receiver.window() != this)
        return false;
    const KeyMeaning meaning = meaningOf(key.key(), key.modifiers(), core_.state().inputMode, focusedControl());
    perform(meaning);
    return meaning.used;
}

FocusedControl MainWindow::focusedControl() const
{
    const QWidget* focus = QApplication::focusWidget();
    if (focus == entryField())
        return FocusedControl::Entry;
    if (qobject_cast<const QPushButton*>(focus))
        return FocusedControl::PushButton;
    if (qobject_cast<const QAbstractButton*>(focus))
        return FocusedControl::OtherButton;
    return FocusedControl::Other;
}

void MainWindow::perform(const KeyMeaning& meaning)
{
    switch (meaning.action) {
    case KeyAction::None:
        if (meaning.caretToEnd)
            render(core_.pressFromKeyboard(std::nullopt));
        return;
    case KeyAction::MoveFocusForward:
    case KeyAction::MoveFocusBackward:
        focusNextPrevChild(meaning.action == KeyAction::MoveFocusForward);
        return;
    case KeyAction::PressFocusedButton:
        if (const std::optional<Key> key = keyOfButton(QApplication::focusWidget()))
            pressFromKeyboard(*key, false);
        return;
    case KeyAction::PressEscapeKey:
        if (const std::optional<Key> key = escapeKey())
            pressFromKeyboard(*key, false);
        return;
    case KeyAction::PressKey:
        pressFromKeyboard(*meaning.key, meaning.caretToEnd);
        return;
    case KeyAction::ShowHelp:
        showHelp();
        break;
    case KeyAction::EmptyEntry:
        render(core_.setEntryText(QString()));
        break;
    case KeyAction::ToggleTape:
        toggleTapeWindow();
        break;
    case KeyAction::SwitchVatRate:
        changeVatRates([this]() -> const CalculatorState& { return core_.switchVatRate(); });
        break;
    case KeyAction::AppendCircumflex:
        render(core_.appendToEntry(u"^"));
        break;
    }
    if (meaning.caretToEnd)
        render(core_.pressFromKeyboard(std::nullopt));
}

void MainWindow::pressFromKeyboard(Key key, bool caretToEnd)
{
    keyButton(key)->showPressed();
    render(caretToEnd ? core_.pressFromKeyboard(key) : core_.press(key));
}

// The first of the keys that Escape clicks, in Tab order, that can be
// clicked: "M+", unless that were hidden or disabled.
std::optional<Key> MainWindow::escapeKey() const
{
    const KeyInfo* first = nullptr;
    for (const KeyInfo& key : keyTable()) {
        const QPushButton* button = keyButton(key.key);
        if (key.escapeClicks && button->isVisible() && button->isEnabled()
            && (!first || key.tabOrder < first->tabOrder))
            first = &key;
    }
    return first ? std::optional(first->key) : std::nullopt;
}

std::optional<Key> MainWindow::keyOfButton(const QWidget* button) const
{
    for (const KeyInfo& key : keyTable())
        if (keyButton(key.key) == button)
            return key.key;
    return std::nullopt;
}

} // namespace numra
