// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The copy chooser (FormSelect): which of the three VAT amounts to copy.

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

    QButtonGroup* group() const { return group_; }
    QPushButton* okButton() const { return button2_; }
    QPushButton* cancelButton() const { return button1_; }

private:
    QGroupBox* radioGroup1_;
    QButtonGroup* group_;
    QPushButton* button2_;
    QPushButton* button1_;
    VatField auswahl_ = VatField::None;
};

} // namespace numra
