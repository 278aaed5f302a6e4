// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainlayout.h"

#include <array>

namespace numra {

namespace {

using K = ControlKind;
using C = Control;

// clang-format off
constexpr std::array<LayoutRow, static_cast<size_t>(Control::Count)> layout{{
    {C::Edit1, "Edit1", K::Entry, "", nullptr, {36, 74, 186, 24}, false, 0, 13, false, nullptr, "Eingabefeld"},
    {C::BitBtn1, "BitBtn1", K::PushButton, "1", nullptr, {73, 104, 25, 25}, false, 1, 0, false, nullptr, "1"},
    {C::BitBtn2, "BitBtn2", K::PushButton, "2", nullptr, {104, 104, 25, 25}, false, 2, 0, false, nullptr, "2"},
    {C::BitBtn3, "BitBtn3", K::PushButton, "3", nullptr, {135, 104, 25, 25}, false, 3, 0, false, nullptr, "3"},
    {C::BitBtn4, "BitBtn4", K::PushButton, "4", nullptr, {73, 135, 25, 25}, false, 4, 0, false, nullptr, "4"},
    {C::BitBtn5, "BitBtn5", K::PushButton, "5", nullptr, {104, 135, 25, 25}, false, 5, 0, false, nullptr, "5"},
    {C::BitBtn6, "BitBtn6", K::PushButton, "6", nullptr, {135, 135, 25, 25}, false, 6, 0, false, nullptr, "6"},
    {C::BitBtn7, "BitBtn7", K::PushButton, "7", nullptr, {73, 166, 25, 25}, false, 7, 0, false, nullptr, "7"},
    {C::BitBtn8, "BitBtn8", K::PushButton, "8", nullptr, {104, 166, 25, 25}, false, 8, 0, false, nullptr, "8"},
    {C::BitBtn9, "BitBtn9", K::PushButton, "9", nullptr, {135, 166, 25, 25}, false, 9, 0, false, nullptr, "9"},
    {C::BitBtn10, "BitBtn10", K::PushButton, "0", nullptr, {73, 197, 25, 25}, false, 10, 0, false, nullptr, "0"},
    {C::BitBtn11, "BitBtn11", K::PushButton, "+", nullptr, {104, 197, 25, 25}, false, 11, 16, false, nullptr, "Plus"},
    {C::BitBtn12, "BitBtn12", K::PushButton, "-", nullptr, {135, 197, 25, 25}, false, 12, 19, false, nullptr, "Minus"},
    {C::BitBtn13, "BitBtn13", K::PushButton, "%", nullptr, {166, 104, 25, 25}, false, 13, 13, false, nullptr, "Prozent"},
    {C::BitBtn14, "BitBtn14", K::PushButton, "/", nullptr, {166, 135, 25, 25}, false, 14, 13, false, "Division", "Division"},
    {C::BitBtn15, "BitBtn15", K::PushButton, "*", nullptr, {166, 166, 25, 25}, false, 15, 13, false, nullptr, "Multiplikation"},
    {C::BitBtn16, "BitBtn16", K::PushButton, "CE", nullptr, {37, 104, 30, 25}, false, 16, 0, false, nullptr, "Eingabe löschen"},
    {C::BitBtn17, "BitBtn17", K::PushButton, "", ":/numra/power.svg", {197, 104, 25, 25}, false, 17, 0, false, nullptr, "x hoch n"},
    {C::BitBtn18, "BitBtn18", K::PushButton, "√", nullptr, {197, 135, 25, 25}, false, 18, 13, false, nullptr, "Quadratwurzel"},
    {C::BitBtn19, "BitBtn19", K::PushButton, "=", nullptr, {37, 290, 163, 25}, false, 19, 0, false, nullptr, "Berechnen"},
    {C::BitBtn22, "BitBtn22", K::PushButton, "Edit", nullptr, {119, 259, 80, 25}, false, 20, 0, false, nullptr, "Edit"},
    {C::BitBtn23, "BitBtn23", K::PushButton, ".", nullptr, {197, 166, 25, 25}, false, 21, 13, false, nullptr, "Dezimalzeichen"},
    {C::BitBtn20, "BitBtn20", K::PushButton, "+/-", nullptr, {197, 197, 25, 25}, false, 22, 13, false, nullptr, "Umgekehrtes Vorzeichen"},
    {C::BitBtn24, "BitBtn24", K::PushButton, "1/x", nullptr, {166, 197, 25, 25}, false, 23, 13, false, nullptr, "1 durch x"},
    {C::BitBtn25, "BitBtn25", K::PushButton, "M+", nullptr, {37, 135, 30, 25}, false, 25, 0, true, nullptr, "In den Speicher"},
    {C::BitBtn26, "BitBtn26", K::PushButton, "M-", nullptr, {37, 166, 30, 25}, false, 26, 0, true, nullptr, "Aus dem Speicher"},
    {C::BitBtn27, "BitBtn27", K::PushButton, "MC", nullptr, {37, 197, 30, 25}, false, 27, 0, true, nullptr, "Speicher löschen"},
    {C::ButtonHex, "ButtonHex", K::PushButton, "Hex->Int", nullptr, {37, 228, 60, 25}, false, 28, 0, true,
     "Edit-Mode aktivieren, um Hexzahl eizugeben. Dann umrechnen zu Integer", "Hex->Int"},
    {C::ButtonInt, "ButtonInt", K::PushButton, "Int->Hex", nullptr, {100, 228, 60, 25}, false, 29, 0, true,
     "Umrechnen von Integer zu Hexadizimal", "Int->Hex"},
    {C::CheckBoxRunden, "CheckBoxRunden", K::CheckBox, "auf 2 Nachkommastellen runden", nullptr, {39, 51, 185, 17}, false, 30, 0, false,
     nullptr, "auf 2 Nachkommastellen runden"},
    {C::BitBtnUst, "BitBtnUst", K::PushButton, "Ust+", nullptr, {194, 228, 30, 25}, false, 31, 0, false,
     "Umsatzsteuer 19% berechnen [F7]", "Ust+"},
    {C::ButtonNetto, "ButtonNetto", K::PushButton, "Ust-", nullptr, {162, 228, 30, 25}, false, 32, 0, false,
     "Umsatzsteuer 19% berechnen [F7]", "Ust-"},
    {C::Panel4, "Panel4", K::TitleStrip, "", nullptr, {0, 0, 264, 28}, false, -1, 0, false, nullptr, "Titelleiste"},
    {C::ButtonMenu, "ButtonMenu", K::FlatButton, "", ":/numra/menu.svg", {11, -1, 28, 28}, true, -1, 0, false,
     "Show about screen", "Menü"},
    {C::Label4, "Label4", K::Label, "Calculator", nullptr, {81, 3, 69, 17}, true, -1, 13, false, nullptr, "Calculator"},
    {C::SpeedButtonHelp, "SpeedButtonHelp", K::FlatButton, "", ":/numra/help.svg", {184, -3, 22, 25}, true, -1, 0, false,
     "Hilfe anzeigen", "Hilfe"},
    {C::ButtoniMini, "ButtoniMini", K::FlatButton, "", ":/numra/minimize.svg", {209, -2, 22, 25}, true, -1, 0, false,
     nullptr, "Minimieren"},
    {C::ButtonClose, "ButtonClose", K::FlatButton, "", ":/numra/close.svg", {234, -3, 22, 25}, true, -1, 0, false,
     nullptr, "Beenden"},
    {C::ButtonGanz, "ButtonGanz", K::PushButton, "Ganzzahl", nullptr, {37, 259, 80, 25}, false, 34, 0, true,
     "Nur Ganzzahl verwenden. Nachkommastellen abschneiden", "Ganzzahl"},
    {C::PanelImage, "PanelImage", K::ImagePanel, "", nullptr, {200, 262, 22, 20}, false, -1, 0, false, nullptr, "Edit-Modus"},
    {C::Image1, "Image1", K::Image, "", ":/numra/check.svg", {0, 0, 22, 20}, false, -1, 0, false, nullptr, "Edit-Modus an"},
    {C::ButtonCipboard, "ButtonCipboard", K::PushButton, "", ":/numra/arrow.svg", {220, 75, 22, 22}, false, 36, 0, false,
     "In Zwischewnablage kopieren", "In Zwischenablage kopieren"},
}};
// clang-format on

constexpr bool inControlOrder()
{
    for (size_t i = 0; i < layout.size(); ++i)
        if (static_cast<size_t>(layout[i].id) != i)
            return false;
    return true;
}
static_assert(inControlOrder(), "rows must follow the order of enum Control");

} // namespace

std::span<const LayoutRow> mainLayout()
{
    return layout;
}

} // namespace numra
