// SPDX-License-Identifier: GPL-3.0-or-later
// The decimal selector, the rounding switch and thousands points: what they
// make "=", the subtotal window and the rounding box show.

#include "core/calculator.h"

namespace numra {

const CalculatorState& Calculator::setDecimalSelector(DecimalSelector selector)
{
    return run([&] { selectDecimals(selector); });
}

const CalculatorState& Calculator::stepDecimalSelector()
{
    return run([&] { selectDecimals(nextDecimalSelector(state_.amountFormat.selector)); });
}

const CalculatorState& Calculator::setRoundingMode(RoundingMode mode)
{
    return run([&] { state_.amountFormat.rounding = mode; });
}

const CalculatorState& Calculator::setGrouping(bool on)
{
    return run([&] {
        state_.amountFormat.grouping = on;
        tape_.setGrouping(on);
    });
}

// A checked box rounds the entry again when the places become fewer (0,667
// becomes 0,67); more places cannot bring back digits cut off before.
void Calculator::selectDecimals(DecimalSelector selector)
{
    const int placesBefore = roundedPlaces(state_.amountFormat.selector);
    state_.amountFormat.selector = selector;
    const bool rounding = selector != DecimalSelector::Free;
    if (rounding != display_.roundingChecked)
        changeRounding(rounding);
    else if (rounding && roundedPlaces(selector) < placesBefore)
        roundingChanged();
}

// The box unchecked shows results free, checked at the selected places (F
// with the box checked: 2, the box's old meaning).
ShownFormat Calculator::resultFormat() const
{
    if (!display_.roundingChecked)
        return ShownFormat{};
    return ShownFormat{roundedPlaces(state_.amountFormat.selector), state_.amountFormat.rounding};
}

// A subtotal has always had two decimals; a selected number of places
// replaces them, whatever the box says.
ShownFormat Calculator::subtotalFormat() const
{
    return ShownFormat{roundedPlaces(state_.amountFormat.selector), state_.amountFormat.rounding};
}

} // namespace numra
