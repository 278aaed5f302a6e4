// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator window's keyboard: each key press is asked what it means
// (gui/keyboard.h) and goes to the core directly; a key's button only shows
// its pressed look.

#include "gui/mainwindow.h"

#include "gui/tapewindow.h"
#include "gui/zoom.h"

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
    const KeyMeaning meaning =
        meaningOf(key.key(), key.text(), key.modifiers(), core_.state().inputMode, focusedControl());
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
    case KeyAction::Escape:
        escape();
        return;
    case KeyAction::PressKey:
        pressFromKeyboard(*meaning.key, meaning.caretToEnd);
        return;
    case KeyAction::ShowHelp:
        showHelp();
        break;
    case KeyAction::PressClearingKey:
        render(core_.pressClearingKey(*meaning.clearingKey));
        break;
    case KeyAction::ToggleTape:
        toggleTapeWindow(TapeFocus::Take);
        break;
    case KeyAction::OpenMenu:
        openMenu();
        break;
    case KeyAction::ZoomIn:
        setZoom(zoomedIn(zoom_));
        break;
    case KeyAction::ZoomOut:
        setZoom(zoomedOut(zoom_));
        break;
    case KeyAction::ZoomReset:
        setZoom(kZoomMinimum);
        break;
    case KeyAction::SwitchVatRate:
        changeVatRates([this]() -> const CalculatorState& { return core_.switchVatRate(); });
        break;
    case KeyAction::StepDecimalSelector:
        changeAmountFormat([this]() -> const CalculatorState& { return core_.stepDecimalSelector(); });
        break;
    case KeyAction::Paste:
        pasteClipboard();
        break;
    case KeyAction::CopySelection:
        copySelection();
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

// The topmost of the windows open beside the calculator goes first: the one
// shown last. The subtotal window is the core's to close; with none open,
// Escape clears as CE does.
void MainWindow::escape()
{
    const bool tapeOpen = windows_.isTapeWindowVisible();
    const bool subtotalOpen = core_.state().subtotal.open;
    if (tapeOpen && (!subtotalOpen || shownLastBeside_ == static_cast<const QWidget*>(&windows_.tapeWindow())))
        windows_.tapeWindow().hide();
    else
        render(core_.pressClearingKey(ClearingKey::Escape));
}

std::optional<Key> MainWindow::keyOfButton(const QWidget* button) const
{
    for (const KeyInfo& key : keyTable())
        if (keyButton(key.key) == button)
            return key.key;
    return std::nullopt;
}

} // namespace numra
