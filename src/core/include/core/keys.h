// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys of the calculator window: one value per button, with the caption
// numra-eval and the tests use and the control's name in the window layout.
// The click handler each key runs is named beside it in calculator.h.

#include <QStringView>
#include <cstddef>
#include <optional>
#include <span>

namespace numra {

enum class Key {
    Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9, Digit0,
    Point,
    Plus, Minus, Multiply, Divide,
    ClearEntry, // "CE"
    Edit,
    Equals,
    Percent,
    SignChange,   // "+/-"
    Reciprocal,   // "1/x"
    SquareRoot,
    Power,        // first step of x^n
    Ganzzahl,     // cut off the decimals
    MemoryIn,     // "M+"
    MemoryOut,    // "M-"
    MemoryClear,  // "MC"
    HexToInt,
    IntToHex,
    VatFromNet,   // "Ust+"
    VatFromGross, // "Ust-"
    Clipboard,
};

inline constexpr std::size_t keyCount = static_cast<std::size_t>(Key::Clipboard) + 1;

struct KeyInfo {
    Key key;
    QStringView caption; // the button's caption; a name for picture buttons
    const char* control; // name in the window layout
};

std::span<const KeyInfo> keyTable();
const KeyInfo& keyInfo(Key key);
std::optional<Key> keyByCaption(QStringView caption);

// The digit or "." a text key appends, or nothing for the other keys.
std::optional<QChar> keyCharacter(Key key);

} // namespace numra
