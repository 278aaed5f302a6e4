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
    : FixedDialog(owner, QStringLiteral("aboutWindow"), QSize(214, 191))
{
    setBackground(this, QColor(0xC0, 0xC0, 0xC0));

    name_ = addCentredLabel(QStringLiteral("Numra"), {5, 14, 200, 18});
    name_->setFont(layoutFont(LayoutFont::Arial, 19));
    QPalette navy = name_->palette();
    navy.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    name_->setPalette(navy);

    version_ = addCentredLabel(QStringLiteral("Version: 2.0"), {8, 38, 198, 13});
    // Numra is free software: the licence, not "Freeware" and "Alle Rechte
    // vorbehalten", which said the opposite.
    addCentredLabel(QStringLiteral("Freie Software, ohne Gewährleistung"), {8, 62, 198, 13});
    addCentredLabel(QStringLiteral("Lizenz: GPL-3.0-or-later"), {8, 82, 198, 13});
    addCentredLabel(QStringLiteral("Copyright © 2026 Numra"), {8, 96, 198, 13});

    link_ = addCentredLabel(QString(), {5, 119, 200, 13});
    QFont linkFont = tahoma(11);
    linkFont.setUnderline(true);
    link_->setFont(linkFont);
    QPalette blue = link_->palette();
    blue.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0xFF));
    link_->setPalette(blue);
    link_->setCursor(Qt::PointingHandCursor);
    link_->installEventFilter(this);

    okButton_ = addButton(QStringLiteral("OK"), QRect(43, 144, 128, 30));
    okButton_->setAccessibleName(QStringLiteral("OK"));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

QLabel* AboutWindow::addCentredLabel(const QString& text, QRect geometry)
{
    auto* label = new QLabel(text, this);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void AboutWindow::showAbout(Language language)
{
    language_ = language;
    exec();
}

void AboutWindow::showEvent(QShowEvent* event)
{
    link_->setText(language_ == Language::German ? germanHost : englishHost);
    okButton_->setFocus();
    FixedDialog::showEvent(event);
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == link_ && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        platform::openWebAddress(QStringLiteral("http://") + link_->text());
        return true;
    }
    return FixedDialog::eventFilter(watched, event);
}

} // namespace numra
