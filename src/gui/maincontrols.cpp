// SPDX-License-Identifier: GPL-3.0-or-later
// Building the calculator window's controls from its stored layout.

#include "gui/mainwindow.h"

#include "gui/pictures.h"
#include "gui/fixeddialog.h"
#include "gui/plainfield.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace numra {

namespace {

const QColor windowGrey(128, 128, 128);
const QColor entryGrey(0xF0, 0xF0, 0xF0);
constexpr int pushButtonPictureMargin = 3;

QWidget* createEntry(QWidget* parent)
{
    auto* field = new PlainField(parent);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setReadOnly(true);
    setFieldBackground(field, entryGrey);
    return field;
}

QWidget* createPushButton(const LayoutRow& row, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(row.caption), parent);
    button->setAutoDefault(false);
    if (row.picture) {
        const int side = std::min(row.geometry.width(), row.geometry.height()) - 2 * pushButtonPictureMargin;
        button->setIconSize(QSize(side, side));
        button->setIcon(pictureIcon(QString::fromLatin1(row.picture), button->iconSize()));
    }
    return button;
}

QWidget* createFlatButton(const LayoutRow& row, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(row.geometry.size());
    button->setIcon(pictureIcon(QString::fromLatin1(row.picture), row.geometry.size()));
    return button;
}

QWidget* createTitleLabel(const LayoutRow& row, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(row.caption), parent);
    label->setFont(layoutFont(LayoutFont::CenturyGothic, row.fontPixels));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    return label;
}

QWidget* createImagePanel(QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    return panel;
}

QWidget* createImage(const LayoutRow& row, QWidget* parent)
{
    auto* image = new QLabel(parent);
    image->setPixmap(picture(QString::fromLatin1(row.picture), row.geometry.size()));
    image->setAttribute(Qt::WA_TranslucentBackground);
    image->hide();
    return image;
}

QWidget* createWidget(const LayoutRow& row, QWidget* parent)
{
    switch (row.kind) {
    case ControlKind::Entry:
        return createEntry(parent);
    case ControlKind::PushButton:
        return createPushButton(row, parent);
    case ControlKind::CheckBox:
        return new QCheckBox(QString::fromUtf8(row.caption), parent);
    case ControlKind::TitleStrip:
        return new QWidget(parent);
    case ControlKind::FlatButton:
        return createFlatButton(row, parent);
    case ControlKind::Label:
        return createTitleLabel(row, parent);
    case ControlKind::ImagePanel:
        return createImagePanel(parent);
    case ControlKind::Image:
        return createImage(row, parent);
    }
    return nullptr;
}

} // namespace

void MainWindow::buildControls()
{
    setFont(tahoma(11));
    setBackground(this, windowGrey);

    QWidget* titleStrip = nullptr;
    QWidget* imagePanel = nullptr;
    std::vector<QWidget*> tabChain(mainLayout().size(), nullptr);
    for (const LayoutRow& row : mainLayout()) {
        QWidget* widget = createControl(row, titleStrip, imagePanel);
        controls_[static_cast<size_t>(row.id)] = widget;
        if (row.kind == ControlKind::TitleStrip)
            titleStrip = widget;
        if (row.kind == ControlKind::ImagePanel)
            imagePanel = widget;
        if (row.tabOrder >= 0)
            tabChain[row.tabOrder] = widget;
    }
    std::erase(tabChain, nullptr);
    for (size_t i = 1; i < tabChain.size(); ++i)
        setTabOrder(tabChain[i - 1], tabChain[i]);
}

QWidget* MainWindow::createControl(const LayoutRow& row, QWidget* titleStrip, QWidget* imagePanel)
{
    QWidget* parent = row.inTitleStrip ? titleStrip : row.kind == ControlKind::Image ? imagePanel : this;
    QWidget* widget = createWidget(row, parent);
    widget->setObjectName(QLatin1StringView(row.name));
    widget->setGeometry(row.geometry);
    if (row.fontPixels > 0 && row.kind != ControlKind::Label)
        widget->setFont(tahoma(row.fontPixels));
    if (row.hint)
        widget->setToolTip(QString::fromUtf8(row.hint));
    widget->setAccessibleName(QString::fromUtf8(row.accessibleName));
    if (row.kind == ControlKind::TitleStrip)
        setBackground(widget, windowGrey); // the strip has the window's colour
    return widget;
}

} // namespace numra
