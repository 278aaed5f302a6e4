// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/copychooser.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace numra {

CopyChooser::CopyChooser(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("FormSelect"), QSize(188, 196))
{
    radioGroup1_ = new QGroupBox(QStringLiteral("Feld kopieren:"), this);
    radioGroup1_->setObjectName(QStringLiteral("RadioGroup1"));
    radioGroup1_->setGeometry(8, 16, 161, 105);

    group_ = new QButtonGroup(this);
    const QString items[] = {QStringLiteral("Brutto"), QStringLiteral("Netto"), QStringLiteral("Steuer")};
    for (int index = 0; index < 3; ++index) {
        auto* item = new QRadioButton(items[index], radioGroup1_);
        item->setGeometry(8, 20 + index * 27, 145, 17);
        item->setAccessibleName(items[index]);
        group_->addButton(item, index);
    }
    static_assert(int(VatField::Brutto) == 0 && int(VatField::Netto) == 1 && int(VatField::Steuer) == 2,
                  "the radio group's items follow VatField");
    group_->button(int(VatField::Steuer))->setChecked(true);

    button2_ = addButton(QStringLiteral("Ok"), QRect(8, 127, 161, 22));
    button2_->setObjectName(QStringLiteral("Button2"));
    button2_->setAccessibleName(QStringLiteral("Ok"));
    button1_ = addButton(QStringLiteral("Abbrechen"), QRect(8, 155, 161, 22));
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setAccessibleName(QStringLiteral("Abbrechen"));
    setTabOrder(group_->button(0), group_->button(1));
    setTabOrder(group_->button(1), group_->button(2));
    setTabOrder(group_->button(2), button2_);
    setTabOrder(button2_, button1_);

    connect(button2_, &QPushButton::clicked, this, [this] {
        auswahl_ = static_cast<VatField>(group_->checkedId());
        accept();
    });
    connect(button1_, &QPushButton::clicked, this, &QDialog::reject);
}

VatField CopyChooser::choose()
{
    auswahl_ = VatField::None;
    group_->checkedButton()->setFocus();
    exec();
    return auswahl_;
}

} // namespace numra
