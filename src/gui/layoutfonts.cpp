// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/layoutfonts.h"

#include <array>

namespace numra {

namespace {

struct LayoutFontFamilies {
    LayoutFont font;
    const char* standIn;
};

// Tahoma is narrow: its stand-in must be too (fonts-dejavu-extra), or the
// captions are cut off. The calculator window's title uses the same family:
// a second family at start-up costs about a millisecond of font lookups.
constexpr std::array<LayoutFontFamilies, 3> fontTable{{
    {LayoutFont::Tahoma, "DejaVu Sans Condensed"},
    {LayoutFont::CenturyGothic, "DejaVu Sans Condensed"},
    {LayoutFont::Arial, "DejaVu Sans"},
}};

const LayoutFontFamilies& familiesOf(LayoutFont font)
{
    return fontTable[static_cast<size_t>(font)];
}

} // namespace

QFont layoutFont(LayoutFont font, int pixelSize)
{
    QFont result(QString::fromLatin1(familiesOf(font).standIn));
    result.setPixelSize(pixelSize);
    return result;
}

} // namespace numra
