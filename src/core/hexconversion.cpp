// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/hexconversion.h"

#include "eval/charclass.h"

namespace numra {

std::optional<std::int32_t> parseHexInt32(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    std::uint32_t value = 0;
    for (QChar c : text) {
        if (!charclass::isHexDigit(c.unicode()) || value > 0x0FFFFFFFu)
            return std::nullopt;
        value = value << 4 | std::uint32_t(charclass::hexDigitValue(c.unicode()));
    }
    return std::int32_t(value);
}

QString intToHexText(std::int32_t value)
{
    return QString::number(std::uint32_t(value), 16).toUpper();
}

} // namespace numra
