// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Token kinds of the formula language and the tables of its symbols and
// keywords. The codes are part of the interpreter's behaviour (the evaluator
// compares ranges of them), so they are spelled out, never generated.

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <iterator>

namespace numra {

using TokenKind = std::int32_t;

namespace tok {
inline constexpr TokenKind Unknown = -1;
inline constexpr TokenKind Empty = 0;
inline constexpr TokenKind Identifier = 10;
inline constexpr TokenKind Integer = 11;
inline constexpr TokenKind Double = 12;
inline constexpr TokenKind String = 13;
inline constexpr TokenKind Not = 21;
inline constexpr TokenKind Mul = 22;
inline constexpr TokenKind Divide = 23;
inline constexpr TokenKind IntDiv = 24;
inline constexpr TokenKind Mod = 25;
inline constexpr TokenKind And = 26;
inline constexpr TokenKind Plus = 27;
inline constexpr TokenKind Minus = 28;
inline constexpr TokenKind Or = 29;
inline constexpr TokenKind Equal = 30;
inline constexpr TokenKind Greater = 31;
inline constexpr TokenKind Less = 32;
inline constexpr TokenKind NotEqual = 33;
inline constexpr TokenKind GreaterEqual = 34;
inline constexpr TokenKind LessEqual = 35;
inline constexpr TokenKind Shl = 36;
inline constexpr TokenKind Shr = 37;
inline constexpr TokenKind Xor = 38;
inline constexpr TokenKind LParen = 40;
inline constexpr TokenKind RParen = 41;
inline constexpr TokenKind Comma = 42;
inline constexpr TokenKind Point = 43;
inline constexpr TokenKind Colon = 44;
inline constexpr TokenKind Semicolon = 45;
inline constexpr TokenKind LBracket = 46;
inline constexpr TokenKind RBracket = 47;
inline constexpr TokenKind Range = 48;
inline constexpr TokenKind DoubleQuote = 49;
inline constexpr TokenKind False = 63;
inline constexpr TokenKind True = 65;
inline constexpr TokenKind Begin = 66;
inline constexpr TokenKind End = 67;
inline constexpr TokenKind If = 68;
inline constexpr TokenKind Then = 69;
inline constexpr TokenKind Else = 70;
inline constexpr TokenKind While = 71;
inline constexpr TokenKind Do = 72;
inline constexpr TokenKind Repeat = 73;
inline constexpr TokenKind Until = 74;
inline constexpr TokenKind Procedure = 75;
inline constexpr TokenKind Function = 76;
inline constexpr TokenKind For = 77;
inline constexpr TokenKind To = 78;
inline constexpr TokenKind Break = 79;
inline constexpr TokenKind Continue = 80;
inline constexpr TokenKind Var = 81;
inline constexpr TokenKind Try = 82;
inline constexpr TokenKind Finally = 83;
inline constexpr TokenKind Except = 84;
inline constexpr TokenKind On = 85;
inline constexpr TokenKind Raise = 86;
inline constexpr TokenKind External = 87;
inline constexpr TokenKind Unit = 88;
inline constexpr TokenKind Uses = 89;
inline constexpr TokenKind Const = 90;
inline constexpr TokenKind Public = 91;
inline constexpr TokenKind Private = 92;
inline constexpr TokenKind Protected = 93;
inline constexpr TokenKind Published = 94;
inline constexpr TokenKind Property = 95;
inline constexpr TokenKind Class = 96;
inline constexpr TokenKind Type = 97;
inline constexpr TokenKind Interface = 98;
inline constexpr TokenKind Implementation = 99;
inline constexpr TokenKind Exit = 100;
inline constexpr TokenKind Array = 101;
inline constexpr TokenKind Of = 102;
inline constexpr TokenKind Case = 103;
inline constexpr TokenKind Program = 104;
inline constexpr TokenKind In = 105;
inline constexpr TokenKind Record = 106;
inline constexpr TokenKind Downto = 107;
} // namespace tok

struct Symbol {
    const char16_t* text;
    TokenKind kind;
};

// The tokens written with symbols; ":=" is the two tokens ":" and "=".
inline constexpr Symbol kSymbols[] = {
    {u"(", tok::LParen},    {u")", tok::RParen},      {u"*", tok::Mul},          {u"+", tok::Plus},
    {u",", tok::Comma},     {u"-", tok::Minus},       {u".", tok::Point},        {u"/", tok::Divide},
    {u":", tok::Colon},     {u";", tok::Semicolon},   {u"<", tok::Less},         {u"=", tok::Equal},
    {u">", tok::Greater},   {u"[", tok::LBracket},    {u"]", tok::RBracket},     {u"\"", tok::DoubleQuote},
    {u"..", tok::Range},    {u"<=", tok::LessEqual},  {u"<>", tok::NotEqual},    {u">=", tok::GreaterEqual},
};

struct Keyword {
    const char* text; // lower case ASCII
    TokenKind kind;
};

inline constexpr Keyword kKeywords[] = {
    {"true", tok::True},         {"false", tok::False},         {"or", tok::Or},
    {"and", tok::And},           {"not", tok::Not},             {"div", tok::IntDiv},
    {"mod", tok::Mod},           {"shl", tok::Shl},             {"shr", tok::Shr},
    {"xor", tok::Xor},           {"begin", tok::Begin},         {"end", tok::End},
    {"if", tok::If},             {"then", tok::Then},           {"else", tok::Else},
    {"while", tok::While},       {"do", tok::Do},               {"repeat", tok::Repeat},
    {"until", tok::Until},       {"procedure", tok::Procedure}, {"function", tok::Function},
    {"for", tok::For},           {"to", tok::To},               {"break", tok::Break},
    {"continue", tok::Continue}, {"var", tok::Var},             {"try", tok::Try},
    {"finally", tok::Finally},   {"except", tok::Except},       {"on", tok::On},
    {"raise", tok::Raise},       {"external", tok::External},   {"unit", tok::Unit},
    {"uses", tok::Uses},         {"const", tok::Const},         {"public", tok::Public},
    {"private", tok::Private},   {"protected", tok::Protected}, {"published", tok::Published},
    {"property", tok::Property}, {"class", tok::Class},         {"type", tok::Type},
    {"interface", tok::Interface}, {"implementation", tok::Implementation},
    {"exit", tok::Exit},         {"array", tok::Array},         {"of", tok::Of},
    {"case", tok::Case},         {"program", tok::Program},     {"in", tok::In},
    {"record", tok::Record},     {"downto", tok::Downto},
};
static_assert(std::size(kKeywords) == 52, "the language has 52 keywords");

// Names of the language (keywords, built-in identifiers) compare without
// regard to letter case; only ASCII letters have a case partner among them.
bool sameNameIgnoringCase(QStringView text, const char* asciiName);
// The name with every letter folded as sameNameIgnoringCase compares it.
QString foldName(QStringView text);

// The keyword kind that text spells, or -1.
TokenKind findKeyword(QStringView text);

// The symbol kind that text spells ("(", "<="), or -1.
TokenKind findSymbol(QStringView text);

// The kind of a symbol of one character, or -1: a table lookup.
inline TokenKind symbolOfCharacter(char16_t c)
{
    static constexpr auto kByCharacter = [] {
        std::array<TokenKind, 128> table{};
        table.fill(tok::Unknown);
        for (const Symbol& symbol : kSymbols) {
            if (symbol.text[1] == u'\0')
                table[std::size_t(symbol.text[0])] = symbol.kind;
        }
        return table;
    }();
    return c < kByCharacter.size() ? kByCharacter[c] : tok::Unknown;
}

// The text of a symbol or keyword kind ("(", "begin"); empty for other kinds.
QString spellingOf(TokenKind kind);

// The letter test for identifiers after a "." and for single-letter tokens;
// it also accepts letters outside ASCII ("ä", "ß").
bool isUnicodeLetter(QChar c);

} // namespace numra
