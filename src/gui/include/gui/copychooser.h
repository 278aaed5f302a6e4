// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The copy chooser: which of the three VAT amounts to copy.

#include "core/vatamounts.h"
#include "gui/fixeddialog.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace numra {

class CopyChooser : public FixedDialog {
public:
    explicit CopyChooser(QWidget* owner);

    // Shows the chooser modally: the chosen field, or VatField::None when it
    // was cancelled. The radio group's ids are the VatField values, and the
    // group keeps its selection from one showing to the next.
    VatField choose();

    QGroupBox* choiceBox() const { return choiceBox_; }
    QButtonGroup* group() const { return group_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

private:
    QGroupBox* choiceBox_;
    QButtonGroup* group_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
    VatField chosen_ = VatField::None;
};

} // namespace numra
