// SPDX-License-Identifier: GPL-3.0-or-later
// Nachtblau: its colours, what it sets on the widgets it draws, and its
// sizes and places. The drawing itself is in nachtblaudrawing.cpp.

#include "gui/nachtblau.h"

#include "gui/fixeddialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QTableView>
#include <QVariant>
#include <array>

namespace numra::nachtblau {

namespace {

struct ColourEntry {
    Colour role;
    QRgb standard;
    QRgb highContrast; // "Hoher Kontrast": white and yellow on black
};

// clang-format off
constexpr std::array<ColourEntry, std::size_t(Colour::Count)> colourTable{{
    {Colour::Key,                qRgb(0x27, 0x35, 0x6b), qRgb(0x00, 0x00, 0x00)},
    {Colour::KeyHovered,         qRgb(0x34, 0x46, 0x8a), qRgb(0x24, 0x24, 0x24)},
    {Colour::KeyPressed,         qRgb(0x14, 0x1d, 0x42), qRgb(0x00, 0x00, 0x80)},
    {Colour::KeyText,            qRgb(0xff, 0xff, 0xff), qRgb(0xff, 0xff, 0xff)},
    {Colour::KeyTextDisabled,    qRgb(0xa4, 0xac, 0xc4), qRgb(0xc0, 0xc0, 0xc0)},
    {Colour::BevelLight,         qRgb(0x5d, 0x74, 0xb6), qRgb(0xff, 0xff, 0xff)},
    {Colour::BevelDark,          qRgb(0x0b, 0x12, 0x30), qRgb(0x80, 0x80, 0x80)},
    {Colour::FocusOnDark,        qRgb(0xff, 0xd5, 0x4a), qRgb(0xff, 0xff, 0x00)},
    {Colour::FocusOnLight,       qRgb(0x00, 0x00, 0x00), qRgb(0x00, 0x00, 0x00)},
    {Colour::FieldEdgeUpper,     qRgb(0x6b, 0x74, 0x90), qRgb(0xff, 0xff, 0xff)},
    {Colour::FieldEdgeLower,     qRgb(0x9a, 0xa3, 0xb8), qRgb(0xff, 0xff, 0xff)},
    {Colour::FlatHovered,        qRgba(0xff, 0xff, 0xff, 40), qRgba(0xff, 0xff, 0xff, 70)},
    {Colour::FlatPressed,        qRgba(0x00, 0x00, 0x28, 60), qRgba(0xff, 0xff, 0x00, 90)},
    {Colour::Selection,          qRgb(0x1b, 0x26, 0x54), qRgb(0xff, 0xff, 0x00)},
    {Colour::SelectionText,      qRgb(0xff, 0xff, 0xff), qRgb(0x00, 0x00, 0x00)},
    {Colour::GroupEdge,          qRgb(0x6b, 0x74, 0x90), qRgb(0xff, 0xff, 0xff)},
    {Colour::DialogGround,       qRgb(0xdd, 0xe1, 0xea), qRgb(0x00, 0x00, 0x00)},
    {Colour::CalculatorGround,   qRgb(0x76, 0x76, 0x76), qRgb(0x00, 0x00, 0x00)},
    {Colour::Menu,               qRgb(0x1b, 0x26, 0x54), qRgb(0x00, 0x00, 0x00)},
    {Colour::MenuText,           qRgb(0xff, 0xff, 0xff), qRgb(0xff, 0xff, 0xff)},
    {Colour::MenuHighlight,      qRgb(0x4a, 0x5f, 0x9c), qRgb(0x00, 0x00, 0x80)},
    {Colour::MenuEdge,           qRgb(0x0b, 0x12, 0x30), qRgb(0xff, 0xff, 0xff)},
    {Colour::ToolTip,            qRgb(0x1b, 0x26, 0x54), qRgb(0x00, 0x00, 0x00)},
    {Colour::ToolTipText,        qRgb(0xff, 0xff, 0xff), qRgb(0xff, 0xff, 0xff)},
    {Colour::ToolTipEdge,        qRgb(0x9f, 0xc0, 0xff), qRgb(0xff, 0xff, 0x00)},
    {Colour::Table,              qRgb(0xf0, 0xf0, 0xf0), qRgb(0x00, 0x00, 0x00)},
    {Colour::TableAlternate,     qRgb(0xe2, 0xe5, 0xec), qRgb(0x1c, 0x1c, 0x1c)},
    {Colour::TableText,          qRgb(0x00, 0x00, 0x00), qRgb(0xff, 0xff, 0xff)},
    {Colour::TableEdge,          qRgb(0x6b, 0x74, 0x90), qRgb(0xff, 0xff, 0xff)},
    {Colour::TableSelection,     qRgb(0x1b, 0x26, 0x54), qRgb(0xff, 0xff, 0x00)},
    {Colour::TableSelectionText, qRgb(0xff, 0xff, 0xff), qRgb(0x00, 0x00, 0x00)},
    {Colour::TableHead,          qRgb(0x27, 0x35, 0x6b), qRgb(0x00, 0x00, 0x80)},
    {Colour::TableHeadText,      qRgb(0xff, 0xff, 0xff), qRgb(0xff, 0xff, 0xff)},
    {Colour::TableHeadDivider,   qRgb(0x0b, 0x12, 0x30), qRgb(0xff, 0xff, 0xff)},
    {Colour::TableErrorText,     qRgb(0xa8, 0x00, 0x1c), qRgb(0xff, 0x90, 0x90)},
    {Colour::TablePlaceholder,   qRgb(0x55, 0x5b, 0x6b), qRgb(0xc0, 0xc0, 0xc0)},
}};
// clang-format on

constexpr bool tableFollowsEnum()
{
    for (std::size_t i = 0; i < colourTable.size(); ++i)
        if (colourTable[i].role != Colour(i))
            return false;
    return true;
}
static_assert(tableFollowsEnum(), "colourTable must list every Colour in enum order");

constexpr std::array textsOnGroundsTable{
    TextOnGround{"a key", Colour::KeyText, Colour::Key},
    TextOnGround{"a key under the mouse", Colour::KeyText, Colour::KeyHovered},
    TextOnGround{"a pressed key", Colour::KeyText, Colour::KeyPressed},
    TextOnGround{"a disabled key", Colour::KeyTextDisabled, Colour::Key},
    TextOnGround{"selected text in a field", Colour::SelectionText, Colour::Selection},
    TextOnGround{"the menu", Colour::MenuText, Colour::Menu},
    TextOnGround{"the menu item under the mouse", Colour::MenuText, Colour::MenuHighlight},
    TextOnGround{"a tooltip", Colour::ToolTipText, Colour::ToolTip},
    TextOnGround{"a row of the table", Colour::TableText, Colour::Table},
    TextOnGround{"every other row of the table", Colour::TableText, Colour::TableAlternate},
    TextOnGround{"the selected row of the table", Colour::TableSelectionText, Colour::TableSelection},
    TextOnGround{"the table's head", Colour::TableHeadText, Colour::TableHead},
    TextOnGround{"an error row of the table", Colour::TableErrorText, Colour::Table},
    TextOnGround{"an error row of the table, every other row", Colour::TableErrorText, Colour::TableAlternate},
    TextOnGround{"the hint in the table's last row", Colour::TablePlaceholder, Colour::Table},
    TextOnGround{"the hint in the table's last row, every other row", Colour::TablePlaceholder,
                 Colour::TableAlternate},
};

constexpr std::array focusRingsTable{
    FocusOnGround{"a key, inside its dark edge", Colour::Key, Colour::BevelDark},
    FocusOnGround{"a key under the mouse", Colour::KeyHovered, Colour::BevelDark},
    FocusOnGround{"a pressed key", Colour::KeyPressed, Colour::BevelDark},
    FocusOnGround{"the check box on the calculator", Colour::CalculatorGround, Colour::CalculatorGround},
    FocusOnGround{"a choice in a dialog", Colour::DialogGround, Colour::DialogGround},
    FocusOnGround{"the entry field", Colour::Table, Colour::CalculatorGround},
    FocusOnGround{"a field of a dialog", Colour::Table, Colour::DialogGround},
    FocusOnGround{"a row of the table", Colour::Table, Colour::Table},
    FocusOnGround{"every other row of the table", Colour::TableAlternate, Colour::TableAlternate},
    FocusOnGround{"the selected row of the table", Colour::TableSelection, Colour::TableSelection},
};

constexpr char paletteBeforeHighContrast[] = "numraPaletteBeforeHighContrast";

void setColours(QWidget* widget, Look look, std::initializer_list<std::pair<QPalette::ColorRole, Colour>> roles)
{
    QPalette palette = widget->palette();
    for (const auto& [role, value] : roles)
        palette.setColor(role, colour(value, look));
    widget->setPalette(palette);
}

bool isCheckBoxOrRadioButton(const QWidget* widget)
{
    return qobject_cast<const QCheckBox*>(widget) || qobject_cast<const QRadioButton*>(widget);
}

bool inMessageBox(const QWidget* widget)
{
    return widget && qobject_cast<const QMessageBox*>(widget->window());
}

} // namespace

QColor colour(Colour role, Look look)
{
    const ColourEntry& entry = colourTable[std::size_t(role)];
    return QColor::fromRgba(look == Look::HighContrast ? entry.highContrast : entry.standard);
}

// The look of the style the application draws with.
QColor colour(Colour role)
{
    const auto* style = dynamic_cast<const Style*>(QApplication::style());
    return colour(role, style ? style->look() : Look::Standard);
}

std::span<const TextOnGround> textsOnGrounds()
{
    return textsOnGroundsTable;
}

std::span<const FocusOnGround> focusRings()
{
    return focusRingsTable;
}

// Light on anything darker than the calculator's grey, dark on the rest.
QColor focusColourOn(const QColor& ground, Look look)
{
    return ground.lightnessF() <= colour(Colour::CalculatorGround, Look::Standard).lightnessF()
        ? colour(Colour::FocusOnDark, look)
        : colour(Colour::FocusOnLight, look);
}

QColor focusColourOn(const QColor& ground)
{
    const auto* style = dynamic_cast<const Style*>(QApplication::style());
    return focusColourOn(ground, style ? style->look() : Look::Standard);
}

Style::Style(Look look) : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), look_(look) {}

