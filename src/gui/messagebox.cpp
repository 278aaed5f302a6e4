// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/messagebox.h"

#include "gui/staysontop.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace numra {

namespace {

// A message can quote a whole formula of a megabyte; laying that out takes
// seconds and gives a window larger than the screen. The box shows its start
// and its end, which carries the message's own words.
QString shownText(const QString& text)
{
    constexpr qsizetype head = 1000;
    constexpr qsizetype tail = 300;
    if (text.size() <= head + tail)
        return text;
    return text.left(head) + QStringLiteral(" … ") + text.right(tail);
}

void runBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    QMessageBox box(icon, caption, QString(), QMessageBox::Ok, parent);
    // Messages quote formulas, file names and tape rows: as rich text a
    // formula's <img src="..."> would open any file (a FIFO blocks for good)
    // and <a href> would start a browser.
    box.setTextFormat(Qt::PlainText);
    box.setText(shownText(text));
    // An alert window whose description is its message: a screen reader
    // says it as the box opens, wherever the focus was.
    box.setAccessibleDescription(box.text());
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    stayOnTopLikeCalculator(box);
    box.exec();
}

} // namespace

bool askYesNo(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Frage"), QString(), QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setTextFormat(Qt::PlainText);
    box.setText(shownText(text));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nein"));
    box.setDefaultButton(QMessageBox::Yes);
    stayOnTopLikeCalculator(box);
    return box.exec() == QMessageBox::Yes;
}

void showMessageBox(QWidget* parent, MessageKind kind, const QString& text)
{
    switch (kind) {
    case MessageKind::Error:
        runBox(parent, QMessageBox::Critical, QStringLiteral("Fehler"), text);
        break;
    case MessageKind::Information:
        runBox(parent, QMessageBox::Information, QStringLiteral("Informationen"), text);
        break;
    case MessageKind::Plain:
        runBox(parent, QMessageBox::NoIcon, QApplication::applicationName(), text);
        break;
    }
}

bool askToConfirm(QWidget* parent, const QString& text, const QString& confirm)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), QString(), QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    box.setText(shownText(text));
    QPushButton* yes = box.addButton(confirm, QMessageBox::AcceptRole);
    QPushButton* no = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    stayOnTopLikeCalculator(box);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace numra
