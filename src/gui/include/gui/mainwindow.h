// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator window: a frameless window with its own title strip, the
// keys of the key table and the popup menu. It owns the calculator core,
// sends it the user's keys, clicks and answers as commands, and renders the
// state each command answers with in one function, render(); it holds no
// calculator logic of its own.

#include "core/calculator.h"
#include "core/settings.h"
#include "gui/keybutton.h"
#include "gui/keyboard.h"
#include "gui/mainlayout.h"
#include "gui/secondarywindows.h"
#include "gui/tapekeeping.h"
#include "gui/toolkittexts.h"
#include "gui/writefailures.h"

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QKeyEvent;
class QLineEdit;
class QMenu;

namespace numra {

namespace platform { class WarningBeep; }

// The items of the popup menu; "Immer im Vordergrund" is hidden where the
// platform cannot do it. The VAT rate submenu holds the rates on offer when
// it opens.
enum class MenuItem {
    LanguageMenu, German, English, Save, Load, Tape, KeepTape, OpenTape, SaveTape, VatRateMenu, DecimalPlacesMenu,
    RoundingMenu, Grouping, ExactArithmetic, AlwaysOnTop, HighContrast, SingleWindow, Shortcuts, Help, About, Quit,
    Count
};

class MainWindow : public QWidget {
public:
    MainWindow(platform::WarningBeep& beep, QChar decimalSeparator);

    const Calculator& calculator() const { return core_; }
    SecondaryWindows& secondaryWindows() { return windows_; }
    KeyButton* keyButton(Key key) const { return keyButtons_[static_cast<std::size_t>(key)]; }
    QWidget* control(WindowControl id) const { return controls_[static_cast<std::size_t>(id)]; }
    QLineEdit* entryField() const;
    QCheckBox* roundingBox() const;
    // The menu is built when it is first asked for.
    QMenu* popupMenu();
    QAction* menuItem(MenuItem item);

    // A click on a key's button, as with the mouse.
    void clickKey(Key key);
    // Text put into the entry field, as the user types it in edit mode.
    void setEntryText(const QString& text);
    void showHelp();
    // F4 and the menu item "Rechenstreifen". F4 puts the keyboard into the
    // tape window; opened from the menu, it leaves the keyboard where it is.
    enum class TapeFocus { Leave, Take };
    void toggleTapeWindow(TapeFocus focus = TapeFocus::Leave);
    // "Immer im Vordergrund".
    void setAlwaysOnTop(bool onTop);
    // "Genau rechnen (dezimal)".
    void setExactArithmetic(bool exact);
    // "Hoher Kontrast".
    void setHighContrast(bool on);
    // Ctrl and "+", "-", 0: the calculator and its windows at this zoom.
    void setZoom(int percent);
    int zoom() const { return zoom_; }
    // --- what later starts of numra ask (mainwindowhandover.cpp) ---
    // To the front with the keyboard, for a start the desktop launched with
    // this activation token (empty: none).
    void bringToFront(const QString& activationToken);
    // "numra --zeigen": to the front, or minimised when a window of Numra
    // is the active window already.
    void showOrHide(const QString& activationToken);
    // "numra --zwischenablage": the clipboard computed, the result back on it.
    void computeClipboard();
    // "numra FILE": a tape document is opened as "Rechenstreifen öffnen…"
    // opens it, any other file loaded as "Berechnung laden" loads one.
    void openFile(const QString& path);
    // "Nur ein Fenster", kept for the next start.
    void setSingleWindow(bool single);
    // "Tastenkürzel einrichten …".
    void showShortcutsDialog();

    // F3 and the menu's "Nachkommastellen", "Runden" and "Tausenderpunkte";
    // the format the command leaves is kept.
    void changeAmountFormat(const std::function<const CalculatorState&()>& command);

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building (maincontrols.cpp).
    void buildControls();
    QWidget* createControl(const ControlLayout& row);
    KeyButton* createKeyButton(const KeyInfo& key);
    void chainTabOrder();
    void connectControls();
    void buildMenu();