// Colours that widgets paint themselves from their palettes: the keys'
// captions, selections, the table's rows, the tooltip. A dialog whose layout
// gives it no colour of its own takes the dialogs' light ground.
void Style::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    if (look_ == Look::HighContrast) {
        polishForHighContrast(widget);
        return;
    }
    if (qobject_cast<QPushButton*>(widget)) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Button, colour(Colour::Key, look_));
        palette.setColor(QPalette::ButtonText, colour(Colour::KeyText, look_));
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, colour(Colour::KeyTextDisabled, look_));
        widget->setPalette(palette);
        // A key lights up once the mouse moves onto it, not when its window
        // opens under a pointer that stands still.
        widget->setMouseTracking(true);
    } else if (qobject_cast<QLineEdit*>(widget)) {
        setColours(widget, look_,
                   {{QPalette::Highlight, Colour::Selection}, {QPalette::HighlightedText, Colour::SelectionText}});
    } else if (qobject_cast<QTableView*>(widget)) {
        setColours(widget, look_, {{QPalette::Base, Colour::Table},
                            {QPalette::AlternateBase, Colour::TableAlternate},
                            {QPalette::Text, Colour::TableText},
                            {QPalette::Highlight, Colour::TableSelection},
                            {QPalette::HighlightedText, Colour::TableSelectionText}});
    } else if (widget->inherits("QTipLabel")) {
        setColours(widget, look_, {{QPalette::ToolTipBase, Colour::ToolTip}, {QPalette::ToolTipText, Colour::ToolTipText}});
    } else if (qobject_cast<QMessageBox*>(widget)
               || (dynamic_cast<FixedDialog*>(widget) && !widget->testAttribute(Qt::WA_SetPalette))) {
        setColours(widget, look_, {{QPalette::Window, Colour::DialogGround}});
    }
}

