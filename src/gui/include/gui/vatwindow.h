// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The VAT window: net, tax and gross in three fields, shown as the VAT keys
// computed them, and the rate they were computed with, which the user may
// change here; copies any of them to the clipboard and the memory register
// through the copy chooser. It shows the core's open VAT calculation and
// sends what the user does in it to the core, which closes it.

#include "core/calculatorstate.h"
#include "core/vatamounts.h"
#include "gui/fixeddialog.h"

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace numra {

class VatWindow : public FixedDialog {
public:
    explicit VatWindow(QWidget* owner);

    // Asks which amount to copy (the copy chooser); set once.
    void setChooser(std::function<VatField()> choose) { choose_ = std::move(choose); }

    // What the user does in the window, set once: another rate of those
    // offered (nothing: a new own rate), Copy with the chosen field and its
    // text as shown (VatField::None: nothing chosen), and closing it.
    struct Handlers {
        std::function<void(std::optional<int> rate)> rateChosen;
        std::function<void(VatField field, const QString& shownText)> copy;
        std::function<void()> close;
    };
    void setHandlers(Handlers handlers) { handlers_ = std::move(handlers); }

    // Shows the calculation modally; returns when the window has closed.
    void open(const VatCalculation& calculation);
    // While open: the calculation as it is now, shown again when it changed.
    void show(const VatCalculation& calculation);
    // Closes the window, as the core has closed its calculation.
    void closeWindow();

    QLabel* netLabel() const { return netLabel_; }
    QLineEdit* netField() const { return netField_; }
    QLabel* taxLabel() const { return taxLabel_; }
    QLineEdit* taxField() const { return taxField_; }
    QLabel* grossLabel() const { return grossLabel_; }
    QLineEdit* grossField() const { return grossField_; }
    QLabel* rateLabel() const { return rateLabel_; }
    QComboBox* rateBox() const { return rateBox_; }
    QPushButton* copyButton() const { return copyButton_; }
    QPushButton* closeButton() const { return closeButton_; }

protected:
    // Escape and the platform's close command: the core is told, and closes
    // the window.
    void reject() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* addAmountField(int top);
    void rateActivated(int index);
    int chosenRateIndex() const;
    void applyLanguage(Language language);
    void copyChosenAmount();
    void tellAmounts();
    QLineEdit* fieldOf(VatField field) const;

    std::function<VatField()> choose_;
    Handlers handlers_;
    std::optional<VatCalculation> shown_;
    QLabel* netLabel_;
    QLineEdit* netField_;
    QLabel* taxLabel_;
    QLineEdit* taxField_;
    QLabel* grossLabel_;
    QLineEdit* grossField_;
    QLabel* rateLabel_;
    QComboBox* rateBox_;
    QPushButton* copyButton_;
    QPushButton* closeButton_;
};

} // namespace numra
