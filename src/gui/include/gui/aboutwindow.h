// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about window (FormAbout): name, version, licence, copyright and the
// maker's web address, which opens in the browser when clicked.

#include "gui/fixeddialog.h"

class QLabel;
class QPushButton;

namespace numra {

class AboutWindow : public FixedDialog {
public:
    explicit AboutWindow(QWidget* owner);

    void showAbout(int language);

    QLabel* link() const { return labelUrl_; }
    QPushButton* okButton() const { return bitBtn1_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* addCentredLabel(const QString& name, const QString& text, QRect geometry);

    QLabel* labelUrl_;
    QPushButton* bitBtn1_;
    int sprache_ = 0;
};

} // namespace numra
