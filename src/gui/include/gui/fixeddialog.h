// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Base of Numra's secondary windows: a fixed-size dialog frame with an empty
// title and no title-bar buttons, Tahoma 11 pixels, placed each time it is
// shown. Escape closes it as its closing button does; Return clicks the
// focused push button, else the default button.

#include "gui/layoutfonts.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace numra {

class FixedDialog : public QDialog {
public:
    // name: the object name, which names the window in the tests' messages.
    FixedDialog(QWidget* owner, const QString& name, QSize clientSize);

    // Centred over the calculator, its owner: a window the user answers
    // before going on. Beside it: one the user looks at while calculating.
    enum class Placement { OverCalculator, BesideCalculator };
    void setPlacement(Placement placement) { placement_ = placement; }
    // A window beside the calculator that this one, placed beside it too,
    // leaves uncovered while it is open.
    void keepClearOf(const QWidget* window) { keepClear_ = window; }
    // Placed again as when it is shown, for a window that has appeared
    // beside the calculator since.
    void place();
    // Beside the calculator, clear of a window being moved to this frame.
    void placeClearOf(const QRect& frame);

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // What Escape does: closes the window as its closing button does.
    virtual void escape() { reject(); }

    // A push button at its layout place; no button becomes a default button
    // by merely having the focus.
    QPushButton* addButton(const QString& text, QRect geometry);

private:
    void centreOverOwner();

    Placement placement_ = Placement::OverCalculator;
    const QWidget* keepClear_ = nullptr;
};

// The flags of a window that has a title bar with nothing in it: no system
// menu, no minimise, maximise or close button. Such a window also shows an
// empty title (platform/windowtitle.h).
inline constexpr Qt::WindowFlags titleBarWithoutButtons = Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// Window-level colours as the layouts set them.
void setBackground(QWidget* widget, const QColor& colour);
void setFieldBackground(QLineEdit* field, const QColor& colour);

} // namespace numra
