// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A single-line field that keeps its caret and its selection (the place of
// an error) when it gets the focus instead of selecting its whole text, and
// holds texts of any length: QLineEdit's default
// limit of 32767 characters would silently cut a loaded formula, and the cut
// text would go back into the calculator with the next key typed.

#include <QLineEdit>
#include <limits>

namespace numra {

class PlainField : public QLineEdit {
public:
    explicit PlainField(QWidget* parent = nullptr) : QLineEdit(parent)
    {
        setMaxLength(std::numeric_limits<int>::max());
    }

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        const int caret = cursorPosition();
        const int selectionStart = this->selectionStart();
        const int selectionLength = this->selectionLength();
        QLineEdit::focusInEvent(event);
        if (selectionStart >= 0) {
            setSelection(selectionStart, selectionLength);
        } else {
            deselect();
            setCursorPosition(caret);
        }
    }
};

} // namespace numra
