// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stored layout of the main window (FormRech): one row per control, in
// creation order. Positions are left, top, width, height at 96 dpi, within the
// client area or, for its children, within the title strip.

#include <QRect>
#include <span>

namespace numra {

enum class Control {
    Edit1,
    BitBtn1, BitBtn2, BitBtn3, BitBtn4, BitBtn5, BitBtn6, BitBtn7, BitBtn8, BitBtn9, BitBtn10,
    BitBtn11, BitBtn12, BitBtn13, BitBtn14, BitBtn15, BitBtn16, BitBtn17, BitBtn18, BitBtn19,
    BitBtn22, BitBtn23, BitBtn20, BitBtn24, BitBtn25, BitBtn26, BitBtn27,
    ButtonHex, ButtonInt, CheckBoxRunden, BitBtnUst, ButtonNetto,
    Panel4, ButtonMenu, Label4, SpeedButtonHelp, ButtoniMini, ButtonClose,
    ButtonGanz, PanelImage, Image1, ButtonCipboard,
    Count
};

enum class ControlKind { Entry, PushButton, CheckBox, TitleStrip, FlatButton, Label, ImagePanel, Image };

struct LayoutRow {
    Control id;
    const char* name;
    ControlKind kind;
    const char* caption;        // text, or empty when the control shows a picture
    const char* picture;        // resource path of the picture, or nullptr
    QRect geometry;
    bool inTitleStrip;          // geometry relative to the title strip
    int tabOrder;               // -1: takes no focus by Tab
    int fontPixels;             // 0: the window's Tahoma 11
    bool cancel;                // Escape clicks the first of these
    const char* hint;           // hint that stays in every language, or nullptr
    const char* accessibleName;
};

std::span<const LayoutRow> mainLayout();

inline constexpr QSize mainClientSize{264, 331};

} // namespace numra