// Every widget takes the whole palette of the look, whatever colours its
// layout gives it; what it had comes back with the standard look.
void Style::polishForHighContrast(QWidget* widget) const
{
    if (!widget->property(paletteBeforeHighContrast).isValid())
        widget->setProperty(paletteBeforeHighContrast,
                            widget->testAttribute(Qt::WA_SetPalette) ? QVariant(widget->palette()) : QVariant(false));
    QPalette palette = widget->palette();
    const std::pair<QPalette::ColorRole, Colour> roles[] = {
        {QPalette::Window, Colour::DialogGround},   {QPalette::WindowText, Colour::KeyText},
        {QPalette::Base, Colour::Table},            {QPalette::AlternateBase, Colour::TableAlternate},
        {QPalette::Text, Colour::TableText},        {QPalette::Button, Colour::Key},
        {QPalette::ButtonText, Colour::KeyText},    {QPalette::Highlight, Colour::Selection},
        {QPalette::HighlightedText, Colour::SelectionText}, {QPalette::ToolTipBase, Colour::ToolTip},
        {QPalette::ToolTipText, Colour::ToolTipText}, {QPalette::Link, Colour::FocusOnDark},
        {QPalette::BrightText, Colour::KeyText},    {QPalette::PlaceholderText, Colour::KeyTextDisabled},
    };
    for (const auto& [role, value] : roles)
        palette.setColor(role, colour(value, look_));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, colour(Colour::KeyTextDisabled, look_));
    if (qobject_cast<QTableView*>(widget)) {
        palette.setColor(QPalette::Highlight, colour(Colour::TableSelection, look_));
        palette.setColor(QPalette::HighlightedText, colour(Colour::TableSelectionText, look_));
    }
    widget->setPalette(palette);
    if (qobject_cast<QPushButton*>(widget))
        widget->setMouseTracking(true);
}

