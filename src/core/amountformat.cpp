// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/amountformat.h"

#include "eval/digitgrouping.h"

namespace numra {

namespace {

constexpr std::array<QStringView, kDecimalSelectors.size()> kSelectorNames{u"F", u"0", u"1", u"2", u"3", u"4", u"ADD"};
constexpr std::array<QStringView, kRoundingModes.size()> kRoundingModeNames{u"aufrunden", u"5/4", u"abrunden"};

constexpr bool selectorsInOrder()
{
    for (std::size_t i = 0; i < kDecimalSelectors.size(); ++i)
        if (std::size_t(kDecimalSelectors[i]) != i)
            return false;
    return true;
}
static_assert(selectorsInOrder(), "kDecimalSelectors and kSelectorNames follow the enum's order");

constexpr bool roundingModesInOrder()
{
    for (std::size_t i = 0; i < kRoundingModes.size(); ++i)
        if (std::size_t(kRoundingModes[i]) != i)
            return false;
    return true;
}
static_assert(roundingModesInOrder(), "kRoundingModes and kRoundingModeNames follow the enum's order");

} // namespace

QStringView decimalSelectorName(DecimalSelector selector)
{
    return kSelectorNames[std::size_t(selector)];
}

std::optional<DecimalSelector> decimalSelectorNamed(QStringView name)
{
    for (const DecimalSelector selector : kDecimalSelectors)
        if (name.compare(decimalSelectorName(selector), Qt::CaseInsensitive) == 0)
            return selector;
    return std::nullopt;
}

DecimalSelector nextDecimalSelector(DecimalSelector selector)
{
    return kDecimalSelectors[(std::size_t(selector) + 1) % kDecimalSelectors.size()];
}

int roundedPlaces(DecimalSelector selector)
{
    switch (selector) {
    case DecimalSelector::Free:
    case DecimalSelector::Add:
        return 2;
    default:
        return int(selector) - int(DecimalSelector::Places0);
    }
}

QString roundingBoxCaption(DecimalSelector selector)
{
    const int places = roundedPlaces(selector);
    return places == 1 ? QStringLiteral("auf 1 Nachkommastelle runden")
                       : QStringLiteral("auf %1 Nachkommastellen runden").arg(places);
}

QStringView roundingModeName(RoundingMode mode)
{
    return kRoundingModeNames[std::size_t(mode)];
}

std::optional<RoundingMode> roundingModeNamed(QStringView name)
{
    for (const RoundingMode mode : kRoundingModes)
        if (name == roundingModeName(mode))
            return mode;
    return std::nullopt;
}

QString readableAmount(const QString& shown, bool grouping, QChar decimalSeparator)
{
    return grouping ? groupThousands(shown, decimalSeparator) : shown;
}

} // namespace numra
