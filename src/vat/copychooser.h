#pragma once
// The copy chooser (FormSelect): which of the three VAT amounts to copy.

#include "windows/fixeddialog.h"

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace numra {

class CopyChooser : public FixedDialog {
public:
    // The indexes of the radio group, in the order of its items.
    enum Choice { None = -1, Brutto = 0, Netto = 1, Steuer = 2 };

    explicit CopyChooser(QWidget* owner);

    // Shows the chooser modally; the radio group keeps its selection from one
    // showing to the next.
    Choice choose();

    QButtonGroup* group() const { return group_; }
    QPushButton* okButton() const { return button2_; }
    QPushButton* cancelButton() const { return button1_; }

private:
    QGroupBox* radioGroup1_;
    QButtonGroup* group_;
    QPushButton* button2_;
    QPushButton* button1_;
    Choice auswahl_ = None;
};

} // namespace numra
