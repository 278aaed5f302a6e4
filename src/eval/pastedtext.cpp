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

// Reads the number's text in the user's format, "-1234,56", with the
// separators given.
class NumberReader {
public:
    NumberReader(QStringView text, QChar decimalSeparator, QChar groupSeparator)
        : text_(text), decimalSeparator_(decimalSeparator), groupSeparator_(groupSeparator)
    {
        out_.reserve(text.size() + 2);
    }

    // Nothing when the text is no number under the separators.
    std::optional<QString> read(bool negative)
    {
        if (!integerDigits())
            return std::nullopt;
        decimals();
        if (!exponent() || i_ != text_.size() || !digits_)
            return std::nullopt;
        if (negative && !zero_)
            out_.prepend(u'-');
        return std::move(out_);
    }

private:
    enum class Grouping { None, Separator, Blanks };

    void takeDigits(QStringView digits)
    {
        for (QChar c : digits) {
            if (c != u'0' || !zero_ || decimal_) // leading zeros go
                out_ += c;
            zero_ = zero_ && c == u'0';
        }
        digits_ = digits_ || !digits.isEmpty();
    }

    QStringView digitRun()
    {
        const qsizetype start = i_;
        while (i_ < text_.size() && charclass::isDigit(text_[i_].unicode()))
            ++i_;
        return text_.sliced(start, i_ - start);
    }

    // Digits, or groups of them: the first of one to three digits without a
    // leading zero, each other of exactly three, all behind the same kind
    // of separator.
    bool integerDigits()
    {
        for (;;) {
            const QStringView run = digitRun();
            takeDigits(run);
            const char16_t c = i_ < text_.size() ? text_[i_].unicode() : u'\0';
            const Grouping mark = c == groupSeparator_.unicode() ? Grouping::Separator
                : isGroupingBlank(c)                              ? Grouping::Blanks
                                                                  : Grouping::None;
            if (grouping_ == Grouping::None && mark == Grouping::None)
                break;
            const bool first = grouping_ == Grouping::None;
            const bool fits = first ? !run.isEmpty() && run.size() <= 3 && run[0] != u'0' : run.size() == 3;
            if (!fits || (!first && mark != Grouping::None && mark != grouping_))
                return false;
            if (mark == Grouping::None)
                break;
            grouping_ = mark;
            ++i_;
        }
        if (zero_)
            out_ += u'0';
        return true;
    }

    void decimals()
    {
        if (i_ == text_.size() || text_[i_] != decimalSeparator_)
            return;
        ++i_;
        const QStringView run = digitRun();
        if (run.isEmpty())
            return;
        out_ += decimalSeparator_;
        decimal_ = true;
        takeDigits(run);
    }

    // "E", a sign and digits after a number without grouping.
    bool exponent()
    {
        if (i_ == text_.size() || (text_[i_] != u'E' && text_[i_] != u'e') || grouping_ != Grouping::None || !digits_)
            return true;
        const qsizetype start = ++i_;
        if (i_ < text_.size() && (text_[i_] == u'+' || text_[i_] == u'-'))
            ++i_;
        if (digitRun().isEmpty())
            return false;
        out_ += u'E';
        out_ += text_.sliced(start, i_ - start);
        return true;
    }

    QStringView text_;
    QChar decimalSeparator_;
    QChar groupSeparator_;
    qsizetype i_ = 0;
    QString out_;
    Grouping grouping_ = Grouping::None;
    bool digits_ = false;  // any digit so far
    bool zero_ = true;     // all digits so far are 0
    bool decimal_ = false; // in the decimals, where zeros stay
};

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
    if (std::optional<QString> amount = NumberReader(marked->number, decimalSeparator, groupSeparator).read(marked->negative)) {
        if (!withinRange(*amount, decimalSeparator))
            return {};
        return {CellKind::Amount, std::move(*amount)};
    }
    const bool otherConvention = decimalSeparator == u',' || decimalSeparator == u'.';
    if (otherConvention && NumberReader(marked->number, groupSeparator, decimalSeparator).read(false))
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
