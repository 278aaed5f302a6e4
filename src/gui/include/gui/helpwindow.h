// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help window: a short operating instruction in German or English,
// shown modally.

#include "core/languagetable.h"
#include "gui/fixeddialog.h"

class QLabel;
class QPushButton;

namespace numra {

class HelpWindow : public FixedDialog {
public:
    explicit HelpWindow(QWidget* owner);

    void showHelp(Language language);

    QLabel* title() const { return title_; }
    QLabel* text() const { return text_; }
    QPushButton* okButton() const { return okButton_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* title_;
    QLabel* text_;
    QPushButton* okButton_;
    Language language_ = Language::German; // of the showing to come
};

} // namespace numra
