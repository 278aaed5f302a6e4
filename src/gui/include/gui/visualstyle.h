// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The visual style is a resource of the program: a Qt style sheet named after
// the style. A missing style is reported and the default look stays.

#include <QString>

class QApplication;

namespace numra {

inline const QString defaultStyleName = QStringLiteral("Nachtblau");

// Returns false (after the message box) when the style is not found.
bool applyVisualStyle(QApplication& app, const QString& name);

} // namespace numra
