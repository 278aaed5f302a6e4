// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/vatamounts.h"

#include "eval/numbertext.h"

namespace numra {

namespace {

constexpr std::int64_t kWholeRate = 10000; // 100 % in hundredths of a percent

__extension__ typedef __int128 Wide;

// numerator / denominator rounded to the nearest integer, halves away from
// zero; the denominator is positive. 128 bits hold every product of an
// amount below the limit and a factor up to 199,99 %.
std::int64_t roundedQuotient(Wide numerator, Wide denominator)
{
    const Wide magnitude = numerator < 0 ? -numerator : numerator;
    const Wide quotient = (2 * magnitude + denominator) / (2 * denominator);
    return std::int64_t(numerator < 0 ? -quotient : quotient);
}

bool withinLimit(std::int64_t cents)
{
    return cents > -kVatCentsLimit && cents < kVatCentsLimit;
}

std::optional<VatCents> checked(VatCents amounts)
{
    if (withinLimit(amounts.net) && withinLimit(amounts.gross))
        return amounts; // the tax lies between them, or is smaller in magnitude
    return std::nullopt;
}

} // namespace

std::optional<VatCents> vatFromNet(std::int64_t netCents, int rate)
{
    if (!withinLimit(netCents))
        return std::nullopt;
    const std::int64_t gross = roundedQuotient(Wide(netCents) * (kWholeRate + rate), kWholeRate);
    return checked({netCents, gross - netCents, gross});
}

std::optional<VatCents> vatFromGross(std::int64_t grossCents, int rate)
{
    if (!withinLimit(grossCents))
        return std::nullopt;
    const std::int64_t net = roundedQuotient(Wide(grossCents) * kWholeRate, kWholeRate + rate);
    return checked({net, grossCents - net, grossCents});
}

QString vatFieldText(const VatAmounts& amounts, VatField field)
{
    switch (field) {
    case VatField::Gross: return amounts.gross;
    case VatField::Net: return amounts.net;
    case VatField::Tax: return amounts.tax;
    case VatField::None: break;
    }
    return QString();
}

QString vatCopyNotice(const QString& copied) { return QStringLiteral("Wert kopiert: ") + copied; }

} // namespace numra
