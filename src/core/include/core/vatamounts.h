// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// VAT in whole cents: the amount typed is rounded to cents once, the other
// amount is computed from it with integers and rounded to cents once, and the
// tax is their difference, so net + tax = gross holds exactly.

#include "core/vatrates.h"

#include <QString>
#include <cstdint>
#include <optional>

namespace numra {

// Every amount of a calculation stays below 10 000 000 000 000 (in cents
// 10^15): with its cents it then has at most 15 significant digits, as many
// as the calculator shows, so each amount is shown exactly.
inline constexpr std::int64_t kVatCentsLimit = 1'000'000'000'000'000;

struct VatCents {
    std::int64_t net = 0;
    std::int64_t tax = 0;
    std::int64_t gross = 0;
};

// gross = net * (100 % + rate) / 100 %, or net = gross / (100 % + rate), each
// rounded to cents, halves away from zero; nothing when an amount reaches the
// limit. rate: 0 to kMaxVatRate.
std::optional<VatCents> vatFromNet(std::int64_t netCents, int rate);
std::optional<VatCents> vatFromGross(std::int64_t grossCents, int rate);

// The three amounts as the VAT window shows them.
struct VatAmounts {
    QString net;
    QString tax;
    QString gross;
    bool operator==(const VatAmounts&) const = default;
};

// The copy chooser's choice: none, or the field of its item "Brutto",
// "Netto" or "Steuer", in the chooser's order; and that field's text (empty
// for none).
enum class VatField { None = -1, Gross = 0, Net = 1, Tax = 2 };
QString vatFieldText(const VatAmounts& amounts, VatField field);

// The plain notice after copying: "Wert kopiert: 12,50".
QString vatCopyNotice(const QString& copied);

} // namespace numra
