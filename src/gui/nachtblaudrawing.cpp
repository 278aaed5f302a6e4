// SPDX-License-Identifier: GPL-3.0-or-later
// Nachtblau: what it draws itself. Everything else, and the parts of these
// controls that look as everywhere (check marks, arrows, the captions), the
// style below draws.

#include "gui/nachtblau.h"

#include <QDialogButtonBox>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>
#include <QAbstractItemView>
#include <QTableView>

namespace numra::nachtblau {

namespace {

// A one-pixel edge: the upper and left lines take the corners.
void drawEdge(QPainter* painter, const QRect& rect, const QColor& upperLeft, const QColor& lowerRight)
{
    const QRectF r(rect);
    painter->fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), lowerRight);
    painter->fillRect(QRectF(r.right() - 1, r.top(), 1, r.height()), lowerRight);
    painter->fillRect(QRectF(r.left(), r.top(), r.width(), 1), upperLeft);
    painter->fillRect(QRectF(r.left(), r.top(), 1, r.height()), upperLeft);
}

void drawFocusRing(QPainter* painter, const QRect& rect, const QColor& ground)
{
    const QColor ring = focusColourOn(ground);
    const int w = focusRingWidth;
    painter->fillRect(QRect(rect.left(), rect.top(), rect.width(), w), ring);
    painter->fillRect(QRect(rect.left(), rect.bottom() - w + 1, rect.width(), w), ring);
    painter->fillRect(QRect(rect.left(), rect.top(), w, rect.height()), ring);
    painter->fillRect(QRect(rect.right() - w + 1, rect.top(), w, rect.height()), ring);
}

void drawKey(const QStyleOption* option, QPainter* painter)
{
    const bool pressed = option->state & QStyle::State_Sunken;
    const bool hovered = (option->state & QStyle::State_MouseOver) && (option->state & QStyle::State_Enabled);
    Colour face = Colour::Key;
    if (pressed)
        face = Colour::KeyPressed;
    else if (hovered)
        face = Colour::KeyHovered;
    painter->fillRect(option->rect, colour(face));
    if (option->state & QStyle::State_HasFocus) {
        // Inside a dark edge, which sets it off any ground round the key.
        drawEdge(painter, option->rect, colour(Colour::BevelDark), colour(Colour::BevelDark));
        drawFocusRing(painter, option->rect.adjusted(1, 1, -1, -1), colour(face));
    } else
        drawEdge(painter, option->rect, colour(pressed ? Colour::BevelDark : Colour::BevelLight),
                 colour(Colour::BevelDark));
}

// Flat picture buttons have no face until the mouse is over them.
void drawFlatButtonPanel(const QStyleOption* option, QPainter* painter, int hoverRadius)
{
    const bool hovered = option->state & QStyle::State_MouseOver;
    const bool pressed = option->state & QStyle::State_Sunken;
    if (!hovered && !pressed)
        return;
    const QColor overlay = colour(pressed ? Colour::FlatPressed : Colour::FlatHovered);
    if (!hovered) {
        painter->fillRect(option->rect, overlay);
        return;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(option->rect), hoverRadius, hoverRadius);
    painter->fillPath(rounded, overlay);
    painter->restore();
}

void drawField(const QStyleOption* option, QPainter* painter)
{
    painter->fillRect(option->rect, option->palette.brush(QPalette::Base));
    if (option->state & QStyle::State_HasFocus)
        drawFocusRing(painter, option->rect, option->palette.color(QPalette::Base));
    else
        drawEdge(painter, option->rect, colour(Colour::FieldEdgeUpper), colour(Colour::FieldEdgeLower));
}

// The ground a focus frame lies on: a selected row's where the item view
// gives it, else the control's own.
QColor focusGround(const QStyleOption* option, const QWidget* widget)
{
    if (const auto* focus = qstyleoption_cast<const QStyleOptionFocusRect*>(option);
        focus && focus->backgroundColor.isValid())
        return focus->backgroundColor;
    if (widget && qobject_cast<const QAbstractItemView*>(widget))
        return option->palette.color(QPalette::Base);
    return option->palette.color(QPalette::Window);
}

