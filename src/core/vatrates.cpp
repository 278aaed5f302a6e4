// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/vatrates.h"

#include "eval/numbertext.h"

namespace numra {

namespace {

bool isFixedRate(int rate) { return rate == kStandardVatRate || rate == kReducedVatRate; }

// Up to `most` digits from `at` on, added to value; false when there are more.
bool readDigits(QStringView text, qsizetype& at, int most, int& value, int& count)
{
    count = 0;
    while (at < text.size() && text[at].isDigit() && text[at].unicode() < 128) {
        if (++count > most)
            return false;
        value = value * 10 + (text[at++].unicode() - u'0');
    }
    return true;
}

} // namespace

VatRates consistentVatRates(std::optional<int> chosen, std::optional<int> own)
{
    VatRates rates;
    if (own && !isFixedRate(*own))
        rates.own = own;
    if (!chosen)
        return rates;
    if (isFixedRate(*chosen) || rates.own == chosen)
        rates.chosen = *chosen;
    else if (!rates.own)
        rates.own = rates.chosen = *chosen;
    return rates;
}

VatRates withOwnRate(VatRates rates, int rate)
{
    rates.chosen = rate;
    if (!isFixedRate(rate))
        rates.own = rate;
    return rates;
}

VatRates switchedStandardReduced(VatRates rates)
{
    rates.chosen = rates.chosen == kStandardVatRate ? kReducedVatRate : kStandardVatRate;
    return rates;
}

std::optional<int> parseVatRate(QStringView text)
{
    text = text.trimmed();
    if (text.endsWith(u'%'))
        text = text.chopped(1).trimmed();
    qsizetype at = 0;
    int whole = 0, wholeDigits = 0, fraction = 0, fractionDigits = 0;
    if (!readDigits(text, at, 2, whole, wholeDigits))
        return std::nullopt;
    if (at < text.size() && (text[at] == u',' || text[at] == u'.')) {
        ++at;
        if (!readDigits(text, at, 2, fraction, fractionDigits))
            return std::nullopt;
    }
    if (at != text.size() || wholeDigits + fractionDigits == 0)
        return std::nullopt;
    if (fractionDigits == 1)
        fraction *= 10;
    return whole * 100 + fraction;
}

QString vatRateNumber(int rate, QChar separator)
{
    QString text = formatHundredths(rate, separator);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(separator))
        text.chop(1);
    return text;
}

QString formatVatRate(int rate, QChar separator) { return vatRateNumber(rate, separator) + QStringLiteral(" %"); }

std::vector<VatRateChoice> vatRateChoices(const VatRates& rates, QChar separator)
{
    std::vector<VatRateChoice> choices;
    for (const std::optional<int> rate : {std::optional(kStandardVatRate), std::optional(kReducedVatRate), rates.own})
        if (rate)
            choices.push_back({formatVatRate(*rate, separator), rate, *rate == rates.chosen});
    choices.push_back({QStringLiteral("Eigener Satz …"), std::nullopt, false});
    return choices;
}

} // namespace numra
