// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Amounts as people write them, from bank statements, e-mails and
// spreadsheets: "1.234,56 €", "EUR -1 234,56", "−45,00", "45,00-",
// "(45,00)". The reader takes the user's decimal separator and its
// thousands separator (groupSeparatorFor) and never guesses: a text that
// only the other convention reads ("1,234.56" beside the decimal comma) is
// refused with a message that shows it.

#include <QChar>
#include <QString>
#include <QStringView>
#include <vector>

namespace numra {

struct PastedText {
    enum class Kind {
        Empty,   // blanks only
        Amounts, // every cell an amount
        Formula, // no amount: a formula ("12+5*2") or any other text, for the formula language to judge
        Refused, // an amount that reads two ways, or a column with a cell that is no amount
    };
    Kind kind = Kind::Empty;
    // Amounts: one per cell, in the order pasted, as the user's number text
    // without thousands separators or currency: "-1234,56". tryParseNumber
    // reads each in either arithmetic, exactly as written.
    std::vector<QString> amounts;
    // Formula: the text without blanks at both ends.
    QString formula;
    // Refused, and Formula: why the text is no amount, in German, naming it.
    QString message;
};

// A text of one or more cells: lines (a spreadsheet column) and cells of a
// line separated by tabs (a row); blank cells are passed over. A cell holds
// an amount:
// - blanks, no-break and thin spaces around it, and "€" or "EUR" before or
//   after it;
// - a sign "+", "-" or "−" before it, a "-" or "−" after it ("45,00-"), or
//   brackets around it ("(45,00)"), which make it negative;
// - digits grouped by threes with the thousands separator or with blanks
//   ("1.234.567", "1 234 567"), or digits without grouping and then an
//   exponent ("1,5E20", as the calculator shows large values);
// - then the decimal separator and digits.
// An amount that reads two ways is refused wherever it stands. Otherwise a
// text whose cells are not all amounts is a formula when it is one line or
// holds no amount at all, and is refused when it is a column with other
// cells among its amounts (a heading, a note), naming the first of them.
PastedText readPastedText(QStringView text, QChar decimalSeparator);

} // namespace numra
