// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/pastedtext.h"

#include "eval/charclass.h"
#include "eval/digitgrouping.h"
#include "eval/numbertext.h"

#include <optional>

namespace numra {

namespace {

constexpr char16_t kMinusSign = 0x2212; // "−"
constexpr qsizetype kLongestQuote = 40; // characters of a text that a message shows

// Blanks that group digits: the space, the no-break space, the figure,
// punctuation, thin and hair spaces, and the narrow no-break space.
bool isGroupingBlank(char16_t c)
{
    return c == u' ' || c == 0x00A0 || (c >= 0x2007 && c <= 0x200A) || c == 0x202F;
}

// Around an amount also control characters and the invisible joiners and
// byte-order mark that web pages and editors leave behind.
bool isBlankAround(char16_t c)
{
    return c < 0x20 || isGroupingBlank(c) || c == 0x200B || c == 0x2060 || c == 0xFEFF;
}

QStringView trimmed(QStringView text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlankAround(text[start].unicode()))
        ++start;
    while (end > start && isBlankAround(text[end - 1].unicode()))
        --end;
    return text.sliced(start, end - start);
}

bool isMinus(QChar c)
{
    return c == u'-' || c == kMinusSign;
}

bool isEur(QStringView text)
{
    return text.compare(u"EUR", Qt::CaseInsensitive) == 0;
}

// The length of a currency mark at the start or the end of text, or 0.
qsizetype currencyAtStart(QStringView text)
{
    if (text.startsWith(u'€'))
        return 1;
    return text.size() >= 3 && isEur(text.first(3)) ? 3 : 0;
}

qsizetype currencyAtEnd(QStringView text)
{
    if (text.endsWith(u'€'))
        return 1;
    return text.size() >= 3 && isEur(text.last(3)) ? 3 : 0;
}

// The number between the marks around it.
struct Marked {
    QStringView number;
    bool negative = false;
};

// Takes away, from either end and in any order, at most one currency mark,
// one sign and one pair of brackets; a sign and brackets together are no
// amount ("(-45)" is a formula).
std::optional<Marked> withoutMarks(QStringView text)
{
    bool currency = false;
    bool sign = false;
    bool brackets = false;
    bool negative = false;
    for (;;) {
        text = trimmed(text);
        if (!brackets && text.size() >= 2 && text.front() == u'(' && text.back() == u')') {
            brackets = true;
            text = text.sliced(1, text.size() - 2);
        } else if (const qsizetype length = currency ? 0 : currencyAtStart(text)) {
            currency = true;
            text = text.sliced(length);
        } else if (const qsizetype length = currency ? 0 : currencyAtEnd(text)) {
            currency = true;
            text.chop(length);
        } else if (!sign && !text.isEmpty() && (text.front() == u'+' || isMinus(text.front()))) {
            sign = true;
            negative = isMinus(text.front());
            text = text.sliced(1);
        } else if (!sign && !text.isEmpty() && isMinus(text.back())) {
            sign = true;
            negative = true;
            text.chop(1);
        } else {
            break;
        }
    }
    if (sign && brackets)
        return std::nullopt;
    return Marked{text, negative || brackets};
}

// The number's text in the user's format, "-1234,56", read with the
// separators given; nothing when it is no number under them.
std::optional<QString> readNumber(const Marked& marked, QChar decimalSeparator, QChar groupSeparator)
{
    enum class Grouping { None, Separator, Blanks };
    const QStringView text = marked.number;
    QString out;
    out.reserve(text.size() + 2);
    out += u'-';
    bool digits = false;     // any digit so far
    bool zero = true;        // all digits so far are 0
    qsizetype run = 0;       // digits since the last group separator
    Grouping grouping = Grouping::None;
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (charclass::isDigit(c)) {
            if (c != u'0' || !zero) // leading zeros go
                out += QChar(c);
            zero = zero && c == u'0';
            digits = true;
            ++run;
            continue;
        }
        const Grouping mark = c == groupSeparator ? Grouping::Separator
            : isGroupingBlank(c)                  ? Grouping::Blanks
                                                  : Grouping::None;
        if (mark == Grouping::None)
            break;
        // The first group has one to three digits and no leading zero, each
        // other exactly three, all behind the same kind of separator.
        const bool first = grouping == Grouping::None;
        if (first ? (run == 0 || run > 3 || text[i - run] == u'0') : (mark != grouping || run != 3))
            return std::nullopt;
        grouping = mark;
        run = 0;
    }
    if (grouping != Grouping::None && run != 3)
        return std::nullopt;
    if (zero)
        out += u'0';
    if (i < text.size() && text[i] == decimalSeparator) {
        const qsizetype decimals = ++i;
        while (i < text.size() && charclass::isDigit(text[i].unicode()))
            ++i;
        if (i > decimals) {
            out += decimalSeparator;
            out += text.sliced(decimals, i - decimals);
            digits = true;
            for (QChar c : text.sliced(decimals, i - decimals))
                zero = zero && c == u'0';
        }
    }
    if (i < text.size() && (text[i] == u'E' || text[i] == u'e') && grouping == Grouping::None && digits) {
        const qsizetype start = ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        const qsizetype exponentDigits = i;
        while (i < text.size() && charclass::isDigit(text[i].unicode()))
            ++i;
        if (i == exponentDigits)
            return std::nullopt;
        out += u'E';
        out += text.sliced(start, i - start);
    }
    if (i != text.size() || !digits)
        return std::nullopt;
    if (!marked.negative || zero)
        out.remove(0, 1);
    return out;
}

