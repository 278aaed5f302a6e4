// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/keybutton.h"

namespace numra {

namespace {

constexpr int kPressedLookMs = 100; // as long as an animated click

} // namespace

KeyButton::KeyButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    release_.setSingleShot(true);
    release_.setInterval(kPressedLookMs);
    connect(&release_, &QTimer::timeout, this, [this] { setDown(false); });
}

void KeyButton::showPressed()
{
    setDown(true);
    release_.start();
}

} // namespace numra
