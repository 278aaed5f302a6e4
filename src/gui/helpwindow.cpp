// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/helpwindow.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace numra {

namespace {

// The first paragraph of each is the program's oldest text, kept as users
// know it; the others describe what came since.
const QString germanHelp = QStringLiteral(
    "Die Bedienung entspricht im Wesentlichen der eines üblichen Taschenrechners. "
    "Es können aber auch eigene Berechnungen/Formeln eingegeben werden. Dazu den "
    "Button EDIT drücken und im Textfeld die Formel eingeben. Mit [RETURN] wird die "
    "Berechnung dann abgeschlossen und das Ergebnis angezeigt. Diese Formeln können "
    "gespeichert und später auch wieder geladen werden. Um einen kopierten Wert in das "
    "Berechnungsfeld einzutragen den Button [M-] drücken. TIPP: Um die Genauigkeit "
    "nicht zu beeinträchtigen erst am Schluß einer Berechnung das Endergebnis runden.\n\n"
    "Eine Ziffer nach einem Ergebnis beginnt eine neue Zahl, ein Rechenzeichen rechnet mit dem "
    "Ergebnis weiter. Die Zeile über dem Eingabefeld zeigt die angefangene Formel und den "
    "Umsatzsteuersatz.\n\n"
    "Umsatzsteuer: [Ust+] rechnet vom Netto- zum Bruttobetrag, [Ust-] vom Brutto- zum "
    "Nettobetrag, zum gewählten Satz: 19 %, 7 % oder ein eigener Satz, im Menü unter "
    "\u201EUmsatzsteuersatz\u201C oder im Feld \u201ESteuersatz\u201C des Umsatzsteuerfensters. "
    "Das Fenster zeigt Netto, Steuer und Brutto; [Kopieren] legt einen der Beträge in die "
    "Zwischenablage und in den Speicher.\n\n"
    "Rechenstreifen: Jede abgeschlossene Berechnung kommt auf den Rechenstreifen, der die Summe "
    "der Ergebnisse zeigt. [F4] oder das Menü öffnet ihn; ein Doppelklick übernimmt eine Formel "
    "oder ein Ergebnis, \u201EExportieren\u2026\u201C und \u201EDrucken\u2026\u201C geben ihn aus. Mit "
    "\u201ERechenstreifen behalten\u201C bleibt er bis zum nächsten Start erhalten.\n\n"
    "Beträge: \u201ENachkommastellen\u201C im Menü oder [F3] wählt F (frei), 0 bis 4 oder ADD "
    "(Beträge nur aus Ziffern werden beim Addieren in Cent genommen: 1234 + 5 = ergibt 12,39), "
    "\u201ERunden\u201C aufrunden, 5/4 oder abrunden; \u201ETausenderpunkte\u201C zeigt 1.234.567,89. "
    "[STRG+V] fügt Beträge ein, wie man sie schreibt (\u201E1.234,56 \u20AC\u201C); eine Spalte "
    "von Beträgen wird auf Wunsch addiert.\n\n"
    "Schnellrechnen: Numra läuft nur einmal; ein weiterer Aufruf holt das laufende Fenster nach vorn "
    "(abschaltbar mit \u201ENur ein Fenster\u201C). \u201Enumra --zeigen\u201C holt Numra oder minimiert es, "
    "\u201Enumra --zwischenablage\u201C rechnet aus, was in der Zwischenablage steht, legt das Ergebnis "
    "wieder hinein und schreibt die Zeile mit der Notiz \u201EZwischenablage\u201C auf den "
    "Rechenstreifen. \u201ETastenkürzel einrichten \u2026\u201C im Menü legt die beiden Befehle auf "
    "Tasten des Desktops. Berechnungen (.clc) und Rechenstreifen (.rstr) öffnen sich per Doppelklick "
    "im Dateimanager.\n\n"
    "Tasten: [F1] Hilfe, [F3] Nachkommastellen, [F4] Rechenstreifen (mit der Tastatur darin), "
    "[F10] Menü, [STRG]+[+], [STRG]+[-] und [STRG]+[0] Größe (Zoom), [F5] Umsatzsteuersatz 19 % "
    "oder 7 %, [F6] Ust-, [F7] Ust+, [F8] Prozent, [F9] CE, [RETURN] Ergebnis, [RÜCKTASTE] "
    "letztes Zeichen löschen, [ENTF] Eingabe löschen, [ESC] das zuletzt geöffnete Fenster "
    "schließen, sonst wie CE.");

const QString englishHelp = QStringLiteral(
    "Operation is essentially the same as the operation of a pocket calculator. You can "
    "also edit your own calculations and formulas. Enter your formula in the enty field "
    "and press RETURN to get the result.\n"
    "These formulas can be saved to reloaded it later on.\n\n"
    "A digit after a result starts a new number, an operator goes on with the result. The "
    "line above the entry field shows the formula begun and the VAT rate.\n\n"
    "VAT: [Ust+] computes the gross amount from the net amount, [Ust-] the net amount from the "
    "gross amount, at the rate chosen: 19 %, 7 % or a rate of your own, in the menu under "
    "\u201CUmsatzsteuersatz\u201D or in the \u201CSteuersatz\u201D box of the VAT window. The window shows "
    "net, tax and gross; [Copy] puts one of them on the clipboard and into the memory.\n\n"
    "Tape: every completed calculation goes onto the tape \u201CRechenstreifen\u201D, which shows the "
    "total of the results. [F4] or the menu opens it; a double-click takes a formula or a "
    "result, \u201CExportieren\u2026\u201D and \u201CDrucken\u2026\u201D export and print it. With "
    "\u201CRechenstreifen behalten\u201D it is kept until the next start.\n\n"
    "Amounts: \u201CNachkommastellen\u201D in the menu or [F3] chooses F (free), 0 to 4 or ADD "
    "(amounts of digits alone are added in cents: 1234 + 5 = gives 12,39), \u201CRunden\u201D "
    "rounds up, 5/4 or down; \u201CTausenderpunkte\u201D shows 1.234.567,89. [CTRL+V] pastes "
    "amounts as people write them (\u201C1.234,56 \u20AC\u201D); a column of amounts is added "
    "on request.\n\n"
    "Quick use: Numra runs once; another start brings the running window to the front (\u201CNur ein "
    "Fenster\u201D turns this off). \u201Cnumra --zeigen\u201D shows or minimises Numra, \u201Cnumra "
    "--zwischenablage\u201D computes what the clipboard holds, puts the result back and adds the row "
    "with the note \u201CZwischenablage\u201D to the tape. \u201CTastenkürzel einrichten \u2026\u201D in "
    "the menu puts both commands on keys of the desktop. Calculation files (.clc) and tapes (.rstr) "
    "open with a double-click in the file manager.\n\n"
    "Keys: [F1] help, [F3] decimal places, [F4] tape (with the keyboard in it), [F10] menu, "
    "[CTRL]+[+], [CTRL]+[-] and [CTRL]+[0] size (zoom), [F5] VAT rate 19 % or 7 %, [F6] Ust-, "
    "[F7] Ust+, [F8] percent, [F9] CE, [RETURN] result, [BACKSPACE] deletes the last character, "
    "[DEL] clears the entry, [ESC] closes the window opened last, else works as CE.");

} // namespace

// The text scrolls in its area, which is as wide as the text of old.
HelpWindow::HelpWindow(QWidget* owner)
    : FixedDialog(owner, QStringLiteral("helpWindow"), QSize(594, 396))
{
    title_ = new QLabel(QStringLiteral("Hilfe"), this);
    title_->setGeometry(-1, 0, 590, 41);
    title_->setAlignment(Qt::AlignCenter);
    title_->setFont(tahoma(27));

    auto* area = new QScrollArea(this);
    area->setGeometry(21, 40, 556, 308);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setAccessibleName(QStringLiteral("Hilfetext"));
    text_ = new QLabel;
    text_->setFont(tahoma(13));
    text_->setWordWrap(true);
    text_->setTextFormat(Qt::PlainText);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area->setWidget(text_);
    area->viewport()->setAutoFillBackground(false);
    text_->setAutoFillBackground(false);

    okButton_ = addButton(QStringLiteral("OK"), QRect(232, 358, 123, 25));
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
