// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/vatwindow.h"

#include "core/languagetable.h"
#include "gui/copychooser.h"
#include "core/vatamounts.h"
#include "gui/messagebox.h"
#include "gui/plainfield.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace numra {

namespace {

constexpr int activationStep = 30;

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

} // namespace

VatWindow::VatWindow(QWidget* owner, QChar decimalSeparator)
    : FixedDialog(owner, QStringLiteral("FormSumme"), QSize(244, 128)), separator_(decimalSeparator)
{
    setBackground(this, QColor(0xC0, 0xC0, 0xC0));

    labelNetto_ = addLabel(this, QStringLiteral("LabelNetto"), QStringLiteral("Netto:"), {12, 8, 31, 13});
    editNetto_ = addAmountField(QStringLiteral("EditNetto"), 8);
    labelTax_ = addLabel(this, QStringLiteral("LabelTax"), QStringLiteral("Tax:"), {12, 36, 22, 13});
    editTax_ = addAmountField(QStringLiteral("EditTax"), 35);
    labelBrutto_ = addLabel(this, QStringLiteral("LabelBrutto"), QStringLiteral("Brutto:"), {12, 67, 34, 13});
    editBrutto_ = addAmountField(QStringLiteral("EditBrutto"), 63);

    button2_ = addButton(QStringLiteral("Copy"), QRect(12, 91, 110, 22));
    button2_->setObjectName(QStringLiteral("Button2"));
    button1_ = addButton(QStringLiteral("Schliessen"), QRect(126, 91, 110, 22));
    button1_->setObjectName(QStringLiteral("Button1"));
    button2_->setAccessibleName(button2_->text());
    button1_->setAccessibleName(button1_->text());

    setTabOrder(editTax_, button1_);
    setTabOrder(button1_, button2_);
    setTabOrder(button2_, editNetto_);
    setTabOrder(editNetto_, editBrutto_);

    connect(button1_, &QPushButton::clicked, this, &QDialog::reject);
    connect(button2_, &QPushButton::clicked, this, &VatWindow::copyChosenAmount);

    // Coming back from another program is no activation that moves the window.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && isVisible())
            cameBackFromOtherProgram_ = true;
    });
}

QLineEdit* VatWindow::addAmountField(const QString& name, int top)
{
    auto* field = new PlainField(this);
    field->setObjectName(name);
    field->setGeometry(61, top, 175, 21);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFieldBackground(field, QColor(0xEE, 0xEE, 0xEE));
    return field;
}

std::optional<QString> VatWindow::showAmounts(const VatWindowInput& input)
{
    curLanguage_ = input.language;
    editNetto_->setText(input.netto);
    editTax_->setText(input.tax);
    editBrutto_->setText(input.brutto);
    labelTax_->setText(input.taxLabel);
    labelTax_->adjustSize();
    copied_.reset();
    cameBackFromOtherProgram_ = false;

    completeAmounts();
    applyLanguage();
    editTax_->setFocus();
    exec();
    return copied_;
}

void VatWindow::completeAmounts()
{
    const VatCompletion completion = completeVatAmounts(shownAmounts(), separator_);
    editNetto_->setText(completion.amounts.netto);
    editTax_->setText(completion.amounts.tax);
    editBrutto_->setText(completion.amounts.brutto);
    for (int step = 0; step < completion.failedSteps; ++step)
        showMessage(MessageKind::Error, kVatConvertError);
}

void VatWindow::applyLanguage()
{
    button1_->setText(languageText(TextId::VatCloseButton, curLanguage_));
    button2_->setText(languageText(TextId::VatCopyButton, curLanguage_));
    button1_->setAccessibleName(button1_->text());
    button2_->setAccessibleName(button2_->text());
}

void VatWindow::copyChosenAmount()
{
    const VatField chosen = chooser_ ? chooser_->choose() : VatField::None;
    if (QLineEdit* field = fieldOf(chosen)) {
        copied_ = vatFieldText(shownAmounts(), chosen);
        field->selectAll();
        field->copy();
        field->deselect();
        showMessage(MessageKind::Plain, vatCopyNotice(*copied_));
    }
    reject(); // also when nothing was chosen
}

VatAmounts VatWindow::shownAmounts() const
{
    return {editNetto_->text(), editTax_->text(), editBrutto_->text()};
}

QLineEdit* VatWindow::fieldOf(VatField field) const
{
    switch (field) {
    case VatField::Brutto:
        return editBrutto_;
    case VatField::Netto:
        return editNetto_;
    case VatField::Steuer:
        return editTax_;
    case VatField::None:
        break;
    }
    return nullptr;
}

void VatWindow::showMessage(MessageKind kind, const QString& text)
{
    showMessageBox(this, kind, text);
}

bool VatWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        if (cameBackFromOtherProgram_)
            cameBackFromOtherProgram_ = false;
        else
            move(x(), y() + activationStep);
    }
    return FixedDialog::event(event);
}

void VatWindow::done(int result)
{
    // Whichever way the window closes, it leaves no amount behind.
    editNetto_->clear();
    editTax_->clear();
    editBrutto_->clear();
    FixedDialog::done(result);
}

} // namespace numra
