// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainlayout.h"

#include <array>

namespace numra {

namespace {

using C = WindowControl;
using K = ControlKind;
using P = ControlParent;

// The menu button's hint names the about screen, although the button opens
// the menu.
// clang-format off
constexpr std::array<ControlLayout, windowControlCount> layout{{
    {C::EntryField, K::Entry, P::Window, {}, {}, {36, 74, 186, 24}, 0, 13, {}, u"Eingabefeld"},
    {C::RoundingBox, K::CheckBox, P::Window, u"auf 2 Nachkommastellen runden", {}, {39, 51, 185, 17}, 30, 0,
     {}, u"auf 2 Nachkommastellen runden"},
    {C::TitleStrip, K::TitleStrip, P::Window, {}, {}, {0, 0, 264, 28}, -1, 0, {}, u"Titelleiste"},
    {C::MenuButton, K::FlatButton, P::TitleStrip, {}, u"menu", {11, -1, 28, 28}, -1, 0, u"Show about screen", u"Menü"},
    {C::TitleLabel, K::Label, P::TitleStrip, u"Calculator", {}, {81, 3, 69, 17}, -1, 13, {}, u"Calculator"},
    {C::HelpButton, K::FlatButton, P::TitleStrip, {}, u"help", {184, -3, 22, 25}, -1, 0, u"Hilfe anzeigen", u"Hilfe"},
    {C::MinimizeButton, K::FlatButton, P::TitleStrip, {}, u"minimize", {209, -2, 22, 25}, -1, 0, {}, u"Minimieren"},
    {C::QuitButton, K::FlatButton, P::TitleStrip, {}, u"close", {234, -3, 22, 25}, -1, 0, {}, u"Beenden"},
    {C::EditIndicatorFrame, K::Frame, P::Window, {}, {}, {200, 262, 22, 20}, -1, 0, {}, u"Edit-Modus"},
    {C::EditIndicator, K::Picture, P::EditIndicatorFrame, {}, u"check", {0, 0, 22, 20}, -1, 0, {},
     u"Edit-Modus an"},
    {C::PendingLine, K::PendingLine, P::Window, {}, {}, {36, 31, 186, 17}, -1, 0, {}, u"Ausstehende Berechnung"},
    {C::Edge, K::Edge, P::Window, {}, {}, {0, 0, 264, 331}, -1, 0, {}, u"Fensterrand"},
}};
// clang-format on

constexpr bool inControlOrder()
{
    for (std::size_t i = 0; i < layout.size(); ++i)
        if (static_cast<std::size_t>(layout[i].id) != i)
            return false;
    return true;
}
static_assert(inControlOrder(), "rows must follow the order of enum WindowControl");

} // namespace

std::span<const ControlLayout> windowControlLayout() { return layout; }

} // namespace numra
