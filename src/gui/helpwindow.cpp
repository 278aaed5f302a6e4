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
    : FixedDialog(owner, QStringLiteral("FormHelp"), QSize(594, 196))
{
    label1_ = new QLabel(QStringLiteral("Hilfe"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(-1, 0, 590, 41);
    label1_->setAlignment(Qt::AlignCenter);
    label1_->setFont(tahoma(27));

    label2_ = new QLabel(this);
    label2_->setObjectName(QStringLiteral("Label2"));
    label2_->setGeometry(21, 32, 550, 120);
    label2_->setFont(tahoma(13));
    label2_->setWordWrap(true);
    label2_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    button1_ = addButton(QStringLiteral("OK"), QRect(232, 158, 123, 25));
    button1_->setObjectName(QStringLiteral("Button1"));
    button1_->setAccessibleName(QStringLiteral("OK"));
    connect(button1_, &QPushButton::clicked, this, &QDialog::accept);
}

void HelpWindow::showHelp(int language)
{
    curLanguage_ = language;
    exec();
}

void HelpWindow::showEvent(QShowEvent* event)
{
    label2_->setText(curLanguage_ == 0 ? germanHelp : englishHelp);
    button1_->setFocus();
    FixedDialog::showEvent(event);
}

} // namespace numra
