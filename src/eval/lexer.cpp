// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/lexer.h"

#include "eval/charclass.h"
#include "eval/fpu.h"
#include "eval/interpretererror.h"
#include "eval/numbertext.h"
#include "eval/textcopy.h"

#include <cstdint>
#include <limits>
#include <optional>

namespace numra {

namespace {

// Decimal digits as an unsigned value; nullopt beyond 64 bits.
std::optional<std::uint64_t> unsignedValueOf(QStringView digits)
{
    std::uint64_t value = 0;
    for (QChar c : digits) {
        const std::uint64_t digit = c.unicode() - u'0';
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// "$" and hexadecimal digits: Integer with up to 8 significant digits, Int64
// with up to 16, the top bit giving negative values.
std::optional<ScriptValue> hexLiteral(QStringView digits)
{
    qsizetype first = 0;
    while (first < digits.size() && digits[first] == u'0')
        ++first;
    const qsizetype significant = digits.size() - first;
    if (significant > 16)
        return std::nullopt;
    std::uint64_t bits = 0;
    for (qsizetype i = first; i < digits.size(); ++i)
        bits = bits << 4 | std::uint64_t(charclass::hexDigitValue(digits[i].unicode()));
    if (significant <= 8)
        return ScriptValue::integer(std::int32_t(std::uint32_t(bits)));
    return ScriptValue::int64(std::int64_t(bits));
}

std::optional<ScriptValue> decimalLiteral(QStringView digits)
{
    const auto value = unsignedValueOf(digits);
    if (!value || *value > std::uint64_t(std::numeric_limits<std::int64_t>::max()))
        return std::nullopt;
    if (*value <= std::uint64_t(std::numeric_limits<std::int32_t>::max()))
        return ScriptValue::integer(std::int32_t(*value));
    return ScriptValue::int64(std::int64_t(*value));
}

} // namespace

void TokenCutter::setSource(const QString& source)
{
    copyInto(source_, source);
    data_ = source_.constData();
    size_ = source_.size();
    rewind();
}

void TokenCutter::rewind()
{
    pos_ = 0;
    tokenStart_ = 0;
    cooked_ = false;
}

// One pass over at most one comment; true if it moved the position.
bool TokenCutter::skipCommentOnce()
{
    const QStringView text(data_, size_);
    const char16_t c = at(pos_);
    const char16_t n = at(pos_ + 1);
    if (c == u'{') {
        const qsizetype close = text.indexOf(u'}', pos_ + 1);
        if (close < 0)
            throw InterpreterError(errcode::ErrorInRemark, int(pos_));
        pos_ = close + 1;
        return true;
    }
    if (c == u'(' && n == u'*') {
        // The search starts behind the opener's "*", so "(*)" is not closed.
        const qsizetype close = text.indexOf(u"*)", pos_ + 2);
        if (close < 0)
            throw InterpreterError(errcode::ErrorInRemark, int(pos_));
        pos_ = close + 2;
        return true;
    }
    if ((c == u'*' && n == u')') || c == u'}')
        throw InterpreterError(errcode::ErrorInRemark, int(pos_));
    if (c == u'/' && n == u'/') {
        while (!charclass::isLineEnd(at(pos_)))
            ++pos_;
        return true;
    }
    return false;
}

void TokenCutter::skipBlanksAndComments()
{
    for (;;) {
        const qsizetype before = pos_;
        skipCommentOnce();
        while (charclass::isBlank(at(pos_)))
            ++pos_;
        if (pos_ == before)
            return;
    }
}

// Each kind of token is recognised by its first characters, so the cut
// decides the kind as it goes. Numbers and symbols of one character, most of
// a formula, are cut here; every other token by cutOtherToken().
TokenKind TokenCutter::cutToken()
{
    const qsizetype previousEnd = pos_;
    cooked_ = false;
    if (charclass::startsBlankOrComment(at(pos_), at(pos_ + 1)))
        skipBlanksAndComments();
    tokenStart_ = pos_;
    const char16_t c = at(pos_);
    if (charclass::isDigit(c))
        return cutDecimalNumber();
    if (const TokenKind symbol = symbolOfCharacter(c); symbol != tok::Unknown && !charclass::isCompoundStart(c)) {
        ++pos_;
        return symbol;
    }
    return cutOtherToken(previousEnd > 0 && at(previousEnd - 1) == u'.');
}

// After a point ("x.y") a name may hold letters outside ASCII.
TokenKind TokenCutter::cutOtherToken(bool afterPoint)
{
    const qsizetype start = pos_;
    const char16_t c = at(pos_);
    if (charclass::isIdentifierStart(c) || (afterPoint && isUnicodeLetter(QChar(c)))) {
        while (charclass::isIdentifierChar(at(pos_)) || (afterPoint && isUnicodeLetter(QChar(at(pos_)))))
            ++pos_;
        const TokenKind keyword = findKeyword(tokenText());
        return keyword != tok::Unknown ? keyword : tok::Identifier;
    }
    if (c == u'$' && charclass::isHexDigit(at(pos_ + 1))) {
        ++pos_;
        while (charclass::isHexDigit(at(pos_)))
            ++pos_;
        return tok::Integer;
    }
    if (c == u'\'') {
        cutString(start);
        const QStringView text = tokenText();
        return text.size() >= 2 && text.back() == u'\'' ? tok::String : tok::Unknown;
    }
    if (c == u'#' && charclass::isDigit(at(pos_ + 1))) {
        cutCharacterCode(start);
        return tok::String;
    }
    if (charclass::isCompoundStart(c)) {
        cutCompound();
        return findSymbol(tokenText());
    }
    if (c == u'\0')
        return tok::Empty;
    ++pos_;
    // A letter outside ASCII is a name of one letter.
    return isUnicodeLetter(QChar(c)) ? tok::Identifier : tok::Unknown;
}

// Digits with "." inside: "1.2.3" is one token (and no number), "1..5" is
// "1", "..", "5". The digits are gathered on the way, for the literal's
// value, in runs between the points; zeros after the point count as
// significant, which only sends a few exact values the longer way.
TokenKind TokenCutter::cutDecimalNumber()
{
    const QChar* p = data_ + pos_;
    const QChar* const end = data_ + size_;
    while (p != end && *p == u'0')
        ++p;
    DecimalDigits number;
    int points = 0;
    for (;;) {
        const QChar* const runStart = p;
        for (unsigned digit; p != end && (digit = p->unicode() - unsigned(u'0')) <= 9; ++p)
            number.digits = number.digits * 10 + digit; // wraps beyond 19 digits
        const auto run = int(p - runStart);
        number.significant += run;
        if (points > 0)
            number.scale -= run;
        if (p == end || *p != u'.' || (p + 1 != end && p[1] == u'.'))
            break;
        ++points;
        ++p;
    }
    pos_ = p - data_;
    number_ = number;
    return points == 0 ? tok::Integer : (points == 1 ? tok::Double : tok::Unknown);
}

void TokenCutter::cutString(qsizetype start)
{
    ++pos_;
    while (!charclass::isLineEnd(at(pos_))) {
        if (at(pos_) == u'\'') {
            if (at(pos_ + 1) != u'\'')
                break;
            ++pos_;
        }
        ++pos_;
    }
    // A closing quote or a line break ends the token; the end of the text
    // leaves an unterminated string without closing quote.
    const char16_t stop = at(pos_);
    if (stop == u'\'' || stop == u'\n' || stop == u'\r')
        ++pos_;

    const qsizetype length = pos_ - start;
    if (length < 4)
        return;
    const QStringView inner(data_ + start + 1, length - 2);
    if (!inner.contains(u"''"))
        return;
    cookedText_ = QChar(data_[start]);
    cookedText_ += inner.toString().replace(u"''"_qs, u"'"_qs);
    cookedText_ += data_[pos_ - 1];
    cooked_ = true;
}

void TokenCutter::cutCharacterCode(qsizetype start)
{
    ++pos_;
    while (charclass::isDigit(at(pos_)))
        ++pos_;
    const QStringView digits(data_ + start + 1, pos_ - start - 1);
    const auto value = unsignedValueOf(digits);
    if (!value || *value > std::uint64_t(std::numeric_limits<std::int32_t>::max())) {
        throw ConvertError(QStringLiteral("''%1'' ist kein gültiger Integer-Wert")
                               .arg(digits.toString()));
    }
    cookedText_ = u"'"_qs;
    cookedText_ += QChar(char16_t(*value & 0xFFFF));
    cookedText_ += u'\'';
    cooked_ = true;
}

void TokenCutter::cutCompound()
{
    const char16_t c = at(pos_);
    const char16_t n = at(pos_ + 1);
    const bool pair = (c == u'.' && n == u'.') || (c == u'>' && n == u'=')
        || (c == u'<' && (n == u'=' || n == u'>'));
    pos_ += pair ? 2 : 1;
}

void Lexer::setSource(const QString& source)
{
    cutter_.setSource(source);
}

void Lexer::reset()
{
    cutter_.rewind();
    backed_ = false;
    kind_ = tok::Empty;
}

void Lexer::pushBack()
{
    if (backed_)
        throw InterpreterError(errcode::Internal, -1);
    backed_ = true;
}

void Lexer::advance()
{
    if (backed_) {
        backed_ = false;
        return;
    }
    kind_ = cutter_.cutToken();
    switch (kind_) {
    case tok::Identifier:
        value_ = ScriptValue::text(text().toString());
        break;
    case tok::Integer:
        readIntegerValue();
        break;
    case tok::Double:
        readDoubleValue();
        break;
    case tok::String:
        value_ = ScriptValue::text(text().mid(1, text().size() - 2).toString());
        break;
    case tok::False:
    case tok::True:
        value_ = ScriptValue::boolean(kind_ == tok::True);
        break;
    default:
        break;
    }
}

void Lexer::readIntegerValue()
{
    const QStringView token = text();
    const bool decimal = isDecimalNumber(token);
    const DecimalDigits& number = cutter_.numberDigits();
    if (decimal && number.significant <= 9) { // below 2^31 whatever the digits
        value_.setInteger(std::int32_t(number.digits));
        return;
    }
    std::optional<ScriptValue> value = decimal ? decimalLiteral(token) : hexLiteral(token.mid(1));
    if (!value)
        throw InterpreterError(errcode::IntegerRequired, tokenSpan());
    value_ = std::move(*value);
}

// Cut as the lexer cuts, so "x1%", "$12%" and "1.2.3%" are no number before
// the "%"; a text the cutter refuses is none either.
bool endsWithPercentOfNumber(const QString& formula)
{
    if (!formula.endsWith(u'%'))
        return false;
    TokenCutter cutter;
    cutter.setSource(formula);
    bool afterNumber = false;
    int numberEnd = -1;
    try {
        for (;;) {
            const TokenKind kind = cutter.cutToken();
            const QStringView token = cutter.tokenText();
            if (token.isEmpty())
                return false;
            if (cutter.position() == formula.size())
                return token == u"%" && afterNumber && cutter.position() - 1 == numberEnd;
            afterNumber = (kind == tok::Integer || kind == tok::Double) && isDecimalNumber(token);
            numberEnd = cutter.position();
        }
    } catch (const Error&) {
        return false;
    }
}

// Literals always use "." as decimal separator, whatever the user's locale.
void Lexer::readDoubleValue()
{
    if (arithmetic_ == Arithmetic::Decimal) {
        readDecimalValue();
        return;
    }
    const DecimalDigits& number = cutter_.numberDigits();
    std::optional<long double> value;
    if (number.significant <= 19)
        value = exactDecimalValue(number.digits, number.scale);
    if (!value) {
        long double parsed = 0;
        if (!tryParseNumber(text(), u'.', parsed))
            throw InterpreterError(errcode::Internal, -1);
        value = parsed;
    }
    value_ = ScriptValue::dbl(fpu::toDouble(*value));
}

// The digits as written, up to 34 of them; like a Double, a literal must lie
// within the double range.
void Lexer::readDecimalValue()
{
    const DecimalDigits& number = cutter_.numberDigits();
    Decimal value;
    if (number.significant <= 19)
        value = Decimal::fromParts(false, number.digits, number.scale);
    else if (!tryParseDecimal(text(), u'.', value))
        throw InterpreterError(errcode::Internal, -1);
    value_ = ScriptValue::decimal(withinRange(value, BinaryRange::Double));
}

} // namespace numra
