// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The VAT rates the user chooses from: 19 %, 7 %, and one rate of the user's
// own. Rates are whole hundredths of a percent: 19 % is 1900.

#include <QString>
#include <QStringView>
#include <cstddef>
#include <optional>
#include <vector>

namespace numra {

inline constexpr int kStandardVatRate = 1900;
inline constexpr int kReducedVatRate = 700;
inline constexpr int kMaxVatRate = 9999; // 99,99 %

struct VatRates {
    int chosen = kStandardVatRate; // what "Ust+" and "Ust-" compute with
    std::optional<int> own = std::nullopt; // never 19 % or 7 %, which have choices of their own
    bool operator==(const VatRates&) const = default;
};

// Rates read back from where they were kept, each either valid or missing:
// a chosen rate that is neither 19 %, 7 % nor the own rate is the user's own
// rate when there is none, and 19 % otherwise.
VatRates consistentVatRates(std::optional<int> chosen, std::optional<int> own);

// The user entered an own rate: it is chosen and kept. 19 % and 7 % choose
// those instead and leave the own rate as it was.
VatRates withOwnRate(VatRates rates, int rate);

// F5: 7 % after 19 %, 19 % after any other rate.
VatRates switchedStandardReduced(VatRates rates);

// "7", "16,5", "16.5", "16,50 %": 0 to 99,99 with at most two decimals after
// a comma or a point; nothing for any other text.
std::optional<int> parseVatRate(QStringView text);

// "19", "16,5": the rate without trailing zeros and without the percent sign.
QString vatRateNumber(int rate, QChar separator);
// "19 %", "7 %", "16,5 %", "99,99 %".
QString formatVatRate(int rate, QChar separator);

// What the menu and the VAT window offer, in this order: 19 %, 7 %, the own
// rate when there is one, and "Eigener Satz …", which asks for a new one.
struct VatRateChoice {
    QString caption;
    std::optional<int> rate; // nothing: ask for an own rate
    bool chosen = false;
    bool operator==(const VatRateChoice&) const = default;
};
std::vector<VatRateChoice> vatRateChoices(const VatRates& rates, QChar separator);
inline constexpr std::size_t kMaxVatRateChoices = 4;

} // namespace numra
