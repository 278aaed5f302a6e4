// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The VAT window (FormSumme): net, tax and gross in three fields. It is
// handed two of them, completes the third when shown, and copies any of them
// to the clipboard and the memory register through the copy chooser.

#include "core/calculatorui.h"
#include "core/vatamounts.h"
#include "gui/fixeddialog.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace numra {

class CopyChooser;

class VatWindow : public FixedDialog {
public:
    VatWindow(QWidget* owner, QChar decimalSeparator);

    // Set once at start-up: the chooser is created after this window.
    void setChooser(CopyChooser* chooser) { chooser_ = chooser; }

    // Shows the window modally. Returns the text that Copy put into the
    // memory register, or nothing when nothing was copied.
    std::optional<QString> showAmounts(const VatWindowInput& input);

    QLineEdit* netto() const { return editNetto_; }
    QLineEdit* tax() const { return editTax_; }
    QLineEdit* brutto() const { return editBrutto_; }
    QLabel* taxLabel() const { return labelTax_; }
    QPushButton* closeButton() const { return button1_; }
    QPushButton* copyButton() const { return button2_; }

protected:
    bool event(QEvent* event) override;
    void done(int result) override;

private:
    QLineEdit* addAmountField(const QString& name, int top);
    void completeAmounts();
    void applyLanguage();
    void copyChosenAmount();
    QLineEdit* fieldOf(VatField field) const;
    VatAmounts shownAmounts() const;
    void showMessage(MessageKind kind, const QString& text);

    QChar separator_;
    CopyChooser* chooser_ = nullptr;
    QLabel* labelNetto_;
    QLineEdit* editNetto_;
    QLabel* labelTax_;
    QLineEdit* editTax_;
    QLabel* labelBrutto_;
    QLineEdit* editBrutto_;
    QPushButton* button2_;
    QPushButton* button1_;
    int curLanguage_ = 0;
    std::optional<QString> copied_;
    bool cameBackFromOtherProgram_ = false;
};

} // namespace numra
