// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator window: a frameless window with its own title strip, the
// keys of the key table and the popup menu. It owns the calculator core,
// forwards the user's keys to it, renders its Display and shows what the
// core asks for through CalculatorUi; it holds no calculator logic of its own.

#include "core/calculationfiles.h"
#include "core/calculator.h"
#include "core/calculatorui.h"
#include "core/settings.h"
#include "gui/mainlayout.h"
#include "gui/secondarywindows.h"
#include "gui/tapekeeping.h"
#include "gui/toolkittexts.h"

#include <QWidget>
#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QLineEdit;
class QMenu;
class QPushButton;

namespace numra {

namespace platform { class WarningBeep; }

// The items of the popup menu; the language submenu and "Hilfe" are hidden,
// and so is "Immer im Vordergrund" where the platform cannot do it. The VAT
// rate submenu holds the rates on offer when it opens.
enum class MenuItem {
    LanguageMenu, German, English, Save, Load, Tape, KeepTape, VatRateMenu, AlwaysOnTop, Help, About, Quit, Count
};

class MainWindow : public QWidget, public CalculatorUi {
public:
    MainWindow(platform::WarningBeep& beep, QChar decimalSeparator);

    Calculator& calculator() { return core_; }
    SecondaryWindows& secondaryWindows() { return windows_; }
    QPushButton* keyButton(Key key) const { return keyButtons_[static_cast<std::size_t>(key)]; }
    QWidget* control(WindowControl id) const { return controls_[static_cast<std::size_t>(id)]; }
    QLineEdit* entryField() const;
    QCheckBox* roundingBox() const;
    // The menu is built when it is first asked for.
    QMenu* popupMenu();
    QAction* menuItem(MenuItem item);

    // What the keyboard handling does with the window.
    void clickKey(Key key);
    void clickEscapeKey();
    void moveFocus(bool forward) { focusNextPrevChild(forward); }
    void setEntryText(const QString& text);
    void putCaretAtEnd();
    void showHelp();
    // F4 and the menu item "Rechenstreifen".
    void toggleTapeWindow();
    // F5: 19 % and 7 % in turn.
    void switchVatRate();
    // The menu and the VAT window: one of the rates on offer, or nothing for
    // a new own rate, asked for in a dialog over `over`; a rate other than
    // 19 % and 7 % becomes the own rate. False when the rate was not taken
    // (the dialog was cancelled, or the open VAT window's amount cannot be
    // computed at it).
    bool chooseVatRate(std::optional<int> rate, QWidget& over);
    // "Immer im Vordergrund".
    void setAlwaysOnTop(bool onTop);

    // CalculatorUi
    void showMessage(MessageKind kind, const QString& text) override;
    void setSubtotalLabel(const QString& caption) override;
    void showSubtotal(const QString& text) override;
    QString confirmFormula(const QString& candidate) override;
    std::optional<QString> showVatWindow(const VatWindowInput& input) override;
    void updateVatWindow(const VatWindowInput& input) override;
    void copyToClipboard(const QString& text) override;
    void focusEntry() override;
    QString askSaveFileName(const QString& startFolder) override;
    QString askOpenFileName() override;

protected:
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building (maincontrols.cpp).
    void buildControls();
    QWidget* createControl(const ControlLayout& row);
    QPushButton* createKeyButton(const KeyInfo& key);
    void chainTabOrder();
    void connectControls();
    void buildMenu();

    void applyLanguage(); // the keys' hints and Qt's own texts
    void press(Key key);
    void runOnCore(const std::function<void()>& action);
    void render(const Display& display);

    // Title strip and menu.
    void openMenu();
    void minimize();
    void quitNow();
    void showAbout();
    void saveCalculation();
    void loadCalculation();
    void setLanguage(Language language);

    // The tape window (mainwindowtape.cpp).
    void connectTapeWindow(TapeWindow& tape);
    void syncTapeMenuItems();

    // What is kept between runs (mainwindowsettings.cpp).
    void applySettings();
    void connectVatWindow(VatWindow& vat);
    void restorePosition();
    void keepPosition();
    bool takeVatRates(const VatRates& rates);
    void buildSettingsMenu();
    void syncSettingsMenu();

    platform::WarningBeep& beep_;
    ToolkitTexts toolkitTexts_;
    Calculator core_;
    CalculationFiles calculationFiles_{core_, *this};
    Settings settings_;
    TapeKeeping tapeKeeping_{core_.tape(), settings_, *this};
    SecondaryWindows windows_{*this, core_.tape(),
                              {[this](TapeWindow& tape) { connectTapeWindow(tape); },
                               [this](VatWindow& vat) { connectVatWindow(vat); }}};
    std::array<QWidget*, windowControlCount> controls_{};
    std::array<QPushButton*, keyCount> keyButtons_{};
    std::array<QAction*, static_cast<std::size_t>(MenuItem::Count)> menuItems_{};
    QMenu* menu_ = nullptr;
    std::array<QAction*, kMaxVatRateChoices> vatRateItems_{};
    bool shownOnce_ = false;
    bool firstPaintDone_ = false;
    QPoint startPosition_; // where the window was placed at start-up
};

} // namespace numra