    // Rendering (mainwindowrender.cpp): the one function that shows the
    // core's state, and the modal windows by which it asks the user.
    void render(const CalculatorState& state);
    void showDisplay(const CalculatorState& state);
    void followLanguageAndRate(const CalculatorState& state);
    void showSubtotal(const CalculatorState& state);
    VatCalculation readableVat(const CalculatorState& state) const;
    void ask(const CalculatorState& state);
    void showAbout();

    // The keyboard (mainwindowkeys.cpp).
    bool routeKey(QWidget& receiver, const QKeyEvent& key);
    FocusedControl focusedControl() const;
    void perform(const KeyMeaning& meaning);
    void pressFromKeyboard(Key key, bool caretToEnd);

    void escape();
    std::optional<Key> keyOfButton(const QWidget* button) const;

    bool isSecondaryWindow(const QWidget& window) const;
    void unminimize(QWidget* secondary);

    // Title strip and menu.
    void openMenu();
    void minimize();
    void quitNow();

    // The tape window (mainwindowtape.cpp).
    void connectTapeWindow(TapeWindow& tape);
    void syncTapeMenuItems();
    void renderFromTape(const CalculatorState& state);
    void showTapeOutcome(const Outcome& outcome);
    void askAndOpenTape();
    void askAndSaveTape();
    // "Rechenstreifen behalten" switched; off asks before the file goes.
    void keepTape(bool keep);

    // What is kept between runs (mainwindowsettings.cpp).
    void applySettings();
    void connectVatWindow(VatWindow& vat);
    void connectFormulaWindow(FormulaWindow& formula);
    void restorePosition();
    void placeWindowsBeside();
    void keepPosition();
    // A command that may change the VAT rates; the rates it leaves are kept.
    void changeVatRates(const std::function<const CalculatorState&()>& command);
    void buildSettingsMenu();
    void syncSettingsMenu();
    // The amounts' submenus and "Tausenderpunkte", the entry's clipboard
    // (mainwindowamounts.cpp).
    void buildAmountMenu();
    void syncAmountMenu();
    void pasteClipboard();
    void copySelection();
    void showEntryMenu(const QPoint& at);

    platform::WarningBeep& beep_;
    ToolkitTexts toolkitTexts_;
    Calculator core_;
    Settings settings_;
    WriteFailures writeFailures_{*this};
    TapeKeeping tapeKeeping_{core_.tape(), settings_, writeFailures_, *this};
    SecondaryWindows windows_{*this, core_.tape(),
                              {[this](TapeWindow& tape) { connectTapeWindow(tape); },
                               [this](VatWindow& vat) { connectVatWindow(vat); },
                               [this](FormulaWindow& formula) { connectFormulaWindow(formula); }}};
    std::array<QWidget*, windowControlCount> controls_{};
    std::array<KeyButton*, keyCount> keyButtons_{};
    std::array<QAction*, static_cast<std::size_t>(MenuItem::Count)> menuItems_{};
    QMenu* menu_ = nullptr;
    std::array<QAction*, kMaxVatRateChoices> vatRateItems_{};
    std::array<QAction*, kDecimalSelectors.size()> decimalSelectorItems_{};
    std::array<QAction*, kRoundingModes.size()> roundingModeItems_{};
    // What the hints and Qt's own texts were last made for.
    std::optional<std::pair<Language, int>> hintsFollow_;
    bool shownOnce_ = false;
    bool firstPaintDone_ = false;
    QWidget* boxesOver_ = nullptr; // the tape window while a command of it is rendered
    QPoint startPosition_; // where the window was placed at start-up
    const QWidget* shownLastBeside_ = nullptr; // of the tape and subtotal windows
    SubtotalWindow shownSubtotal_; // what was last told to a screen reader
    int zoom_ = 100;
};

} // namespace numra
