// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The formula window: one label, one field, two buttons. Its callers give it
// its role: a modeless subtotal window that stays open beside the
// calculator, or a modal confirmation of a formula to be saved.

#include "gui/fixeddialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace numra {

class FormulaWindow : public FixedDialog {
public:
    explicit FormulaWindow(QWidget* owner);

    // Subtotal role: the caption and the field, and the window shown
    // without activating it if it is hidden.
    void showSubtotal(const QString& caption, const QString& text);
    // Hidden, when it shows a subtotal (not while it asks to save).
    void hideSubtotal();

    // Save role: the candidate under "Formula", shown modally; returns the
    // field's text after closing ("" after "Schliessen").
    QString confirm(const QString& candidate);

    QLineEdit* field() const { return field_; }
    QLabel* caption() const { return caption_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* saveButton() const { return saveButton_; }

protected:
    // As "Schliessen": in the save role nothing is saved.
    void escape() override;

private:
    void setCaption(const QString& caption);

    QLabel* caption_;
    QLineEdit* field_;
    QPushButton* closeButton_;
    QPushButton* saveButton_;
};

} // namespace numra
