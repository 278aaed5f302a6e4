// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/tokenkind.h"

#include "eval/charclass.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

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

} // namespace

bool isUnicodeLetter(QChar c)
{
    return c.isLetter();
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
    // Most identifiers are rejected by their length alone.
    static constexpr auto lengths = [] {
        std::pair<std::size_t, std::size_t> shortestAndLongest{SIZE_MAX, 0};
        for (const Keyword& keyword : kKeywords) {
            const std::size_t length = std::char_traits<char>::length(keyword.text);
            shortestAndLongest.first = std::min(shortestAndLongest.first, length);
            shortestAndLongest.second = std::max(shortestAndLongest.second, length);
        }
        return shortestAndLongest;
    }();
    if (std::size_t(text.size()) < lengths.first || std::size_t(text.size()) > lengths.second)
        return tok::Unknown;
    for (const Keyword& keyword : kKeywords) {
        if (sameNameIgnoringCase(text, keyword.text))
            return keyword.kind;
    }
    return tok::Unknown;
}

TokenKind findSymbol(QStringView text)
{
    if (text.size() == 1)
        return symbolOfCharacter(text[0].unicode());
    if (text.size() != 2 || !charclass::isCompoundStart(text[0].unicode()))
        return tok::Unknown;
    for (const Symbol& symbol : kSymbols) {
        if (text == QStringView(symbol.text))
            return symbol.kind;
    }
    return tok::Unknown;
}

QString spellingOf(TokenKind kind)
{
    for (const Symbol& symbol : kSymbols) {
        if (symbol.kind == kind)
            return QString::fromUtf16(symbol.text);
    }
    for (const Keyword& keyword : kKeywords) {
        if (keyword.kind == kind)
            return QString::fromLatin1(keyword.text);
    }
    return QString();
}

} // namespace numra
