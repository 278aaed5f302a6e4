#pragma once
// A single-line field that keeps its caret when it gets the focus instead of
// selecting its whole text.

#include <QLineEdit>

namespace numra {

class PlainField : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        const int caret = cursorPosition();
        QLineEdit::focusInEvent(event);
        deselect();
        setCursorPosition(caret);
    }
};

} // namespace numra
