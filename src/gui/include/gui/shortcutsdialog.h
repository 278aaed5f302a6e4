// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Tastenkürzel einrichten …": Numra takes no key of its own (under Wayland
// no program can), so the dialog shows the two commands to bind to keys of
// the desktop, copies them, and says where the desktops take them. Where
// GNOME's own custom shortcuts can be written, a button sets them up after
// asking, with keys the user may change (Super+Num and Super+Umschalt+Num
// proposed).

#include "gui/fixeddialog.h"
#include "platform/desktopshortcuts.h"

#include <QLineEdit>
#include <array>
#include <optional>

class QLabel;
class QPushButton;

namespace numra {

// A field that takes the next key combination pressed in it as a desktop
// shortcut; Tab and Escape keep their meaning.
class ShortcutKeyField : public QLineEdit {
public:
    ShortcutKeyField(const platform::DesktopKey& key, QWidget* parent);
    const platform::DesktopKey& key() const { return key_; }
    void setKey(const platform::DesktopKey& key);

    // Why the last key pressed was not taken; empty when it was.
    std::function<void(const QString&)> refused;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    platform::DesktopKey key_;
};

class ShortcutsDialog : public FixedDialog {
public:
    // program: how the desktop starts this Numra ("numra", or its whole
    // path when the one on the PATH is another).
    ShortcutsDialog(QWidget* owner, const QString& program, platform::GnomeShortcuts gnome);

    QString commandText(int which) const;
    ShortcutKeyField* keyField(int which) const { return keyFields_[std::size_t(which)]; }
    QPushButton* copyButton(int which) const { return copyButtons_[std::size_t(which)]; }
    QPushButton* gnomeButton() const { return gnomeButton_; }
    QLabel* status() const { return status_; }

    // Whether GNOME's shortcuts can be written is asked when the dialog
    // opens: gsettings takes a moment.
    void openDialog();

private:
    void copyCommand(int which);
    void setUpGnome();

    QString program_;
    platform::GnomeShortcuts gnome_;
    std::array<QLineEdit*, 2> commandFields_{};
    std::array<QPushButton*, 2> copyButtons_{};
    std::array<ShortcutKeyField*, 2> keyFields_{};
    std::array<QLabel*, 2> keyLabels_{};
    QLabel* gnomeTitle_ = nullptr;
    QPushButton* gnomeButton_ = nullptr;
    QLabel* status_ = nullptr;
};

// "numra", or the running program's whole path when the PATH finds
// another numra or none.
QString programForDesktop();

} // namespace numra
