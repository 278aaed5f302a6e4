// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Eigener Satz …": asks for the user's own VAT rate, 0 to 99,99 % with at
// most two decimals. A text that is no such rate is refused with a message,
// and the dialog stays open to correct it.

#include "gui/fixeddialog.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace numra {

class OwnRateDialog : public FixedDialog {
public:
    explicit OwnRateDialog(QWidget* owner);

    // Modal, with the current own rate to start from; the rate entered in
    // hundredths of a percent, or nothing when cancelled.
    std::optional<int> ask(std::optional<int> current, QChar decimalSeparator);

    QLineEdit* field() const { return field_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void takeRate();

    QLabel* label_;
    QLineEdit* field_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    std::optional<int> entered_;
};

} // namespace numra
