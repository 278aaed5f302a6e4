// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/helpwindow.h"

#include <QLabel>
#include <QPushButton>

namespace numra {

namespace {

const QString germanHelp = QStringLiteral(
    "Die Bedienung entspricht im Wesentlichen der eines üblichen Taschenrechners. "
    "Es können aber auch eigene Berechnungen/Formeln eingegeben werden. Dazu den "
    "Button EDIT drücken und im Textfeld die Formel eingeben. Mit [RETURN] wird die "
    "Berechnung dann abgeschlossen und das Ergebnis angezeigt. Diese Formeln können "
    "gespeichert und später auch wieder geladen werden. Um einen kopierten Wert in das "
    "Berechnungsfeld einzutragen den Button [M-] drücken. TIPP: Um die Genauigkeit "
    "nicht zu beeinträchtigen erst am Schluß einer Berechnung das Endergebnis runden.");

const QString englishHelp = QStringLiteral(
    "Operation is essentially the same as the operation of a pocket calculator. You can "
    "also edit your own calculations and formulas. Enter your formula in the enty field "
    "and press RETURN to get the result.\n"
    "These formulas can be saved to reloaded it later on.");

} // namespace

HelpWindow::HelpWindow(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("helpWindow"), QSize(594, 196))
{
    title_ = new QLabel(QStringLiteral("Hilfe"), this);
    title_->setGeometry(-1, 0, 590, 41);
    title_->setAlignment(Qt::AlignCenter);
    title_->setFont(tahoma(27));

    text_ = new QLabel(this);
    text_->setGeometry(21, 32, 550, 120);
    text_->setFont(tahoma(13));
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    okButton_ = addButton(QStringLiteral("OK"), QRect(232, 158, 123, 25));
    okButton_->setAccessibleName(QStringLiteral("OK"));
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
}

void HelpWindow::showHelp(Language language)
{
    language_ = language;
    exec();
}

void HelpWindow::showEvent(QShowEvent* event)
{
    text_->setText(language_ == Language::German ? germanHelp : englishHelp);
    okButton_->setFocus();
    FixedDialog::showEvent(event);
}

} // namespace numra
