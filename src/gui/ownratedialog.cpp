// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ownratedialog.h"

#include "core/vatrates.h"
#include "gui/messagebox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace numra {

namespace {

const QString kInvalidRate = QStringLiteral(
    "Ungültiger Steuersatz. Bitte geben Sie einen Satz von 0 bis 99,99 % mit höchstens zwei Nachkommastellen ein.");

// "99,99 %" and a little room.
constexpr int kFieldLength = 10;

} // namespace

OwnRateDialog::OwnRateDialog(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("ownRateDialog"), QSize(244, 92))
{
    label_ = new QLabel(QStringLiteral("Eigener Steuersatz in % (0 bis 99,99):"), this);
    label_->setGeometry(12, 8, 224, 17);
    field_ = new QLineEdit(this);
    field_->setGeometry(12, 29, 224, 21);
    field_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field_->setMaxLength(kFieldLength);
    field_->setAccessibleName(QStringLiteral("Eigener Steuersatz"));
    label_->setBuddy(field_);

    okButton_ = addButton(QStringLiteral("OK"), QRect(12, 60, 110, 22));
    okButton_->setDefault(true); // Return in the field takes the rate
    cancelButton_ = addButton(QStringLiteral("Abbrechen"), QRect(126, 60, 110, 22));
    okButton_->setAccessibleName(okButton_->text());
    cancelButton_->setAccessibleName(cancelButton_->text());
    setTabOrder(field_, okButton_);
    setTabOrder(okButton_, cancelButton_);

    connect(okButton_, &QPushButton::clicked, this, &OwnRateDialog::takeRate);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<int> OwnRateDialog::ask(std::optional<int> current, QChar decimalSeparator)
{
    entered_.reset();
    field_->setText(current ? vatRateNumber(*current, decimalSeparator) : QString());
    field_->selectAll();
    field_->setFocus();
    exec();
    return entered_;
}

void OwnRateDialog::takeRate()
{
    entered_ = parseVatRate(field_->text());
    if (entered_) {
        accept();
        return;
    }
    showMessageBox(this, MessageKind::Error, kInvalidRate);
    field_->selectAll();
    field_->setFocus();
}

// Unlike the windows of the layouts, this one has a way out with Escape.
void OwnRateDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        reject();
        return;
    }
    FixedDialog::keyPressEvent(event);
}

} // namespace numra
