// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/tokenkind.h"

#include "eval/charclass.h"

namespace numra {

namespace {

char16_t foldCase(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return c + (u'a' - u'A');
    if (c < 0x80)
        return c;
    return QChar::toCaseFolded(c);
}

// Single characters that are tokens of their own; everything from "(" to ">"
// and the brackets and the double quote.
TokenKind singleCharacterKind(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return tok::Integer;
    switch (c) {
    case u'(': return tok::LParen;
    case u')': return tok::RParen;
    case u'*': return tok::Mul;
    case u'+': return tok::Plus;
    case u',': return tok::Comma;
    case u'-': return tok::Minus;
    case u'.': return tok::Point;
    case u'/': return tok::Divide;
    case u':': return tok::Colon;
    case u';': return tok::Semicolon;
    case u'<': return tok::Less;
    case u'=': return tok::Equal;
    case u'>': return tok::Greater;
    case u'[': return tok::LBracket;
    case u']': return tok::RBracket;
    case u'"': return tok::DoubleQuote;
    default: return tok::Unknown;
    }
}

TokenKind compoundKind(QStringView text)
{
    switch (text[0].unicode()) {
    case u'$':
        for (qsizetype i = 1; i < text.size(); ++i) {
            if (!charclass::isHexDigit(text[i].unicode()))
                return tok::Unknown;
        }
        return tok::Integer;
    case u'.':
        return text[1] == u'.' ? tok::Range : tok::Unknown;
    case u'<':
        if (text == u"<=")
            return tok::LessEqual;
        return text == u"<>" ? tok::NotEqual : tok::Unknown;
    case u'>':
        return text == u">=" ? tok::GreaterEqual : tok::Unknown;
    default:
        return tok::Unknown;
    }
}

// Digits with at most one "." ("12", "12.", "1.5").
TokenKind numberKind(QStringView text)
{
    int points = 0;
    for (QChar c : text) {
        if (c == u'.')
            ++points;
        else if (!charclass::isDigit(c.unicode()))
            return tok::Unknown;
    }
    if (points > 1)
        return tok::Unknown;
    return points == 1 ? tok::Double : tok::Integer;
}

bool isIdentifierText(QStringView text)
{
    const char16_t first = text[0].unicode();
    if (!charclass::isIdentifierStart(first) && !isUnicodeLetter(text[0]))
        return false;
    for (qsizetype i = 1; i < text.size(); ++i) {
        if (!charclass::isIdentifierChar(text[i].unicode()) && !isUnicodeLetter(text[i]))
            return false;
    }
    return true;
}

} // namespace

bool isUnicodeLetter(QChar c)
{
    return c.isLetter();
}

bool sameNameIgnoringCase(QStringView text, QStringView name)
{
    if (text.size() != name.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (foldCase(text[i].unicode()) != foldCase(name[i].unicode()))
            return false;
    }
    return true;
}

QString foldName(QStringView text)
{
    QString folded(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        folded[i] = QChar(foldCase(text[i].unicode()));
    return folded;
}

bool sameNameIgnoringCase(QStringView text, const char* asciiName)
{
    qsizetype i = 0;
    for (; asciiName[i] != '\0'; ++i) {
        if (i >= text.size() || foldCase(text[i].unicode()) != foldCase(char16_t(asciiName[i])))
            return false;
    }
    return i == text.size();
}

TokenKind findKeyword(QStringView text)
{
    if (text.size() < 2 || text.size() > 14)
        return tok::Unknown;
    for (const Keyword& keyword : kKeywords) {
        if (sameNameIgnoringCase(text, keyword.text))
            return keyword.kind;
    }
    return tok::Unknown;
}

TokenKind classifyToken(QStringView text)
{
    if (text.isEmpty())
        return tok::Empty;
    if (text.size() == 1) {
        const TokenKind kind = singleCharacterKind(text[0].unicode());
        if (kind != tok::Unknown)
            return kind;
    } else {
        const TokenKind kind = compoundKind(text);
        if (kind != tok::Unknown)
            return kind;
    }
    if (const TokenKind kind = numberKind(text); kind != tok::Unknown)
        return kind;
    if (text.size() >= 2 && text.front() == u'\'' && text.back() == u'\'')
        return tok::String;
    if (const TokenKind kind = findKeyword(text); kind != tok::Unknown)
        return kind;
    return isIdentifierText(text) ? tok::Identifier : tok::Unknown;
}

} // namespace numra
