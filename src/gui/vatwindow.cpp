// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/vatwindow.h"

#include "core/languagetable.h"
#include "gui/announcement.h"
#include "gui/plainfield.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace numra {

namespace {

// The labels' column is wide enough for the tax label with its rate
// ("Umsatzsteuer 19 %", "Sales taxes 99,99 %"); the fields and the rate's
// box take the rest up to the window's right margin. Each label is as high
// as its field, so that their texts share a middle line.
constexpr int labelLeft = 12;
constexpr int fieldLeft = 130;
constexpr int fieldRight = 236;
constexpr int fieldHeight = 21;
constexpr int columnGap = 4;

QLabel* addLabel(QWidget* parent, const QString& text, int top)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setGeometry(labelLeft, top, fieldLeft - columnGap - labelLeft, fieldHeight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

} // namespace

VatWindow::VatWindow(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("vatWindow"), QSize(244, 156))
{
    setBackground(this, QColor(0xC0, 0xC0, 0xC0));
    setPlacement(Placement::BesideCalculator);

    netLabel_ = addLabel(this, QStringLiteral("Netto:"), 8);
    netField_ = addAmountField(8);
    taxLabel_ = addLabel(this, QString(), 35); // named by each calculation
    taxField_ = addAmountField(35);
    grossLabel_ = addLabel(this, QStringLiteral("Brutto:"), 63);
    grossField_ = addAmountField(63);
    rateLabel_ = addLabel(this, QStringLiteral("Steuersatz:"), 91);
    rateBox_ = new QComboBox(this);
    rateBox_->setGeometry(fieldLeft, 91, fieldRight - fieldLeft, fieldHeight);
    rateBox_->setAccessibleName(QStringLiteral("Steuersatz"));
    rateLabel_->setBuddy(rateBox_);

    copyButton_ = addButton(QString(), QRect(12, 119, 110, 22));
    closeButton_ = addButton(QString(), QRect(126, 119, 110, 22));
    applyLanguage(Language::German);

    setTabOrder(taxField_, closeButton_);
    setTabOrder(closeButton_, copyButton_);
    setTabOrder(copyButton_, rateBox_);
    setTabOrder(rateBox_, netField_);
    setTabOrder(netField_, grossField_);

    connect(closeButton_, &QPushButton::clicked, this, &VatWindow::reject);
    connect(copyButton_, &QPushButton::clicked, this, &VatWindow::copyChosenAmount);
    connect(rateBox_, &QComboBox::activated, this, &VatWindow::rateActivated);
    rateBox_->installEventFilter(this);
}

// The arrows only move through the closed list of rates (the last of them
// asks for a rate of the user's own); Return takes the rate shown. In the
// open list, Return and a click take it as ever.
bool VatWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != rateBox_ || event->type() != QEvent::KeyPress)
        return FixedDialog::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (key.modifiers() & Qt::AltModifier)
        return false; // Alt+Down opens the list
    const int last = rateBox_->count() - 1;
    int index = rateBox_->currentIndex();
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_PageUp:
        index = std::max(index - 1, 0);
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
    case Qt::Key_PageDown:
        index = std::min(index + 1, last);
        break;
    case Qt::Key_Home:
        index = 0;
        break;
    case Qt::Key_End:
        index = last;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        rateActivated(index);
        return true;
    default:
        return false;
    }
    rateBox_->setCurrentIndex(index);
    return true;
}

QLineEdit* VatWindow::addAmountField(int top)
{
    auto* field = new PlainField(this);
    field->setGeometry(fieldLeft, top, fieldRight - fieldLeft, fieldHeight);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFieldBackground(field, QColor(0xEE, 0xEE, 0xEE));
    return field;
}

void VatWindow::open(const VatCalculation& calculation)
{
    show(calculation);
    applyLanguage(calculation.language);
    taxField_->setFocus();
    exec();
}

// The fields keep what the user typed into them until the calculation
// itself changes.
void VatWindow::show(const VatCalculation& calculation)
{
    if (shown_ == calculation) {
        rateBox_->setCurrentIndex(chosenRateIndex()); // a rate not taken is shown as before
        return;
    }
    shown_ = calculation;
    netField_->setText(calculation.amounts.net);
    taxField_->setText(calculation.amounts.tax);
    grossField_->setText(calculation.amounts.gross);
    taxLabel_->setText(calculation.taxLabel());
    rateBox_->clear();
    for (const VatRateChoice& choice : calculation.rateChoices)
        rateBox_->addItem(choice.caption);
    rateBox_->setCurrentIndex(chosenRateIndex());
    if (isVisible())
        tellAmounts();
}

void VatWindow::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    tellAmounts();
}

// A screen reader says the three amounts as the window opens and whenever
// another rate computes them anew.
void VatWindow::tellAmounts()
{
    if (!shown_)
        return;
    const QString told = QStringLiteral("%1 %2, %3 %4, %5 %6")
                             .arg(netLabel_->text(), netField_->text(), taxLabel_->text(), taxField_->text(),
                                  grossLabel_->text(), grossField_->text());
    QWidget* focused = focusWidget();
    announce(focused ? *focused : *static_cast<QWidget*>(taxField_), told);
}

int VatWindow::chosenRateIndex() const
{
    if (!shown_)
        return -1;
    const std::vector<VatRateChoice>& choices = shown_->rateChoices;
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i].chosen)
            return int(i);
    return -1;
}

void VatWindow::rateActivated(int index)
{
    if (!shown_ || index < 0 || std::size_t(index) >= shown_->rateChoices.size() || index == chosenRateIndex())
        return;
    if (handlers_.rateChosen)
        handlers_.rateChosen(shown_->rateChoices[std::size_t(index)].rate);
}

void VatWindow::applyLanguage(Language language)
{
    closeButton_->setText(languageText(TextId::VatCloseButton, language));
    copyButton_->setText(languageText(TextId::VatCopyButton, language));
    closeButton_->setAccessibleName(closeButton_->text());
    copyButton_->setAccessibleName(copyButton_->text());
}

// Nothing chosen closes the window all the same.
void VatWindow::copyChosenAmount()
{
    const VatField chosen = choose_ ? choose_() : VatField::None;
    const QLineEdit* field = fieldOf(chosen);
    if (handlers_.copy)
        handlers_.copy(chosen, field ? field->text() : QString());
}

QLineEdit* VatWindow::fieldOf(VatField field) const
{
    switch (field) {
    case VatField::Gross:
        return grossField_;
    case VatField::Net:
        return netField_;
    case VatField::Tax:
        return taxField_;
    case VatField::None:
        break;
    }
    return nullptr;
}

void VatWindow::reject()
{
    if (handlers_.close)
        handlers_.close();
    else
        closeWindow();
}

// Whichever way the window closes, it leaves no amount behind.
void VatWindow::closeWindow()
{
    netField_->clear();
    taxField_->clear();
    grossField_->clear();
    shown_.reset();
    FixedDialog::done(Rejected);
}

} // namespace numra