void Style::unpolish(QWidget* widget)
{
    const QVariant before = widget->property(paletteBeforeHighContrast);
    if (before.isValid()) {
        widget->setProperty(paletteBeforeHighContrast, QVariant());
        widget->setPalette(before.typeId() == QMetaType::QPalette ? before.value<QPalette>() : QPalette());
    }
    QProxyStyle::unpolish(widget);
}

int Style::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
        if (isCheckBoxOrRadioButton(widget))
            return std::max(indicatorSide, indicatorSide * widget->font().pixelSize() / indicatorFontPixels);
        break;
    case PM_CheckBoxLabelSpacing:
    case PM_RadioButtonLabelSpacing:
        if (isCheckBoxOrRadioButton(widget))
            return indicatorSpacing;
        break;
    case PM_ToolTipLabelFrameWidth:
        return 2 * (1 + toolTipPadding); // the edge and the padding, outside and inside the margin
    case PM_MenuPanelWidth:
        return 1;
    case PM_DefaultFrameWidth:
        if (qobject_cast<const QTableView*>(widget))
            return focusRingWidth;
        break;
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return menuPadding;
    default:
        break;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

// The keys and fields have an edge of one pixel, the sections of the table's
// head and the menu items their padding.
QSize Style::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contentsSize,
                              const QWidget* widget) const
{
    switch (type) {
    case CT_PushButton: {
        QSize size = contentsSize + QSize(2, 2);
        return inMessageBox(widget) ? size.expandedTo(messageButtonMinimum) : size;
    }
    case CT_LineEdit:
        return contentsSize + QSize(2 + 2 * fieldTextPadding, 2);
    case CT_CheckBox:
    case CT_RadioButton:
    {
        const int side = pixelMetric(PM_IndicatorWidth, option, widget);
        return {side + indicatorSpacing + contentsSize.width(), std::max(side, contentsSize.height())};
    }
    case CT_ToolButton:
        return contentsSize + QSize(3, 3);
    case CT_GroupBox:
        return contentsSize + QSize(2, groupEdgeTop + 2);
    case CT_HeaderSection:
        return QProxyStyle::sizeFromContents(type, option, contentsSize, widget)
            + QSize(headPadding.left() + headPadding.right() + 1, headPadding.top() + headPadding.bottom());
    case CT_MenuItem:
        // A combo box's list asks with the size of its whole view, not of
        // the item; its rows are as high as their text.
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
            item && qobject_cast<const QComboBox*>(widget)) {
            const QFontMetrics metrics(item->font);
            return menuItemSize(option, QSize(metrics.horizontalAdvance(item->text), metrics.height()));
        }
        return menuItemSize(option, contentsSize);
    default:
        return QProxyStyle::sizeFromContents(type, option, contentsSize, widget);
    }
}

