// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help window (FormHelp): a short operating instruction in German or
// English, shown modally.

#include "gui/fixeddialog.h"

class QLabel;
class QPushButton;

namespace numra {

class HelpWindow : public FixedDialog {
public:
    explicit HelpWindow(QWidget* owner);

    void showHelp(int language);

    QLabel* text() const { return label2_; }
    QPushButton* okButton() const { return button1_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* label1_;
    QLabel* label2_;
    QPushButton* button1_;
    int curLanguage_ = 0;
};

} // namespace numra
