#include "hexconversion.h"

namespace numra {

namespace {

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

std::optional<std::int32_t> parseHexInt32(const QString& text)
{
    if (text.isEmpty())
        return std::nullopt;
    std::uint32_t value = 0;
    for (QChar c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0 || value > 0x0FFFFFFFu)
            return std::nullopt;
        value = value << 4 | std::uint32_t(digit);
    }
    return std::int32_t(value);
}

QString intToHexText(std::int32_t value)
{
    return QString::number(std::uint32_t(value), 16).toUpper();
}

} // namespace numra
