// SPDX-License-Identifier: GPL-3.0-or-later
// Pasted texts as people write amounts: each row says what a text becomes
// beside the decimal comma (German) or the decimal point (English).

#include "eval/number.h"
#include "eval/pastedtext.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace numra;

namespace {

using Kind = PastedText::Kind;

struct PasteCase {
    const char* name;
    const char* text;
    QChar separator;
    Kind kind;
    // Amounts: the amounts joined by "|"; Formula: the formula; Refused: the message.
    const char* result;
};

void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.name; }

class Pasting : public testing::TestWithParam<PasteCase> {};

QString resultOf(const PastedText& pasted)
{
    switch (pasted.kind) {
    case Kind::Amounts: {
        QStringList amounts(pasted.amounts.begin(), pasted.amounts.end());
        return amounts.join(u'|');
    }
    case Kind::Formula:
        return pasted.formula;
    case Kind::Refused:
        return pasted.message;
    case Kind::Empty:
        break;
    }
    return QString();
}

TEST_P(Pasting, ReadsAmountsAndRefusesWhatReadsTwoWays)
{
    const PasteCase& c = GetParam();
    const PastedText pasted = readPastedText(QString::fromUtf8(c.text), c.separator);
    EXPECT_EQ(int(pasted.kind), int(c.kind)) << c.text;
    EXPECT_EQ(resultOf(pasted), QString::fromUtf8(c.result)) << c.text;
    // Every amount is a number text of both arithmetics.
    for (const QString& amount : pasted.amounts) {
        Number binary;
        Number decimal;
        EXPECT_TRUE(tryParseNumber(amount, c.separator, Arithmetic::Binary, binary)) << amount.toStdString();
        EXPECT_TRUE(tryParseNumber(amount, c.separator, Arithmetic::Decimal, decimal)) << amount.toStdString();
    }
}

#define REFUSED_DE(text) "'" text "' ist kein eindeutiger Betrag: Das Dezimaltrennzeichen ist das Komma."
#define REFUSED_EN(text) "'" text "' ist kein eindeutiger Betrag: Das Dezimaltrennzeichen ist der Punkt."

