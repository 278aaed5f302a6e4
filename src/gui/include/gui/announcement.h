// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader is to say without the focus moving: the text becomes
// the accessible description of a widget the reader watches (the focused
// field, a window that opens), which raises Qt's description-changed event;
// an assistive tool that speaks only what has the focus still speaks it.
// Nothing is sent while no assistive tool listens.

#include <QString>

class QWidget;

namespace numra {

// Told again when the same text comes again (the same subtotal twice).
void announce(QWidget& where, const QString& text);

} // namespace numra
