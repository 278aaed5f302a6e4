// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fonts the window layouts name (Tahoma, Century Gothic, Arial) and the
// Debian fonts that stand in for them. Only the stand-in is asked for: the
// Windows fonts are practically never installed here, and every family asked
// for in vain, or as a fallback, costs font lookups at start-up. Where a
// stand-in is missing, fontconfig's default sans font shows the text.

#include <QFont>

namespace numra {

enum class LayoutFont { Tahoma, CenturyGothic, Arial };

QFont layoutFont(LayoutFont font, int pixelSize);

inline QFont tahoma(int pixelSize)
{
    return layoutFont(LayoutFont::Tahoma, pixelSize);
}

} // namespace numra