INSTANTIATE_TEST_SUITE_P(German, Pasting, testing::Values(
    PasteCase{"thousands points and euro sign", "1.234,56 €", u',', Kind::Amounts, "1234,56"},
    PasteCase{"unicode minus", "−1.234,56", u',', Kind::Amounts, "-1234,56"},
    PasteCase{"blanks group", "1 234 567", u',', Kind::Amounts, "1234567"},
    PasteCase{"no-break space groups", "1\u00A0234,56", u',', Kind::Amounts, "1234,56"},
    PasteCase{"narrow no-break space groups", "1\u202F234\u202F567,50", u',', Kind::Amounts, "1234567,50"},
    PasteCase{"thin space groups", "12\u2009345,67", u',', Kind::Amounts, "12345,67"},
    PasteCase{"EUR before", "EUR 45,00", u',', Kind::Amounts, "45,00"},
    PasteCase{"eur after in small letters", "45,00eur", u',', Kind::Amounts, "45,00"},
    PasteCase{"euro sign before a minus", "€-45,00", u',', Kind::Amounts, "-45,00"},
    PasteCase{"minus before the euro sign", "- € 45,00", u',', Kind::Amounts, "-45,00"},
    PasteCase{"trailing minus", "45,00-", u',', Kind::Amounts, "-45,00"},
    PasteCase{"trailing unicode minus after a blank", "1.000 −", u',', Kind::Amounts, "-1000"},
    PasteCase{"accounting brackets", "(45,00)", u',', Kind::Amounts, "-45,00"},
    PasteCase{"brackets around amount and euro", "(1.234,56 €)", u',', Kind::Amounts, "-1234,56"},
    PasteCase{"euro before brackets", "EUR (45,00)", u',', Kind::Amounts, "-45,00"},
    PasteCase{"plus sign", "+45", u',', Kind::Amounts, "45"},
    PasteCase{"a copied cell with its line break", " \t12,50\r\n", u',', Kind::Amounts, "12,50"},
    PasteCase{"invisible marks around", "\uFEFF12,50\u200B", u',', Kind::Amounts, "12,50"},
    PasteCase{"separator first", ",5", u',', Kind::Amounts, "0,5"},
    PasteCase{"separator last", "5,", u',', Kind::Amounts, "5"},
    PasteCase{"leading zeros go", "007", u',', Kind::Amounts, "7"},
    PasteCase{"negative zero has no sign", "(0,00)", u',', Kind::Amounts, "0,00"},
    PasteCase{"the user's thousands point", "1.234", u',', Kind::Amounts, "1234"},
    PasteCase{"the user's decimal comma", "1,234", u',', Kind::Amounts, "1,234"},
    PasteCase{"a shown large value", "1,5E20", u',', Kind::Amounts, "1,5E20"},
    PasteCase{"english thousands and decimals", "1,234.56", u',', Kind::Refused, REFUSED_DE("1,234.56")},
    PasteCase{"english price", "12.50 €", u',', Kind::Refused, REFUSED_DE("12.50 €")},
    PasteCase{"a point where a comma belongs is never 11", "0.011", u',', Kind::Refused, REFUSED_DE("0.011")},
    PasteCase{"a point before one decimal", "1.5", u',', Kind::Refused, REFUSED_DE("1.5")},
    PasteCase{"english groups", "1,234,567", u',', Kind::Refused, REFUSED_DE("1,234,567")},
    PasteCase{"english exponent", "1.5E20", u',', Kind::Refused, REFUSED_DE("1.5E20")},
    PasteCase{"a formula", "12+5*2", u',', Kind::Formula, "12+5*2"},
    PasteCase{"a formula with points", " 1.5*2 ", u',', Kind::Formula, "1.5*2"},
    PasteCase{"brackets and a sign", "(-45)", u',', Kind::Formula, "(-45)"},
    PasteCase{"two signs", "-45,00-", u',', Kind::Formula, "-45,00-"},
    PasteCase{"two currencies", "€ 45 EUR", u',', Kind::Formula, "€ 45 EUR"},
    PasteCase{"groups of two", "1 23", u',', Kind::Formula, "1 23"},
    PasteCase{"groups of four", "1.2345,00", u',', Kind::Formula, "1.2345,00"},
    PasteCase{"mixed group marks", "1.234 567", u',', Kind::Formula, "1.234 567"},
    PasteCase{"decimals grouped", "0,123 45", u',', Kind::Formula, "0,123 45"},
    PasteCase{"points in no convention", "1.23.456", u',', Kind::Formula, "1.23.456"},
    PasteCase{"a word after", "12 Stück", u',', Kind::Formula, "12 Stück"},
    PasteCase{"euro sign alone", "€", u',', Kind::Formula, "€"},
    PasteCase{"beyond every range", "1E5000", u',', Kind::Formula, "1E5000"},
    PasteCase{"nothing", "", u',', Kind::Empty, ""},
    PasteCase{"blanks and line breaks", " \n\t\u00A0\r\n", u',', Kind::Empty, ""},
    PasteCase{"a column", "1.234,56\n-45,00\n\n12\n", u',', Kind::Amounts, "1234,56|-45,00|12"},
    PasteCase{"a row of cells", "12,50\t13,20", u',', Kind::Amounts, "12,50|13,20"},
    PasteCase{"a column with its heading", "Betrag\n12,50\n13,20", u',', Kind::Refused,
              "Zeile 1: 'Betrag' ist kein Betrag."},
    PasteCase{"an english amount in a column", "12,50\r\n\r\n1,234.56", u',', Kind::Refused,
              "Zeile 3: " REFUSED_DE("1,234.56")},
    PasteCase{"a labelled row", "Miete\t1.234,56", u',', Kind::Formula, "Miete\t1.234,56"},
    PasteCase{"a script of two lines", "x := 5;\ny := x*2", u',', Kind::Formula, "x := 5;\ny := x*2"}));

INSTANTIATE_TEST_SUITE_P(English, Pasting, testing::Values(
    PasteCase{"thousands commas", "1,234,567.89", u'.', Kind::Amounts, "1234567.89"},
    PasteCase{"euro sign before", "€1,234.56", u'.', Kind::Amounts, "1234.56"},
    PasteCase{"accounting brackets", "(45.00)", u'.', Kind::Amounts, "-45.00"},
    PasteCase{"trailing minus", "45.00-", u'.', Kind::Amounts, "-45.00"},
    PasteCase{"the user's thousands comma", "1,234", u'.', Kind::Amounts, "1234"},
    PasteCase{"the user's decimal point", "1.234", u'.', Kind::Amounts, "1.234"},
    PasteCase{"blanks group", "1 234.56", u'.', Kind::Amounts, "1234.56"},
    PasteCase{"a shown large value", "1.5E20", u'.', Kind::Amounts, "1.5E20"},
    PasteCase{"german amount", "1.234,56 €", u'.', Kind::Refused, REFUSED_EN("1.234,56 €")},
    PasteCase{"a comma where a point belongs", "0,011", u'.', Kind::Refused, REFUSED_EN("0,011")},
    PasteCase{"a comma before two decimals", "12,50", u'.', Kind::Refused, REFUSED_EN("12,50")},
    PasteCase{"a formula", "12+5*2", u'.', Kind::Formula, "12+5*2"},
    PasteCase{"a column", "1,000\n2.5\n(3)", u'.', Kind::Amounts, "1000|2.5|-3"}));

TEST(PastedText, MessagesShowALongTextShortened)
{
    const QString text = QStringLiteral("Überweisung an die Stadtwerke für März und April");
    const PastedText pasted = readPastedText(text, u',');
    EXPECT_EQ(pasted.kind, Kind::Formula);
    EXPECT_EQ(pasted.formula, text);
    EXPECT_EQ(pasted.message, u'\'' + text.first(40) + QStringLiteral("…' ist kein Betrag."));
}

} // namespace
