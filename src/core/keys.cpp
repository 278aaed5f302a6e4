// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/keys.h"

#include "core/vatrates.h"

#include <algorithm>

namespace numra {

namespace {

// Hints that stay German in every language.
constexpr QStringView kDivisionHint = u"Division";
constexpr QStringView kHexToIntHint = u"Edit-Mode aktivieren, um Hexzahl eizugeben. Dann umrechnen zu Integer";
constexpr QStringView kIntToHexHint = u"Umrechnen von Integer zu Hexadizimal";
// "%1" is the chosen rate, without its blank before the percent sign.
constexpr QStringView kVatFromNetHint = u"Umsatzsteuer %1% berechnen [F7]";
constexpr QStringView kVatFromGrossHint = u"Umsatzsteuer %1% berechnen [F6]";
constexpr QStringView kCutDecimalsHint = u"Nur Ganzzahl verwenden. Nachkommastellen abschneiden";
constexpr QStringView kClipboardHint = u"In Zwischewnablage kopieren";

using K = Key;

// Return is bound here so that the entry field does not click "=" a second
// time; the German key left of "1" types "^", as a dead key or not. The
// characters count, not the keys' places: "*" is Shift and "+" on German
// keyboards, "/" Shift and 7, "+" Shift and 1 on Swiss ones.
// clang-format off
constexpr std::array<KeyInfo, keyCount> kKeys{{
    // key, caption, picture, accessible name, German hint, English hint,
    // geometry, tab order, font pixels, characters, named keys
    {K::Digit1, u"1", {}, u"1", {}, {}, {73, 104, 25, 25}, 1, 0, u"1", {}},
    {K::Digit2, u"2", {}, u"2", {}, {}, {104, 104, 25, 25}, 2, 0, u"2", {}},
    {K::Digit3, u"3", {}, u"3", {}, {}, {135, 104, 25, 25}, 3, 0, u"3", {}},
    {K::Digit4, u"4", {}, u"4", {}, {}, {73, 135, 25, 25}, 4, 0, u"4", {}},
    {K::Digit5, u"5", {}, u"5", {}, {}, {104, 135, 25, 25}, 5, 0, u"5", {}},
    {K::Digit6, u"6", {}, u"6", {}, {}, {135, 135, 25, 25}, 6, 0, u"6", {}},
    {K::Digit7, u"7", {}, u"7", {}, {}, {73, 166, 25, 25}, 7, 0, u"7", {}},
    {K::Digit8, u"8", {}, u"8", {}, {}, {104, 166, 25, 25}, 8, 0, u"8", {}},
    {K::Digit9, u"9", {}, u"9", {}, {}, {135, 166, 25, 25}, 9, 0, u"9", {}},
    {K::Digit0, u"0", {}, u"0", {}, {}, {73, 197, 25, 25}, 10, 0, u"0", {}},
    {K::Point, u".", {}, u"Dezimalzeichen", u"Dezimalzeichen", u"Decimal separator",
     {197, 166, 25, 25}, 21, 13, u",.", {}},
    {K::Plus, u"+", {}, u"Plus", {}, {}, {104, 197, 25, 25}, 11, 16, u"+", {}},
    {K::Minus, u"-", {}, u"Minus", {}, {}, {135, 197, 25, 25}, 12, 19, u"-", {}},
    {K::Multiply, u"*", {}, u"Multiplikation", u"Multiplikation", u"Multiplication",
     {166, 166, 25, 25}, 15, 13, u"*", {}},
    {K::Divide, u"/", {}, u"Division", kDivisionHint, kDivisionHint,
     {166, 135, 25, 25}, 14, 13, u"/", {}},
    {K::ClearEntry, u"CE", {}, u"Eingabe löschen", u"Eingabe löschen [F9]", u"Clear input",
     {37, 104, 30, 25}, 16, 0, {}, {Qt::Key_F9}},
    {K::Edit, u"Edit", {}, u"Edit", u"Berechnung/Formel direkt ins Textfeld eingeben",
     u"Enter calculation/formula into textbox", {119, 259, 80, 25}, 20, 0, {}, {}},
    {K::Equals, u"=", {}, u"Berechnen", u"Berechnen", u"Calculate",
     {37, 290, 163, 25}, 19, 0, u"=", {Qt::Key_Return, Qt::Key_Enter}},
    {K::Percent, u"%", {}, u"Prozent", u"Prozent [F8]", u"Percent",
     {166, 104, 25, 25}, 13, 13, u"%", {Qt::Key_F8}},
    {K::SignChange, u"+/-", {}, u"Umgekehrtes Vorzeichen", u"Umgekehrtes Vorzeichen", u"Opposite sign",
     {197, 197, 25, 25}, 22, 13, {}, {}},
    {K::Reciprocal, u"1/x", {}, u"1 durch x", u"1 durch x", u"1 over x",
     {166, 197, 25, 25}, 23, 13, {}, {}},
    {K::SquareRoot, u"\u221A", {}, u"Quadratwurzel", u"Quadratwurzel", u"Square root",
     {197, 135, 25, 25}, 18, 13, {}, {}},
    {K::Power, u"x^n", u"power", u"x hoch n", u"x hoch n", u"x to the power of n",
     {197, 104, 25, 25}, 17, 0, u"^", {Qt::Key_Dead_Circumflex}},
    {K::CutDecimals, u"Ganzzahl", {}, u"Ganzzahl", kCutDecimalsHint, kCutDecimalsHint,
     {37, 259, 80, 25}, 34, 0, {}, {}},
    {K::MemoryIn, u"M+", {}, u"In den Speicher", u"In den Speicher", u"Memory in",
     {37, 135, 30, 25}, 25, 0, {}, {}},
    {K::MemoryOut, u"M-", {}, u"Aus dem Speicher", u"Aus dem Speicher", u"Memory out",
     {37, 166, 30, 25}, 26, 0, {}, {}},
    {K::MemoryClear, u"MC", {}, u"Speicher löschen", u"Speicher löschen", u"Memory clear",
     {37, 197, 30, 25}, 27, 0, {}, {}},
    {K::HexToInt, u"Hex->Int", {}, u"Hex->Int", kHexToIntHint, kHexToIntHint,
     {37, 228, 60, 25}, 28, 0, {}, {}},
    {K::IntToHex, u"Int->Hex", {}, u"Int->Hex", kIntToHexHint, kIntToHexHint,
     {100, 228, 60, 25}, 29, 0, {}, {}},
    {K::VatFromNet, u"Ust+", {}, u"Ust+", kVatFromNetHint, kVatFromNetHint,
     {194, 228, 30, 25}, 31, 0, {}, {Qt::Key_F7}},
    {K::VatFromGross, u"Ust-", {}, u"Ust-", kVatFromGrossHint, kVatFromGrossHint,
     {162, 228, 30, 25}, 32, 0, {}, {Qt::Key_F6}},
    {K::Clipboard, u"Kopieren", u"arrow", u"In Zwischenablage kopieren", kClipboardHint, kClipboardHint,
     {220, 75, 22, 22}, 36, 0, {}, {}},
}};
// clang-format on

constexpr bool tableFollowsEnum()
{
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        if (kKeys[i].key != Key(i))
            return false;
    return true;
}
static_assert(tableFollowsEnum(), "kKeys must list every Key in enum order");

constexpr bool noCharacterOrNamedKeyClicksTwoKeys()
{
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        for (std::size_t j = i + 1; j < kKeys.size(); ++j) {
            const QStringView mine = kKeys[i].characters;
            const QStringView theirs = kKeys[j].characters;
            for (qsizetype c = 0; c < mine.size(); ++c)
                for (qsizetype d = 0; d < theirs.size(); ++d)
                    if (mine[c] == theirs[d])
                        return false;
            for (const Qt::Key k : kKeys[i].namedKeys)
                for (const Qt::Key l : kKeys[j].namedKeys)
                    if (k == l && k != Qt::Key(0))
                        return false;
        }
    return true;
}
static_assert(noCharacterOrNamedKeyClicksTwoKeys(), "a key of the keyboard clicks two keys");

} // namespace

std::span<const KeyInfo> keyTable() { return kKeys; }

const KeyInfo& keyInfo(Key key) { return kKeys[std::size_t(key)]; }

std::optional<Key> keyByCaption(QStringView caption)
{
    if (caption == u",")
        return Key::Point;
    for (const KeyInfo& info : kKeys)
        if (info.caption == caption)
            return info.key;
    return std::nullopt;
}

std::optional<ClearingKey> clearingKeyByName(QStringView name)
{
    constexpr std::array<std::pair<QStringView, ClearingKey>, 3> kNames{{
        {u"Backspace", ClearingKey::Backspace},
        {u"Delete", ClearingKey::Delete},
        {u"Escape", ClearingKey::Escape},
    }};
    for (const auto& [keyName, key] : kNames)
        if (keyName == name)
            return key;
    return std::nullopt;
}

std::optional<Key> keyBoundTo(int qtKey, std::optional<QChar> typed)
{
    for (const KeyInfo& info : kKeys) {
        const bool named = std::find(info.namedKeys.begin(), info.namedKeys.end(), qtKey) != info.namedKeys.end();
        if (typed ? info.characters.contains(*typed) : qtKey != 0 && named)
            return info.key;
    }
    return std::nullopt;
}

std::optional<QChar> keyCharacter(Key key, QChar decimalSeparator)
{
    if (key == Key::Point)
        return decimalSeparator;
    if (key < Key::Point)
        return keyInfo(key).caption.front();
    return std::nullopt;
}

QString shownCaption(const KeyInfo& key, QChar decimalSeparator)
{
    if (const auto character = keyCharacter(key.key, decimalSeparator))
        return QString(*character);
    return key.caption.toString();
}

QString keyHint(const KeyInfo& key, Language language, int vatRate, QChar decimalSeparator)
{
    const QString hint = (language == Language::German ? key.germanHint : key.englishHint).toString();
    if (key.key == Key::VatFromNet || key.key == Key::VatFromGross)
        return hint.arg(vatRateNumber(vatRate, decimalSeparator));
    return hint;
}

} // namespace numra
