// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/aboutwindow.h"

#include "platform/webbrowser.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace numra {

namespace {

// The maker's web addresses are bare host names. Both lie under the domains
// reserved for examples, so no real site is ever opened by mistake.
const QString englishHost = QStringLiteral("numra.example.com");
const QString germanHost = QStringLiteral("numra.example.org");

} // namespace

AboutWindow::AboutWindow(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("FormAbout"), QSize(214, 191))
{
    setBackground(this, QColor(0xC0, 0xC0, 0xC0));

    QLabel* name = addCentredLabel(QStringLiteral("Label64"), QStringLiteral("Numra"), {5, 14, 200, 18});
    name->setFont(layoutFont(LayoutFont::Arial, 19));
    QPalette navy = name->palette();
    navy.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    name->setPalette(navy);

    addCentredLabel(QStringLiteral("LabelRelease"), QStringLiteral("Version: 2.0"), {8, 38, 198, 13});
    addCentredLabel(QStringLiteral("LabelLicence"), QStringLiteral("Freeware"), {8, 62, 198, 13});
    addCentredLabel(QStringLiteral("LabelCopyright"), QStringLiteral("Copyright © 2026 Numra"), {8, 82, 198, 13});
    addCentredLabel(QStringLiteral("LabelRights"), QStringLiteral("Alle Rechte vorbehalten"), {8, 96, 198, 13});

    labelUrl_ = addCentredLabel(QStringLiteral("LabelUrl"), QString(), {5, 119, 200, 13});
    QFont linkFont = tahoma(11);
    linkFont.setUnderline(true);
    labelUrl_->setFont(linkFont);
    QPalette blue = labelUrl_->palette();
    blue.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
    labelUrl_->setPalette(blue);
    labelUrl_->setCursor(Qt::PointingHandCursor);
    labelUrl_->installEventFilter(this);

    bitBtn1_ = addButton(QStringLiteral("OK"), QRect(43, 144, 128, 30));
    bitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
    bitBtn1_->setAccessibleName(QStringLiteral("OK"));
    bitBtn1_->setDefault(true);
    connect(bitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
}

QLabel* AboutWindow::addCentredLabel(const QString& name, const QString& text, QRect geometry)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void AboutWindow::showAbout(int language)
{
    sprache_ = language;
    exec();
}

void AboutWindow::showEvent(QShowEvent* event)
{
    labelUrl_->setText(sprache_ != 0 ? englishHost : germanHost);
    bitBtn1_->setFocus();
    FixedDialog::showEvent(event);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == labelUrl_ && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        platform::openWebAddress(QStringLiteral("http://") + labelUrl_->text());
        return true;
    }
    return FixedDialog::eventFilter(watched, event);
}

} // namespace numra
