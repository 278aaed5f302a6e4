// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for Numra's start-up: a bare Qt 6 window with as many
// widgets of the same kinds as the calculator window, no style sheet, no
// pictures, no calculator. Reports like Numra under NUMRA_STARTUP_PROBE.

#include "gui/startupprobe.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(264, 331);

    new QLineEdit(&window);
    for (int i = 0; i < 32; ++i)
        (new QPushButton(QString::number(i), &window))->setGeometry(8 + (i % 8) * 31, 104 + (i / 8) * 31, 25, 25);
    new QCheckBox(QStringLiteral("auf 2 Nachkommastellen runden"), &window);
    auto* strip = new QWidget(&window);
    for (int i = 0; i < 4; ++i)
        (new QToolButton(strip))->move(i * 30, 0);
    new QLabel(QStringLiteral("Calculator"), strip);
    new QLabel(new QFrame(&window));

    window.show();
    numra::reportStartupIfAsked(window);
    return app.exec();
}
