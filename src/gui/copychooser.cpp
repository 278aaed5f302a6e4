// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/copychooser.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace numra {

CopyChooser::CopyChooser(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("copyChooser"), QSize(188, 196))
{
    choiceBox_ = new QGroupBox(QStringLiteral("Feld kopieren:"), this);
    choiceBox_->setGeometry(8, 16, 161, 105);

    group_ = new QButtonGroup(this);
    const QString items[] = {QStringLiteral("Brutto"), QStringLiteral("Netto"), QStringLiteral("Steuer")};
    for (int index = 0; index < 3; ++index) {
        auto* item = new QRadioButton(items[index], choiceBox_);
        item->setGeometry(8, 20 + index * 27, 145, 17);
        item->setAccessibleName(items[index]);
        group_->addButton(item, index);
    }
    static_assert(int(VatField::Gross) == 0 && int(VatField::Net) == 1 && int(VatField::Tax) == 2,
                  "the radio group's items follow VatField");
    group_->button(int(VatField::Tax))->setChecked(true);

    okButton_ = addButton(QStringLiteral("Ok"), QRect(8, 127, 161, 22));
    okButton_->setAccessibleName(QStringLiteral("Ok"));
    cancelButton_ = addButton(QStringLiteral("Abbrechen"), QRect(8, 155, 161, 22));
    cancelButton_->setAccessibleName(QStringLiteral("Abbrechen"));
    setTabOrder(group_->button(0), group_->button(1));
    setTabOrder(group_->button(1), group_->button(2));
    setTabOrder(group_->button(2), okButton_);
    setTabOrder(okButton_, cancelButton_);

    connect(okButton_, &QPushButton::clicked, this, [this] {
        chosen_ = static_cast<VatField>(group_->checkedId());
        accept();
    });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
}

VatField CopyChooser::choose()
{
    chosen_ = VatField::None;
    group_->checkedButton()->setFocus();
    exec();
    return chosen_;
}

} // namespace numra
