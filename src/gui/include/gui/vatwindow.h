// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The VAT window: net, tax and gross in three fields, shown as the VAT keys
// computed them, and the rate they were computed with, which the user may
// change here; copies any of them to the clipboard and the memory register
// through the copy chooser.

#include "core/calculatorui.h"
#include "core/vatamounts.h"
#include "gui/fixeddialog.h"

#include <functional>
#include <optional>
#include <vector>

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

    // Called when the user chooses another rate of the offered ones: the
    // rate, or nothing for a new own rate. It returns false when the rate
    // was not taken, and the window then shows its rate again; when it was,
    // the calculation made again arrives through refill().
    using RateHandler = std::function<bool(std::optional<int> rate)>;
    void setRateHandler(RateHandler handler) { rateChosen_ = std::move(handler); }

    // Shows the window modally. Returns the text that Copy put into the
    // memory register, or nothing when nothing was copied.
    std::optional<QString> showAmounts(const VatWindowInput& input);
    // While open: the amounts and the rate of the same calculation at another
    // rate.
    void refill(const VatWindowInput& input);

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
    void done(int result) override;

private:
    QLineEdit* addAmountField(int top);
    void rateActivated(int index);
    int chosenRateIndex() const;
    void applyLanguage(Language language);
    void copyChosenAmount();
    QLineEdit* fieldOf(VatField field) const;
    VatAmounts shownAmounts() const;
    void showMessage(MessageKind kind, const QString& text);

    std::function<VatField()> choose_;
    QLabel* netLabel_;
    QLineEdit* netField_;
    QLabel* taxLabel_;
    QLineEdit* taxField_;
    QLabel* grossLabel_;
    QLineEdit* grossField_;
    QLabel* rateLabel_;
    QComboBox* rateBox_;
    std::vector<VatRateChoice> rateChoices_;
    RateHandler rateChosen_;
    QPushButton* copyButton_;
    QPushButton* closeButton_;
    std::optional<QString> copied_;
};

} // namespace numra
