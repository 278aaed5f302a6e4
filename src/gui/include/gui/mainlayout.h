// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The layout of the calculator window's controls other than its keys (which
// the key table describes): one row per control, in creation order.
// Positions are left, top, width, height at 96 dpi, within the window or,
// for the children of the title strip and the edit indicator's frame,
// within those.

#include <QRect>
#include <QStringView>
#include <cstddef>
#include <span>

namespace numra {

enum class WindowControl {
    EntryField,
    RoundingBox,        // "auf 2 Nachkommastellen runden"
    TitleStrip,         // drawn by the window itself, as it has no title bar
    MenuButton,
    TitleLabel,
    HelpButton,
    MinimizeButton,
    QuitButton,
    EditIndicatorFrame,
    EditIndicator,      // a check mark, shown while the entry field is editable
    PendingLine,        // what "=" will compute, between the title strip and the check box
    Edge,               // one pixel around the window, which has no frame of its own
    Count
};

inline constexpr std::size_t windowControlCount = static_cast<std::size_t>(WindowControl::Count);

enum class ControlKind { Entry, CheckBox, TitleStrip, FlatButton, Label, Frame, Picture, PendingLine, Edge };

enum class ControlParent { Window, TitleStrip, EditIndicatorFrame };

struct ControlLayout {
    WindowControl id;
    ControlKind kind;
    ControlParent parent;
    QStringView caption;        // empty when the control shows a picture
    QStringView picture;        // name of the picture, or empty
    QRect geometry;
    int tabOrder;               // -1: takes no focus by Tab
    int fontPixels;             // 0: the window's font
    QStringView hint;           // empty: none
    QStringView accessibleName;
};

std::span<const ControlLayout> windowControlLayout();

inline constexpr QSize mainClientSize{264, 331};

} // namespace numra
