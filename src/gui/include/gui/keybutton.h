// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A key of the calculator window. A key of the keyboard goes to the
// calculator directly, not through a click; the button only shows for a
// moment that it was pressed.

#include <QPushButton>
#include <QTimer>

namespace numra {

class KeyButton : public QPushButton {
public:
    explicit KeyButton(const QString& caption, QWidget* parent);

    // The pressed look for a moment, without a click.
    void showPressed();

private:
    QTimer release_;
};

} // namespace numra
