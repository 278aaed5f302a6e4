// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for Numra's start-up: a bare Qt 6 window with the calculator
// window's widgets, built from the same tables (the keys, the other
// controls), so that each widget has the kind, place, text and font it has
// in Numra. Left out is what Numra adds: its visual style, its pictures,
// colours, hints and accessible names, its menu, its other windows and the
// calculator. Reports like Numra under NUMRA_STARTUP_PROBE.

#include "core/keys.h"
#include "gui/layoutfonts.h"
#include "gui/mainlayout.h"
#include "gui/startupprobe.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <array>

using namespace numra;

namespace {

QWidget* createControl(const ControlLayout& row, QWidget* parent)
{
    switch (row.kind) {
    case ControlKind::Entry:
        return new QLineEdit(parent);
    case ControlKind::CheckBox:
        return new QCheckBox(row.caption.toString(), parent);
    case ControlKind::TitleStrip:
    case ControlKind::Picture:
        return new QWidget(parent);
    case ControlKind::FlatButton: {
        auto* button = new QToolButton(parent);
        button->setAutoRaise(true);
        return button;
    }
    case ControlKind::Label:
    case ControlKind::PendingLine:
        return new QLabel(row.caption.toString(), parent);
    case ControlKind::Frame:
    case ControlKind::Edge: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        return frame;
    }
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(mainClientSize);
    window.setFont(tahoma(11));

    std::array<QWidget*, windowControlCount> controls{};
    for (const ControlLayout& row : windowControlLayout()) {
        QWidget* parent = &window;
        if (row.parent == ControlParent::TitleStrip)
            parent = controls[std::size_t(WindowControl::TitleStrip)];
        else if (row.parent == ControlParent::EditIndicatorFrame)
            parent = controls[std::size_t(WindowControl::EditIndicatorFrame)];
        QWidget* control = createControl(row, parent);
        control->setGeometry(row.geometry);
        if (row.fontPixels > 0)
            control->setFont(tahoma(row.fontPixels));
        controls[std::size_t(row.id)] = control;
    }
    controls[std::size_t(WindowControl::EditIndicator)]->hide(); // as in edit mode only
    for (const KeyInfo& key : keyTable()) {
        auto* button = new QPushButton(key.picture.isEmpty() ? shownCaption(key, u',') : QString(), &window);
        button->setGeometry(key.geometry);
        if (key.fontPixels > 0)
            button->setFont(tahoma(key.fontPixels));
    }
    controls[std::size_t(WindowControl::Edge)]->raise();

    window.show();
    reportStartupIfAsked(window);
    return app.exec();
}
