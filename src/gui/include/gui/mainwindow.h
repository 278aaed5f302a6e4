// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator window (FormRech): a frameless window with its own title
// strip, the keypad of the stored layout and the popup menu. It owns the
// calculator core and shows what the core asks for through CalculatorUi; it
// holds no calculator logic of its own.

#include "core/calculator.h"
#include "core/calculatorui.h"
#include "gui/mainlayout.h"
#include "core/calculationfiles.h"

#include <QWidget>
#include <array>
#include <functional>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;

namespace numra {

class AboutWindow;
class CopyChooser;
class FormulaWindow;
class HelpWindow;
class VatWindow;
namespace platform { class WarningBeep; }

struct SecondaryWindows {
    AboutWindow* aboutWindow;
    VatWindow* vatWindow;
    HelpWindow* helpWindow;
    FormulaWindow* formulaWindow;
    CopyChooser* copyChooser;
};

class MainWindow : public QWidget, public CalculatorUi {
public:
    MainWindow(platform::WarningBeep& beep, QChar decimalSeparator);

    // Called once, after the secondary windows have been created.
    void attach(const SecondaryWindows& windows);

    Calculator& calculator() { return core_; }
    QWidget* control(Control id) const { return controls_[static_cast<size_t>(id)]; }
    QPushButton* keyButton(Key key) const;
    QLineEdit* entry() const;
    QMenu* popupMenu() const { return menu_; }
    QAction* menuItem(const char* name) const;

    // What the keyboard handling does with the window.
    void clickKey(Key key);
    void clickCancelButton();
    void moveFocus(bool forward) { focusNextPrevChild(forward); }
    void setEntryText(const QString& text);
    void putCaretAtEnd();
    void showHelp(); // Hilfe2Click

    // CalculatorUi
    void showMessage(MessageKind kind, const QString& text) override;
    void setSubtotalLabel(const QString& caption) override;
    void showSubtotal(const QString& text) override;
    QString confirmFormula(const QString& candidate) override;
    std::optional<QString> showVatWindow(const VatWindowInput& input) override;
    void copyToClipboard(const QString& text) override;
    void focusEntry() override;
    QString askSaveFileName(const QString& startFolder) override;
    QString askOpenFileName() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* createControl(const LayoutRow& row, QWidget* titleStrip, QWidget* imagePanel);
    void connectControls();
    void buildMenu();
    void formShow();
    void applyHints();
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

    platform::WarningBeep& beep_;
    Calculator core_;
    CalculationFiles files_{core_, *this};
    SecondaryWindows windows_{};
    std::array<QWidget*, static_cast<size_t>(Control::Count)> controls_{};
    std::array<QPushButton*, keyCount> keyButtons_{};
    QMenu* menu_ = nullptr;
    bool shownOnce_ = false;
    bool firstPaintDone_ = false;
};

} // namespace numra
