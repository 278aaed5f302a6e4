// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/keys.h"

#include <array>

namespace numra {

namespace {

constexpr std::array kKeys{
    KeyInfo{Key::Digit1, u"1", "BitBtn1"},
    KeyInfo{Key::Digit2, u"2", "BitBtn2"},
    KeyInfo{Key::Digit3, u"3", "BitBtn3"},
    KeyInfo{Key::Digit4, u"4", "BitBtn4"},
    KeyInfo{Key::Digit5, u"5", "BitBtn5"},
    KeyInfo{Key::Digit6, u"6", "BitBtn6"},
    KeyInfo{Key::Digit7, u"7", "BitBtn7"},
    KeyInfo{Key::Digit8, u"8", "BitBtn8"},
    KeyInfo{Key::Digit9, u"9", "BitBtn9"},
    KeyInfo{Key::Digit0, u"0", "BitBtn10"},
    KeyInfo{Key::Point, u".", "BitBtn23"},
    KeyInfo{Key::Plus, u"+", "BitBtn11"},
    KeyInfo{Key::Minus, u"-", "BitBtn12"},
    KeyInfo{Key::Multiply, u"*", "BitBtn15"},
    KeyInfo{Key::Divide, u"/", "BitBtn14"},
    KeyInfo{Key::ClearEntry, u"CE", "BitBtn16"},
    KeyInfo{Key::Edit, u"Edit", "BitBtn22"},
    KeyInfo{Key::Equals, u"=", "BitBtn19"},
    KeyInfo{Key::Percent, u"%", "BitBtn13"},
    KeyInfo{Key::SignChange, u"+/-", "BitBtn20"},
    KeyInfo{Key::Reciprocal, u"1/x", "BitBtn24"},
    KeyInfo{Key::SquareRoot, u"\u221A", "BitBtn18"},
    KeyInfo{Key::Power, u"x^n", "BitBtn17"},
    KeyInfo{Key::Ganzzahl, u"Ganzzahl", "ButtonGanz"},
    KeyInfo{Key::MemoryIn, u"M+", "BitBtn25"},
    KeyInfo{Key::MemoryOut, u"M-", "BitBtn26"},
    KeyInfo{Key::MemoryClear, u"MC", "BitBtn27"},
    KeyInfo{Key::HexToInt, u"Hex->Int", "ButtonHex"},
    KeyInfo{Key::IntToHex, u"Int->Hex", "ButtonInt"},
    KeyInfo{Key::VatFromNet, u"Ust+", "BitBtnUst"},
    KeyInfo{Key::VatFromGross, u"Ust-", "ButtonNetto"},
    KeyInfo{Key::Clipboard, u"Kopieren", "ButtonCipboard"},
};

constexpr bool tableFollowsEnum()
{
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        if (kKeys[i].key != Key(i))
            return false;
    return kKeys.size() == keyCount;
}
static_assert(tableFollowsEnum(), "kKeys must list every Key in enum order");

} // namespace

std::span<const KeyInfo> keyTable() { return kKeys; }

const KeyInfo& keyInfo(Key key) { return kKeys[std::size_t(key)]; }

std::optional<Key> keyByCaption(QStringView caption)
{
    for (const KeyInfo& info : kKeys)
        if (info.caption == caption)
            return info.key;
    return std::nullopt;
}

std::optional<QChar> keyCharacter(Key key)
{
    if (key <= Key::Point)
        return keyInfo(key).caption.front();
    return std::nullopt;
}

} // namespace numra