// A one-pixel edge with corners rounded by `radius`: straight lines between
// the corners, and each corner as two arcs of 45 degrees, one from each of
// its lines.
void drawRoundedEdge(QPainter* painter, const QRect& rect, const QColor& edge, int radius)
{
    const QRectF r(rect);
    const qreal d = 2 * radius - 1; // the arcs' diameter, on the middle of the line
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillRect(QRectF(r.left() + radius, r.bottom() - 1, r.width() - 2 * radius, 1), edge);
    painter->fillRect(QRectF(r.right() - 1, r.top() + radius, 1, r.height() - 2 * radius), edge);
    painter->fillRect(QRectF(r.left(), r.top() + radius, 1, r.height() - 2 * radius), edge);
    painter->fillRect(QRectF(r.left() + radius, r.top(), r.width() - 2 * radius, 1), edge);
    QPen pen(edge, 1);
    pen.setCapStyle(Qt::FlatCap);
    painter->setPen(pen);
    const qreal left = r.left() + 0.5;
    const qreal top = r.top() + 0.5;
    const qreal right = r.left() + r.width() - 2 * radius + 0.5;
    const qreal bottom = r.top() + r.height() - 2 * radius + 0.5;
    const struct {
        qreal x, y;
        int start, span; // in degrees
    } arcs[] = {
        {left, bottom, -90, -45}, {right, bottom, -90, 45}, // the lower line's ends
        {right, top, 45, -45},    {right, bottom, 315, 45}, // the right line's
        {left, top, 135, 45},     {left, bottom, 180, 45},  // the left line's
        {left, top, 135, -45},    {right, top, 45, 45},     // the upper line's
    };
    for (const auto& arc : arcs)
        painter->drawArc(QRectF(arc.x, arc.y, d, d), arc.start * 16, arc.span * 16);
    painter->restore();
}

void drawToolTip(const QStyleOption* option, QPainter* painter)
{
    painter->fillRect(option->rect, colour(Colour::ToolTip));
    drawEdge(painter, option->rect, colour(Colour::ToolTipEdge), colour(Colour::ToolTipEdge));
}

void drawHeadSection(const QStyleOption* option, QPainter* painter)
{
    painter->fillRect(option->rect, colour(Colour::TableHead));
    const QRect r = option->rect;
    painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), colour(Colour::TableHeadDivider));
}

} // namespace

