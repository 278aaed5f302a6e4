// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys of the calculator window, each described once, in one table: its
// caption or picture, place, font, hint and name for screen readers, where
// Tab reaches it, and which keys of the keyboard click it. The
// window builds its buttons from the table, the keyboard routing and the
// hints read it, and numra-eval and the tests find keys by their captions.

#include "core/languagetable.h"

#include <QRect>
#include <QStringView>
#include <Qt>
#include <array>
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
    CutDecimals,  // "Ganzzahl"
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
    QStringView caption;        // the key's name in numra-eval; on the button unless it shows a
                                // picture or appends a character (see shownCaption)
    QStringView picture;        // name of the picture shown instead of the caption, or empty
    QStringView accessibleName;
    QStringView germanHint;     // empty: no hint; see keyHint
    QStringView englishHint;    // the German text again where the hint stays German
    QRect geometry;             // left, top, width, height in the window, at 96 dpi
    int tabOrder;               // place in the window's Tab order
    int fontPixels;             // 0: the window's font
    // What clicks it from the keyboard in keypad mode: the characters it is
    // typed as, from either block and with whatever Shift or AltGr the
    // layout takes for them, and keys that type no character.
    QStringView characters;
    std::array<Qt::Key, 2> namedKeys;
};

std::span<const KeyInfo> keyTable();
const KeyInfo& keyInfo(Key key);
// The decimal key answers to "," as well as to its caption ".".
std::optional<Key> keyByCaption(QStringView caption);

// The key that a key of the keyboard clicks in keypad mode, or nothing: by
// the character it typed, if any, else by its name (F7, Return, the dead
// circumflex).
std::optional<Key> keyBoundTo(int qtKey, std::optional<QChar> typed = std::nullopt);

// What a text key appends: its digit, or the regional decimal separator for
// the decimal key; nothing for the other keys.
std::optional<QChar> keyCharacter(Key key, QChar decimalSeparator);

// What the key's button shows: the character it appends, or its caption.
QString shownCaption(const KeyInfo& key, QChar decimalSeparator);

// The key's hint in the language; the VAT keys' hints name the chosen rate
// ("Umsatzsteuer 19% berechnen [F7]").
QString keyHint(const KeyInfo& key, Language language, int vatRate, QChar decimalSeparator);

// The keys of the keyboard that have no button; they clear what the user
// wants gone. numra-eval and the tests name them.
enum class ClearingKey {
    Backspace, // the entry's last character
    Delete,    // the whole entry
    Escape,    // the subtotal window if it is open, else entry and formula as CE
};

// "Backspace", "Delete", "Escape"
std::optional<ClearingKey> clearingKeyByName(QStringView name);

} // namespace numra
