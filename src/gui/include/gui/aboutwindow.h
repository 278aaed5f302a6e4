// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about window: name, version, licence, copyright and the maker's web
// address, which opens in the browser when clicked.

#include "core/languagetable.h"
#include "gui/fixeddialog.h"

class QLabel;
class QPushButton;

namespace numra {

class AboutWindow : public FixedDialog {
public:
    explicit AboutWindow(QWidget* owner);

    void showAbout(Language language);

    QLabel* name() const { return name_; }
    QLabel* version() const { return version_; }
    QLabel* link() const { return link_; }
    QPushButton* okButton() const { return okButton_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* addCentredLabel(const QString& text, QRect geometry);

    QLabel* name_;
    QLabel* version_;
    QLabel* link_;
    QPushButton* okButton_;
    Language language_ = Language::German; // of the showing to come
};

} // namespace numra
