// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How amounts are shown: the decimal selector "Nachkommastellen" of a desk
// calculator (F, 0 to 4, ADD), its rounding switch ("aufrunden", "5/4",
// "abrunden") and "Tausenderpunkte". The selector and the switch decide the
// text of a result and so its value; thousands points are added only where
// a person reads the text (core/calculatorstate.h says where).

#include "eval/shownform.h"

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

namespace numra {

enum class DecimalSelector : std::uint8_t {
    Free, // the 15-digit general form; with the rounding box checked 2 places
    Places0,
    Places1,
    Places2,
    Places3,
    Places4,
    Add, // 2 places, and an amount keyed in digits alone is taken in cents
};

// In the order F3 steps through them.
inline constexpr std::array kDecimalSelectors{
    DecimalSelector::Free,    DecimalSelector::Places0, DecimalSelector::Places1, DecimalSelector::Places2,
    DecimalSelector::Places3, DecimalSelector::Places4, DecimalSelector::Add,
};

// "F", "0" ... "4", "ADD": the menu's captions, numra-eval's --places and
// the settings file.
QStringView decimalSelectorName(DecimalSelector selector);
std::optional<DecimalSelector> decimalSelectorNamed(QStringView name);
DecimalSelector nextDecimalSelector(DecimalSelector selector);

// The places a rounded result has: F and ADD round to 2.
int roundedPlaces(DecimalSelector selector);

// "auf 3 Nachkommastellen runden", "auf 1 Nachkommastelle runden".
QString roundingBoxCaption(DecimalSelector selector);

// "aufrunden", "5/4", "abrunden": the menu's captions and the settings file.
inline constexpr std::array kRoundingModes{
    RoundingMode::AwayFromZero,
    RoundingMode::HalfAwayFromZero,
    RoundingMode::TowardZero,
};
QStringView roundingModeName(RoundingMode mode);
std::optional<RoundingMode> roundingModeNamed(QStringView name);

struct AmountFormat {
    DecimalSelector selector = DecimalSelector::Free;
    RoundingMode rounding = RoundingMode::HalfAwayFromZero;
    // "Tausenderpunkte": results as a person reads them carry thousands
    // separators; the core's own texts never do.
    bool grouping = false;
    bool operator==(const AmountFormat&) const = default;
};

// A result, subtotal or total as it is shown to be read: with thousands
// separators when grouping is on. Texts that are no shown number (a
// formula, a message) come back as they are.
QString readableAmount(const QString& shown, bool grouping, QChar decimalSeparator);

} // namespace numra
