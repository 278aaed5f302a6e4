// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The visual style is part of the program, asked for by its name. A name
// the program does not carry is reported and the default look stays.

#include <QString>

class QApplication;

namespace numra {

inline const QString defaultStyleName = QStringLiteral("Nachtblau");

// Returns false (after the message box) when the style is not found.
bool applyVisualStyle(QApplication& app, const QString& name);

// "Hoher Kontrast": the style again in its other look; every window takes it
// at once.
void applyHighContrast(QApplication& app, bool on);

} // namespace numra