void Style::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                          const QWidget* widget) const
{
    switch (element) {
    case PE_PanelLineEdit:
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option); frame && frame->lineWidth > 0) {
            drawField(option, painter);
            return;
        }
        break;
    case PE_FrameLineEdit:
        if (option->state & State_HasFocus)
            drawFocusRing(painter, option->rect, option->palette.color(QPalette::Base));
        else
            drawEdge(painter, option->rect, colour(Colour::FieldEdgeUpper), colour(Colour::FieldEdgeLower));
        return;
    case PE_FrameFocusRect:
        drawFocusRing(painter, option->rect, focusGround(option, widget));
        return;
    case PE_PanelButtonTool:
        drawFlatButtonPanel(option, painter, flatHoverRadius);
        return;
    case PE_FrameGroupBox:
        drawRoundedEdge(painter, option->rect, colour(Colour::GroupEdge), groupEdgeRadius);
        return;
    case PE_PanelTipLabel:
        drawToolTip(option, painter);
        return;
    case PE_PanelMenu:
        painter->fillRect(option->rect, colour(Colour::Menu));
        return;
    case PE_FrameMenu:
        drawEdge(painter, option->rect, colour(Colour::MenuEdge), colour(Colour::MenuEdge));
        return;
    case PE_Frame:
        // Two pixels: the edge and a line of the rows' ground, or the focus
        // ring round the whole table, which the current row's ring alone
        // would not show on an empty tape.
        if (qobject_cast<const QTableView*>(widget)) {
            if (option->state & State_HasFocus) {
                drawFocusRing(painter, option->rect, colour(Colour::Table));
            } else {
                painter->fillRect(option->rect, colour(Colour::Table));
                drawEdge(painter, option->rect, colour(Colour::TableEdge), colour(Colour::TableEdge));
            }
            return;
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void Style::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                        const QWidget* widget) const
{
    switch (element) {
    case CE_PushButton:
        if (const auto* key = qstyleoption_cast<const QStyleOptionButton*>(option)) {
            drawKeyWithCaption(key, painter, widget);
            return;
        }
        break;
    case CE_PushButtonBevel:
        drawKey(option, painter);
        return;
    case CE_CheckBox:
    case CE_RadioButton:
        if (const auto* box = qstyleoption_cast<const QStyleOptionButton*>(option)) {
            drawCheckBox(box, element == CE_RadioButton, painter, widget);
            return;
        }
        break;
    case CE_Header:
        if (const auto* head = qstyleoption_cast<const QStyleOptionHeader*>(option)) {
            drawHeadSectionWithCaption(head, painter, widget);
            return;
        }
        break;
    case CE_HeaderSection:
        drawHeadSection(option, painter);
        return;
    case CE_HeaderLabel:
        if (const auto* head = qstyleoption_cast<const QStyleOptionHeader*>(option)) {
            QStyleOptionHeader white(*head);
            white.palette.setColor(QPalette::ButtonText, colour(Colour::TableHeadText));
            QProxyStyle::drawControl(element, &white, painter, widget);
            return;
        }
        break;
    case CE_MenuItem:
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            drawMenuItem(item, painter, widget);
            return;
        }
        break;
    case CE_MenuEmptyArea:
        painter->fillRect(option->rect, colour(Colour::Menu));
        return;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void Style::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                               const QWidget* widget) const
{
    if (control == CC_ToolButton) {
        // Every tool button is flat; its picture fills the whole button,
        // without the frame the style below would leave round it.
        if (const auto* tool = qstyleoption_cast<const QStyleOptionToolButton*>(option);
            tool && !(tool->features & QStyleOptionToolButton::HasMenu)) {
            drawFlatButtonPanel(option, painter, flatHoverRadius);
            QStyleOptionToolButton label(*tool);
            label.rect = option->rect;
            drawControl(CE_ToolButtonLabel, &label, painter, widget);
            return;
        }
    }
    if (control == CC_GroupBox) {
        if (const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option)) {
            drawGroupBox(group, painter, widget);
            return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox && (option->state & State_HasFocus))
        drawFocusRing(painter, option->rect, option->palette.color(QPalette::Button));
}

// The keys, check boxes and the table's head are put together here, not by
// the style below: it would place their parts by its own measures instead of
// this style's.

// The caption fills the key inside its edge, which is the focus ring while
// the key has the keyboard focus.
void Style::drawKeyWithCaption(const QStyleOptionButton* key, QPainter* painter, const QWidget* widget) const
{
    drawKey(key, painter);
    QStyleOptionButton caption(*key);
    caption.rect = key->rect.adjusted(1, 1, -1, -1);
    // The toolkit's green and red pictures on OK and Cancel are hard to make
    // out on navy: a dialog's buttons show their text alone, in the room the
    // toolkit keeps for the picture.
    if (widget && qobject_cast<const QDialogButtonBox*>(widget->parentWidget()))
        caption.icon = QIcon();
    drawControl(CE_PushButtonLabel, &caption, painter, widget);
}

