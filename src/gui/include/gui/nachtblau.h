// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Nachtblau", Numra's visual style: navy keys with a bevel, fields sunk in
// with a one-pixel edge, flat picture buttons that light up under the mouse,
// a navy menu, tooltip and table head, and a light ground for the dialogs
// whose layouts give them no colour. A small proxy over Qt's Fusion style,
// which draws everything this one leaves alone, so that the look does not
// depend on the desktop. The colours, fonts and places that the layouts give
// are the layouts'; the style does not touch them.

#include <QProxyStyle>
#include <QStyleOption>
#include <span>

namespace numra::nachtblau {

// Every colour of the style, each once.
enum class Colour {
    Key,             // a key's face
    KeyHovered,      // under the mouse
    KeyPressed,
    KeyText,
    KeyTextDisabled,
    BevelLight,      // a key's upper and left edge
    BevelDark,       // its lower and right edge; the whole edge while it is pressed
    FocusOnDark,     // the ring round what has the keyboard focus, on a dark ground
    FocusOnLight,    // and on a light one
    FieldEdgeUpper,  // a field's upper and left edge: it lies sunk in
    FieldEdgeLower,
    FlatHovered,     // laid over a flat picture button under the mouse
    FlatPressed,
    Selection,       // selected text in a field
    SelectionText,
    GroupEdge,       // the rounded edge round a group of choices
    DialogGround,    // dialogs without a colour of their own, message boxes
    CalculatorGround, // the calculator and its tape window: white and black text both reach 4.5:1
    Menu,
    MenuText,
    MenuHighlight,   // the item under the mouse, and the separators
    MenuEdge,
    ToolTip,
    ToolTipText,
    ToolTipEdge,
    Table,           // the rows of a table (the tape)
    TableAlternate,  // every other row
    TableText,
    TableEdge,
    TableSelection,
    TableSelectionText,
    TableHead,
    TableHeadText,
    TableHeadDivider,
    TableErrorText,  // a row of the tape that could not be computed
    TablePlaceholder, // the hint in the tape's empty last row
    Count
};

// The standard look, and "Hoher Kontrast": white and yellow on black, every
// text 7:1 or more against its ground.
enum class Look { Standard, HighContrast };

QColor colour(Colour role, Look look);
// In the look of the application's style.
QColor colour(Colour role);

// The keyboard focus is a ring this wide, in the focus colour that stands
// out from the ground it lies on (and from the ground round it: the light
// ring is as clear on the calculator's grey as on a navy key).
inline constexpr int focusRingWidth = 2;
QColor focusColourOn(const QColor& ground, Look look);
QColor focusColourOn(const QColor& ground);

// Where the style draws the focus ring: on the ground inside it, and on the
// ground outside.
struct FocusOnGround {
    const char* where;
    Colour inside;
    Colour outside;
};
std::span<const FocusOnGround> focusRings();

// Where the style draws text: the text's colour and the colour behind it.
struct TextOnGround {
    const char* where;
    Colour text;
    Colour ground;
};
std::span<const TextOnGround> textsOnGrounds();

class Style : public QProxyStyle {
public:
    explicit Style(Look look = Look::Standard);
    Look look() const { return look_; }

    using QProxyStyle::polish;
    using QProxyStyle::unpolish;
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contentsSize,
                           const QWidget* widget) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl subControl,
                         const QWidget* widget) const override;

private:
    void polishForHighContrast(QWidget* widget) const;

    Look look_;

    void drawKeyWithCaption(const QStyleOptionButton* key, QPainter* painter, const QWidget* widget) const;
    void drawCheckBox(const QStyleOptionButton* box, bool radio, QPainter* painter, const QWidget* widget) const;
    void drawHeadSectionWithCaption(const QStyleOptionHeader* head, QPainter* painter, const QWidget* widget) const;
    void drawGroupBox(const QStyleOptionGroupBox* group, QPainter* painter, const QWidget* widget) const;
    void drawMenuItem(const QStyleOptionMenuItem* item, QPainter* painter, const QWidget* widget) const;
    QRect checkBoxFocusRect(const QStyleOption* option, const QWidget* widget) const;
    QRect groupBoxRect(const QStyleOptionGroupBox* group, SubControl subControl) const;
    static QSize menuItemSize(const QStyleOption* option, QSize contentsSize);

    // Room inside the edges: beside a field's text, round the captions of
    // the table's head, in the menu and its items, in a tooltip.
    static constexpr int fieldTextPadding = 2;
    static constexpr QMargins headPadding{4, 2, 4, 2};
    static constexpr int menuPadding = 2;
    static constexpr QMargins menuItemPadding{14, 3, 18, 3};
    static constexpr QMargins menuSeparatorMargins{4, 3, 4, 3};
    static constexpr int menuCheckColumn = 14;
    static constexpr int menuCheckGap = 4; // measured into an item's width, not drawn
    static constexpr int toolTipPadding = 2;
    // The rounded face of a flat picture button under the mouse.
    static constexpr int flatHoverRadius = 4;
    // The check boxes' and radio buttons' marks, and the room to their text.
    static constexpr int indicatorSide = 11;
    static constexpr int indicatorFontPixels = 11; // the mark grows with a larger font (the zoom)
    static constexpr int indicatorSpacing = 4;
    // A group box's edge lies this far below its top, through the middle of
    // its title, which starts this far from its left; the title has the
    // padding on each side and room beside its text.
    static constexpr int groupEdgeTop = 7;
    static constexpr int groupEdgeRadius = 3;
    static constexpr int groupTitleLeft = 8;
    static constexpr int groupTitlePadding = 2;
    static constexpr int groupTitleRoom = 4;
    // A message box's buttons are at least this large.
    static constexpr QSize messageButtonMinimum{72, 24};
};

} // namespace numra::nachtblau
