#include "keys.h"

#include <array>

namespace numra {

namespace {

constexpr std::array kKeys{
    KeyInfo{Key::Digit1, u"1", "BitBtn1", "BitBtn1Click"},
    KeyInfo{Key::Digit2, u"2", "BitBtn2", "BitBtn1Click"},
    KeyInfo{Key::Digit3, u"3", "BitBtn3", "BitBtn1Click"},
    KeyInfo{Key::Digit4, u"4", "BitBtn4", "BitBtn1Click"},
    KeyInfo{Key::Digit5, u"5", "BitBtn5", "BitBtn1Click"},
    KeyInfo{Key::Digit6, u"6", "BitBtn6", "BitBtn1Click"},
    KeyInfo{Key::Digit7, u"7", "BitBtn7", "BitBtn1Click"},
    KeyInfo{Key::Digit8, u"8", "BitBtn8", "BitBtn1Click"},
    KeyInfo{Key::Digit9, u"9", "BitBtn9", "BitBtn1Click"},
    KeyInfo{Key::Digit0, u"0", "BitBtn10", "BitBtn1Click"},
    KeyInfo{Key::Point, u".", "BitBtn23", "BitBtn1Click"},
    KeyInfo{Key::Plus, u"+", "BitBtn11", "BitBtn11Click"},
    KeyInfo{Key::Minus, u"-", "BitBtn12", "BitBtn12Click"},
    KeyInfo{Key::Multiply, u"*", "BitBtn15", "BitBtn15Click"},
    KeyInfo{Key::Divide, u"/", "BitBtn14", "BitBtn14Click"},
    KeyInfo{Key::ClearEntry, u"CE", "BitBtn16", "BitBtn16Click"},
    KeyInfo{Key::Edit, u"Edit", "BitBtn22", "BitBtn22Click"},
    KeyInfo{Key::Equals, u"=", "BitBtn19", "BitBtn19Click"},
    KeyInfo{Key::Percent, u"%", "BitBtn13", "BitBtn13Click"},
    KeyInfo{Key::SignChange, u"+/-", "BitBtn20", "BitBtn20Click"},
    KeyInfo{Key::Reciprocal, u"1/x", "BitBtn24", "BitBtn24Click"},
    KeyInfo{Key::SquareRoot, u"\u221A", "BitBtn18", "BitBtn18Click"},
    KeyInfo{Key::Power, u"x^n", "BitBtn17", "BitBtn17Click"},
    KeyInfo{Key::Ganzzahl, u"Ganzzahl", "ButtonGanz", "ButtonGanzClick"},
    KeyInfo{Key::MemoryIn, u"M+", "BitBtn25", "BitBtn25Click"},
    KeyInfo{Key::MemoryOut, u"M-", "BitBtn26", "BitBtn26Click"},
    KeyInfo{Key::MemoryClear, u"MC", "BitBtn27", "BitBtn27Click"},
    KeyInfo{Key::HexToInt, u"Hex->Int", "ButtonHex", "ButtonHexClick"},
    KeyInfo{Key::IntToHex, u"Int->Hex", "ButtonInt", "ButtonIntClick"},
    KeyInfo{Key::VatFromNet, u"Ust+", "BitBtnUst", "BitBtnUstClick"},
    KeyInfo{Key::VatFromGross, u"Ust-", "ButtonNetto", "ButtonNettoClick"},
    KeyInfo{Key::Clipboard, u"Kopieren", "ButtonCipboard", "ButtonCipboardClick"},
};

constexpr bool tableFollowsEnum()
{
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        if (kKeys[i].key != Key(i))
            return false;
    return kKeys.back().key == Key::Clipboard;
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