// A number too large for either arithmetic is no amount: with an exponent,
// or with more integer digits than any value has.
bool withinRange(const QString& amount, QChar decimalSeparator)
{
    if (amount.size() < 4000 && !amount.contains(u'E'))
        return true;
    long double value = 0;
    return tryParseNumber(amount, decimalSeparator, value);
}

QString quoted(QStringView text)
{
    if (text.size() <= kLongestQuote)
        return u'\'' + text.toString() + u'\'';
    return u'\'' + text.first(kLongestQuote).toString() + QStringLiteral("…'");
}

QString ambiguityMessage(QStringView cell, QChar decimalSeparator)
{
    QString separator;
    if (decimalSeparator == u',')
        separator = QStringLiteral("das Komma");
    else if (decimalSeparator == u'.')
        separator = QStringLiteral("der Punkt");
    else
        separator = u'\'' + QString(decimalSeparator) + u'\'';
    return quoted(cell) + QStringLiteral(" ist kein eindeutiger Betrag: Das Dezimaltrennzeichen ist ") + separator
        + u'.';
}

QString noAmountMessage(QStringView cell)
{
    return quoted(cell) + QStringLiteral(" ist kein Betrag.");
}

QString inLine(int line, const QString& message)
{
    return QStringLiteral("Zeile %1: ").arg(line) + message;
}

enum class CellKind { Amount, Ambiguous, NoAmount };

struct Cell {
    CellKind kind = CellKind::NoAmount;
    QString amount;
};

Cell readCell(QStringView cell, QChar decimalSeparator)
{
    const std::optional<Marked> marked = withoutMarks(cell);
    if (!marked)
        return {};
    const QChar groupSeparator = groupSeparatorFor(decimalSeparator);
    if (std::optional<QString> amount = readNumber(*marked, decimalSeparator, groupSeparator)) {
        if (!withinRange(*amount, decimalSeparator))
            return {};
        return {CellKind::Amount, std::move(*amount)};
    }
    const bool otherConvention = decimalSeparator == u',' || decimalSeparator == u'.';
    if (otherConvention && readNumber(*marked, groupSeparator, decimalSeparator))
        return {CellKind::Ambiguous, {}};
    return {};
}

// The first cell that keeps a text from being amounts.
struct Obstacle {
    int line = 0;
    QStringView cell;
};

} // namespace

PastedText readPastedText(QStringView text, QChar decimalSeparator)
{
    PastedText result;
    std::optional<Obstacle> ambiguous;
    std::optional<Obstacle> noAmount;
    int cells = 0;
    int line = 1;
    int linesWithCells = 0;
    int lastLineWithCell = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const char16_t c = i < text.size() ? text[i].unicode() : u'\n';
        const bool lineEnd = c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
        if (!lineEnd && c != u'\t')
            continue;
        const QStringView cell = trimmed(text.sliced(start, i - start));
        if (!cell.isEmpty()) {
            ++cells;
            if (lastLineWithCell != line) {
                lastLineWithCell = line;
                ++linesWithCells;
            }
            Cell read = readCell(cell, decimalSeparator);
            if (read.kind == CellKind::Amount)
                result.amounts.push_back(std::move(read.amount));
            else if (read.kind == CellKind::Ambiguous && !ambiguous)
                ambiguous = Obstacle{line, cell};
            else if (read.kind == CellKind::NoAmount && !noAmount)
                noAmount = Obstacle{line, cell};
        }
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
        line += lineEnd ? 1 : 0;
    }

    if (cells == 0)
        return result;
    if (!ambiguous && !noAmount) {
        result.kind = PastedText::Kind::Amounts;
        return result;
    }
    const bool single = cells == 1;
    if (ambiguous) {
        result.kind = PastedText::Kind::Refused;
        const QString message = ambiguityMessage(ambiguous->cell, decimalSeparator);
        result.message = single ? message : inLine(ambiguous->line, message);
    } else if (result.amounts.empty() || linesWithCells == 1) {
        result.kind = PastedText::Kind::Formula;
        result.formula = trimmed(text).toString();
        result.message = noAmountMessage(result.formula);
    } else {
        result.kind = PastedText::Kind::Refused;
        result.message = inLine(noAmount->line, noAmountMessage(noAmount->cell));
    }
    result.amounts.clear();
    return result;
}

} // namespace numra
