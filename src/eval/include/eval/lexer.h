// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lexer of the formula language. TokenCutter cuts the source into tokens
// and tells their kinds; Lexer turns literals into values and keeps the
// current token and a one-token push-back. Token
// texts are views into the source (only strings with doubled quotes and "#"
// character codes get a text of their own), so reading a formula allocates
// nothing but its string literals and identifiers.

#include "eval/errors.h"
#include "eval/scriptvalue.h"
#include "eval/tokenkind.h"

#include <QString>
#include <QStringView>
#include <cstdint>

namespace numra {

// The digits of a decimal number token without its point: the value is
// digits * 10^scale while significant (the digits after the leading zeros
// of the integer part) is at most 19. A hexadecimal literal has none.
struct DecimalDigits {
    std::uint64_t digits = 0;
    int significant = 0;
    int scale = 0;
};

class TokenCutter {
public:
    // The text is read as if it were followed by U+0000, the end of the text.
    void setSource(const QString& source);
    const QString& source() const { return source_; }

    // 0-based character index of the next character to read.
    int position() const { return int(pos_); }
    // Back to the start of the text.
    void rewind();

    // Cuts the next token (an empty text at the end), leaves the position
    // just after it and returns its kind. Raises InterpreterError 101 for
    // broken comments and ConvertError for a "#" code beyond 32 bits.
    TokenKind cutToken();
    // Of the last token that was a decimal number.
    const DecimalDigits& numberDigits() const { return number_; }

    // Where the last token stands in the source; its text may differ (a
    // string with doubled quotes).
    TextSpan tokenSpan() const { return {int(tokenStart_), int(pos_ - tokenStart_)}; }

    QStringView tokenText() const
    {
        return cooked_ ? QStringView(cookedText_) : QStringView(data_ + tokenStart_, pos_ - tokenStart_);
    }

private:
    char16_t at(qsizetype i) const { return i < size_ ? data_[i].unicode() : u'\0'; }
    void skipBlanksAndComments();
    bool skipCommentOnce();
    TokenKind cutDecimalNumber();
    TokenKind cutOtherToken(bool afterPoint);
    void cutString(qsizetype start);
    void cutCharacterCode(qsizetype start);
    void cutCompound();

    QString source_;
    const QChar* data_ = nullptr;
    qsizetype size_ = 0;
    qsizetype pos_ = 0;
    qsizetype tokenStart_ = 0;
    bool cooked_ = false; // the token text differs from the source: cookedText_
    QString cookedText_;
    DecimalDigits number_;
};

class Lexer {
public:
    void setSource(const QString& source);
    const QString& source() const { return cutter_.source(); }

    // Back to the start of the text with the end of the text as current token.
    void reset();

    // Decimal literals ("12.5") become Doubles in the binary arithmetic and
    // exact Decimals in the decimal one.
    void setArithmetic(Arithmetic arithmetic) { arithmetic_ = arithmetic; }

    // Makes the next token current (or re-delivers a pushed-back one).
    void advance();
    // The current token will be delivered once more; a second push-back
    // without an advance between is an internal error.
    void pushBack();

    TokenKind kind() const { return kind_; }
    // Value of the last identifier or literal.
    const ScriptValue& value() const { return value_; }
    // The same, taken: value() is undefined until the next identifier or literal.
    ScriptValue takeValue() { return std::move(value_); }
    QStringView text() const { return cutter_.tokenText(); }

    int endPos() const { return cutter_.position(); }
    int startPos() const { return endPos() - int(text().size()); }
    // The current token's place in the source, as errors name it.
    TextSpan tokenSpan() const { return cutter_.tokenSpan(); }

    // The current token is a "%" that starts at position, with nothing (no
    // blank, no comment) before it.
    bool isPercentSignAt(int position) const
    {
        return kind_ == tok::Unknown && text() == u"%" && startPos() == position;
    }

private:
    void readIntegerValue();
    void readDoubleValue();
    void readDecimalValue();

    TokenCutter cutter_;
    Arithmetic arithmetic_ = Arithmetic::Binary;
    TokenKind kind_ = tok::Empty;
    ScriptValue value_;
    bool backed_ = false;
};

// A token of decimal digits with at most one "." ("12", "12.5", "12."), not
// a hexadecimal "$" literal.
inline bool isDecimalNumber(QStringView token)
{
    return !token.isEmpty() && token.front() >= u'0' && token.front() <= u'9';
}

// The formula's last token is a "%" directly after a decimal number ("10%",
// "1+2.5%"), so the "%" is the percent operator and the formula is complete.
bool endsWithPercentOfNumber(const QString& formula);

} // namespace numra