// A menu item's text with its padding, and room for the check mark when
// any item of the menu can be checked. Separators are a line with room
// above and below.
QSize Style::menuItemSize(const QStyleOption* option, QSize contentsSize)
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (item && item->menuItemType == QStyleOptionMenuItem::Separator)
        return {contentsSize.width(), 1 + menuSeparatorMargins.top() + menuSeparatorMargins.bottom()};
    if (item && item->menuHasCheckableItems)
        contentsSize.rwidth() += menuCheckColumn + menuCheckGap;
    return contentsSize.grownBy(menuItemPadding);
}

QRect Style::subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const
{
    switch (element) {
    case SE_LineEditContents:
        return option->rect.adjusted(1 + fieldTextPadding, 1, -1 - fieldTextPadding, -1);
    case SE_CheckBoxContents: {
        const QRect indicator = subElementRect(SE_CheckBoxIndicator, option, widget);
        return visualRect(option->direction, option->rect,
                          option->rect.adjusted(indicator.width() + indicatorSpacing, 0, 0, 0));
    }
    case SE_CheckBoxFocusRect:
        return checkBoxFocusRect(option, widget);
    case SE_RadioButtonFocusRect:
        return option->rect;
    case SE_HeaderLabel:
        return option->rect.adjusted(0, 0, -1, 0).marginsRemoved(headPadding);
    default:
        return QProxyStyle::subElementRect(element, option, widget);
    }
}

// The check box's text place widened by the toolkit's focus frame, as high
// as the check box.
QRect Style::checkBoxFocusRect(const QStyleOption* option, const QWidget* widget) const
{
    const QRect contents = subElementRect(SE_CheckBoxContents, option, widget);
    return QRect(contents.left() - 3, option->rect.top(), contents.width() - 2, option->rect.height());
}

QRect Style::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl subControl,
                            const QWidget* widget) const
{
    if (control == CC_GroupBox)
        if (const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option))
            return groupBoxRect(group, subControl);
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}

// The edge starts a little below the top and runs through the middle of the
// title, which stands near its left end.
QRect Style::groupBoxRect(const QStyleOptionGroupBox* group, SubControl subControl) const
{
    const QRect frame = group->rect.adjusted(0, groupEdgeTop, 0, 0);
    switch (subControl) {
    case SC_GroupBoxFrame:
        return frame;
    case SC_GroupBoxContents:
        return frame.adjusted(1, 1, -1, -1);
    case SC_GroupBoxLabel: {
        const QFontMetrics& metrics = group->fontMetrics;
        return QRect(group->rect.left() + groupTitleLeft + groupTitlePadding, group->rect.top(),
                     metrics.horizontalAdvance(group->text) + groupTitleRoom, metrics.height());
    }
    default:
        return {};
    }
}

} // namespace numra::nachtblau
