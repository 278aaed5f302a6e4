// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The formula window (FormSaveRech): one label, one field, two buttons. Its
// callers give it its role: a modeless subtotal display that stays open
// beside the calculator, or a modal confirmation of a formula to be saved.

#include "gui/fixeddialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace numra {

class FormulaWindow : public FixedDialog {
public:
    explicit FormulaWindow(QWidget* owner);

    void setCaption(const QString& caption);

    // Subtotal role: fills the field and shows the window without activating
    // it if it is hidden.
    void showSubtotal(const QString& text);

    // Save role: the candidate under "Formula", shown modally; returns the
    // field's text after closing ("" after "Schliessen"). Throws Error when
    // the window is already visible in its subtotal role.
    QString confirm(const QString& candidate);

    QLineEdit* field() const { return editFormel_; }
    QLabel* caption() const { return label1_; }
    QPushButton* closeButton() const { return button1_; }
    QPushButton* saveButton() const { return button2_; }

private:
    QLabel* label1_;
    QLineEdit* editFormel_;
    QPushButton* button1_;
    QPushButton* button2_;
};

} // namespace numra