// The mark's edge is drawn as on the toolkit's own window colour, light on
// any ground.
void Style::drawCheckBox(const QStyleOptionButton* box, bool radio, QPainter* painter, const QWidget* widget) const
{
    QStyleOptionButton part(*box);
    part.rect = subElementRect(radio ? SE_RadioButtonIndicator : SE_CheckBoxIndicator, box, widget);
    part.palette.setColor(QPalette::Window, standardPalette().color(QPalette::Window));
    drawPrimitive(radio ? PE_IndicatorRadioButton : PE_IndicatorCheckBox, &part, painter, widget);
    part = *box;
    part.rect = subElementRect(radio ? SE_RadioButtonContents : SE_CheckBoxContents, box, widget);
    drawControl(radio ? CE_RadioButtonLabel : CE_CheckBoxLabel, &part, painter, widget);
    if (box->state & State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*box);
        focus.rect = subElementRect(radio ? SE_RadioButtonFocusRect : SE_CheckBoxFocusRect, box, widget);
        drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
}

void Style::drawHeadSectionWithCaption(const QStyleOptionHeader* head, QPainter* painter, const QWidget* widget) const
{
    painter->save();
    painter->setClipRect(head->rect, Qt::IntersectClip);
    drawHeadSection(head, painter);
    QStyleOptionHeader part(*head);
    part.rect = subElementRect(SE_HeaderLabel, head, widget);
    drawControl(CE_HeaderLabel, &part, painter, widget);
    if (head->sortIndicator != QStyleOptionHeader::None) {
        part.rect = subElementRect(SE_HeaderArrow, head, widget);
        drawPrimitive(PE_IndicatorHeaderArrow, &part, painter, widget);
    }
    painter->restore();
}

void Style::drawGroupBox(const QStyleOptionGroupBox* group, QPainter* painter, const QWidget* widget) const
{
    // The edge leaves a gap round the title.
    const QRect label = subControlRect(CC_GroupBox, group, SC_GroupBoxLabel, widget);
    const QRect title = label.adjusted(-groupTitlePadding, 0, groupTitlePadding, 0);
    painter->save();
    painter->setClipRegion(QRegion(group->rect) - title);
    drawRoundedEdge(painter, subControlRect(CC_GroupBox, group, SC_GroupBoxFrame, widget), colour(Colour::GroupEdge),
                    groupEdgeRadius);
    painter->restore();
    QPalette palette = group->palette;
    if (group->textColor.isValid())
        palette.setColor(QPalette::WindowText, group->textColor);
    drawItemText(painter, label, Qt::AlignCenter | Qt::TextShowMnemonic, palette, group->state & State_Enabled,
                 group->text, QPalette::WindowText);
}

void Style::drawMenuItem(const QStyleOptionMenuItem* item, QPainter* painter, const QWidget* widget) const
{
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        painter->fillRect(item->rect.marginsRemoved(menuSeparatorMargins), colour(Colour::MenuHighlight));
        return;
    }
    // Filled also when not selected: a combo box's list has no menu behind it.
    painter->fillRect(item->rect, colour(item->state & State_Selected ? Colour::MenuHighlight : Colour::Menu));
    QRect text = item->rect.marginsRemoved(menuItemPadding);
    // The check mark stands in the item's padding, its text after a column
    // as wide as the mark.
    if (item->menuHasCheckableItems) {
        const QRect mark(item->rect.left(), text.top(), menuCheckColumn, text.height());
        if (item->checked) {
            QStyleOptionMenuItem check(*item);
            check.rect = mark;
            check.palette.setColor(QPalette::Text, colour(Colour::MenuText));
            check.palette.setColor(QPalette::HighlightedText, colour(Colour::MenuText));
            drawPrimitive(PE_IndicatorMenuCheckMark, &check, painter, widget);
        }
        text.setLeft(text.left() + menuCheckColumn);
    }
    painter->setPen(colour(Colour::MenuText));
    int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine;
    if (!styleHint(SH_UnderlineShortcut, item, widget, nullptr))
        flags |= Qt::TextHideMnemonic;
    painter->setFont(item->font);
    painter->drawText(text, flags, item->text.section(u'\t', 0, 0));
}

} // namespace numra::nachtblau
