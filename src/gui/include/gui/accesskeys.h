// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Access keys of menu items: the underlined letter that chooses an item of
// an open menu. Items with a caption of their own carry it in their caption
// ("&Beenden"); items whose caption comes from elsewhere (the VAT rates) get
// the first letter or digit that no other item of their menu has.

#include <QChar>
#include <QString>

class QMenu;

namespace numra {

// The access key of a caption, lower case; null when it has none ("&&" is
// an ampersand, not a mark).
QChar accessKeyOf(const QString& caption);

// Gives every item of the menu that has no access key one of its own.
void giveAccessKeys(QMenu& menu);

// From now on, every time the menu or one of its submenus opens.
void keepAccessKeys(QMenu& menu);

} // namespace numra
