// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Character classes of the lexer; the hexadecimal digits serve the Hex->Int
// key too. They are plain ASCII tests: a character above U+00FF belongs to
// none of them (letters outside ASCII are asked of isUnicodeLetter where the
// language allows them).

#include <cstdint>

namespace numra::charclass {

constexpr bool isBlank(char16_t c)
{
    return c == u'\t' || c == u'\n' || c == u'\r' || c == u' ';
}

// U+0000 stands for the end of the text.
constexpr bool isLineEnd(char16_t c)
{
    return c == u'\0' || c == u'\n' || c == u'\r';
}

constexpr bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

constexpr bool isHexDigit(char16_t c)
{
    return isDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

// The value of a character for which isHexDigit holds.
constexpr int hexDigitValue(char16_t c)
{
    return c <= u'9' ? c - u'0' : (c | 0x20) - u'a' + 10;
}

constexpr bool isIdentifierStart(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
}

constexpr bool isIdentifierChar(char16_t c)
{
    return isIdentifierStart(c) || isDigit(c);
}

// A blank, a comment opener ("{", "(*", "//") or a misplaced closer ("}",
// "*)"), from the first character and the one after it.
constexpr bool startsBlankOrComment(char16_t c, char16_t next)
{
    // One bit test turns away the characters that start none of them.
    constexpr std::uint64_t kCandidates = 1ull << '\t' | 1ull << '\n' | 1ull << '\r' | 1ull << ' '
        | 1ull << '(' | 1ull << '*' | 1ull << '/';
    if (c < 64 && !((kCandidates >> c) & 1))
        return false;
    switch (c) {
    case u'\t':
    case u'\n':
    case u'\r':
    case u' ':
    case u'{':
    case u'}':
        return true;
    case u'(':
        return next == u'*';
    case u'*':
        return next == u')';
    case u'/':
        return next == u'/';
    default:
        return false;
    }
}

constexpr bool isCompoundStart(char16_t c)
{
    return c == u'.' || c == u'<' || c == u'=' || c == u'>';
}

} // namespace numra::charclass
