// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes with one "OK" button and German captions in every language.

#include "core/calculatorui.h"

#include <QString>

class QWidget;

namespace numra {

void showMessageBox(QWidget* parent, MessageKind kind, const QString& text);

// The default error box, titled with the application's title; text is the
// whole text as errorBoxTextOf makes it.
void showDefaultErrorBox(QWidget* parent, const QString& text);

} // namespace numra
