// Building the calculator window's controls from its stored layout.

#include "app/mainwindow.h"

#include "app/pictures.h"
#include "windows/fixeddialog.h"
#include "windows/plainfield.h"

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

QWidget* createPushButton(const ControlSpec& spec, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(spec.caption), parent);
    button->setAutoDefault(false);
    if (spec.picture) {
        const int side = std::min(spec.geometry.width(), spec.geometry.height()) - 2 * pushButtonPictureMargin;
        button->setIconSize(QSize(side, side));
        button->setIcon(pictureIcon(QString::fromLatin1(spec.picture), button->iconSize()));
    }
    return button;
}

QWidget* createFlatButton(const ControlSpec& spec, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(spec.geometry.size());
    button->setIcon(pictureIcon(QString::fromLatin1(spec.picture), spec.geometry.size()));
    return button;
}

QWidget* createTitleLabel(const ControlSpec& spec, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(spec.caption), parent);
    label->setFont(layoutFont(LayoutFont::CenturyGothic, spec.fontPixels));
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

QWidget* createImage(const ControlSpec& spec, QWidget* parent)
{
    auto* image = new QLabel(parent);
    image->setPixmap(picture(QString::fromLatin1(spec.picture), spec.geometry.size()));
    image->setAttribute(Qt::WA_TranslucentBackground);
    image->hide();
    return image;
}

QWidget* createWidget(const ControlSpec& spec, QWidget* parent)
{
    switch (spec.kind) {
    case ControlKind::Entry:
        return createEntry(parent);
    case ControlKind::PushButton:
        return createPushButton(spec, parent);
    case ControlKind::CheckBox:
        return new QCheckBox(QString::fromUtf8(spec.caption), parent);
    case ControlKind::TitleStrip:
        return new QWidget(parent);
    case ControlKind::FlatButton:
        return createFlatButton(spec, parent);
    case ControlKind::Label:
        return createTitleLabel(spec, parent);
    case ControlKind::ImagePanel:
        return createImagePanel(parent);
    case ControlKind::Image:
        return createImage(spec, parent);
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
    for (const ControlSpec& spec : mainLayout()) {
        QWidget* widget = createControl(spec, titleStrip, imagePanel);
        controls_[static_cast<size_t>(spec.id)] = widget;
        if (spec.kind == ControlKind::TitleStrip)
            titleStrip = widget;
        if (spec.kind == ControlKind::ImagePanel)
            imagePanel = widget;
        if (spec.tabOrder >= 0)
            tabChain[spec.tabOrder] = widget;
    }
    std::erase(tabChain, nullptr);
    for (size_t i = 1; i < tabChain.size(); ++i)
        setTabOrder(tabChain[i - 1], tabChain[i]);
}

QWidget* MainWindow::createControl(const ControlSpec& spec, QWidget* titleStrip, QWidget* imagePanel)
{
    QWidget* parent = spec.inTitleStrip ? titleStrip : spec.kind == ControlKind::Image ? imagePanel : this;
    QWidget* widget = createWidget(spec, parent);
    widget->setObjectName(QLatin1StringView(spec.name));
    widget->setGeometry(spec.geometry);
    if (spec.fontPixels > 0 && spec.kind != ControlKind::Label)
        widget->setFont(tahoma(spec.fontPixels));
    if (spec.hint)
        widget->setToolTip(QString::fromUtf8(spec.hint));
    widget->setAccessibleName(QString::fromUtf8(spec.accessibleName));
    if (spec.kind == ControlKind::TitleStrip)
        setBackground(widget, windowGrey); // the strip has the window's colour
    return widget;
}

} // namespace numra
