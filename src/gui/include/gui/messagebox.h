// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes with one "OK" button, and a yes/no question. One caption rule for every box, the
// core's and the windows' alike: "Fehler" with the error icon,
// "Informationen" with the information icon, the program's name on a plain
// notice; German in every language.

#include "core/calculatorstate.h"

#include <QString>

class QWidget;

namespace numra {

void showMessageBox(QWidget* parent, MessageKind kind, const QString& text);

// A question with the program's name as its caption: true when the user
// chose `confirm`, false for "Abbrechen", which is the default.
bool askToConfirm(QWidget* parent, const QString& text, const QString& confirm);
// A question with "Ja" (the default) and "Nein", captioned "Frage"; true
// for "Ja".
bool askYesNo(QWidget* parent, const QString& text);

} // namespace numra
