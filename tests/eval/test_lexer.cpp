// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/interpretererror.h"
#include "eval/lexer.h"
#include "valuetext.h"

#include <gtest/gtest.h>

#include <string>

using namespace numra;
using numra::testing::describe;

namespace {

// Every token of the text as "kind:text@end", joined by " | ".
std::string tokensOf(const QString& source)
{
    Lexer lexer;
    lexer.setSource(source);
    lexer.reset();
    std::string out;
    do {
        lexer.advance();
        if (!out.empty())
            out += " | ";
        out += std::to_string(lexer.kind()) + ":" + lexer.text().toString().toStdString() + "@"
            + std::to_string(lexer.endPos());
    } while (lexer.kind() != tok::Empty);
    return out;
}

ScriptValue firstValue(const QString& source)
{
    Lexer lexer;
    lexer.setSource(source);
    lexer.reset();
    lexer.advance();
    return lexer.value();
}

struct TokenCase {
    const char16_t* source;
    const char* tokens;
};

TEST(Lexer, CutsAndClassifiesTokens)
{
    const TokenCase cases[] = {
        {u"12.5", "12:12.5@4 | 0:@4"},
        {u"12,", "11:12@2 | 42:,@3 | 0:@3"},
        {u"12.", "12:12.@3 | 0:@3"},
        {u".5", "43:.@1 | 11:5@2 | 0:@2"},
        {u"1.2.3", "-1:1.2.3@5 | 0:@5"},
        {u"1..5", "11:1@1 | 48:..@3 | 11:5@4 | 0:@4"},
        {u"1e3", "11:1@1 | 10:e3@3 | 0:@3"},
        {u"$FF $ff", "11:$FF@3 | 11:$ff@7 | 0:@7"},
        {u"$", "-1:$@1 | 0:@1"},
        {u"$G", "-1:$@1 | 10:G@2 | 0:@2"},
        {u"DIV Div div divx", "24:DIV@3 | 24:Div@7 | 24:div@11 | 10:divx@16 | 0:@16"},
        {u"x:=1", "10:x@1 | 44::@2 | 30:=@3 | 11:1@4 | 0:@4"},
        {u"'it''s'", "13:'it's'@7 | 0:@7"},
        {u"''", "13:''@2 | 0:@2"},
        {u"''''", "13:'''@4 | 0:@4"},
        {u"#65#66", "13:'A'@3 | 13:'B'@6 | 0:@6"},
        {u"#", "-1:#@1 | 0:@1"},
        {u"'abc", "-1:'abc@4 | 0:@4"},
        {u"'ab\ncd", "-1:'ab\n@4 | 10:cd@6 | 0:@6"},
        {u"{a}5", "11:5@4 | 0:@4"},
        {u"(**)5 (* x *) 6", "11:5@5 | 11:6@15 | 0:@15"},
        {u"//x", "0:@3"},
        {u"1//x\n2", "11:1@1 | 11:2@6 | 0:@6"},
        {u"\t1\r\n", "11:1@2 | 0:@4"},
        {u"ä", "10:ä@1 | 0:@1"},
        {u"xä", "10:x@1 | 10:ä@2 | 0:@2"},
        {u"x.äb", "10:x@1 | 43:.@2 | 10:äb@4 | 0:@4"},
        {u"€ ^ @", "-1:€@1 | -1:^@3 | -1:@@5 | 0:@5"},
        {u"<> <= >= => <", "33:<>@2 | 35:<=@5 | 34:>=@8 | 30:=@10 | 31:>@11 | 32:<@13 | 0:@13"},
        {u"()*+-/,;:[]\"", "40:(@1 | 41:)@2 | 22:*@3 | 27:+@4 | 28:-@5 | 23:/@6 | 42:,@7 | 45:;@8 | "
                           "44::@9 | 46:[@10 | 47:]@11 | 49:\"@12 | 0:@12"},
        {u"true FALSE not or", "65:true@4 | 63:FALSE@10 | 21:not@14 | 29:or@17 | 0:@17"},
    };
    for (const TokenCase& c : cases) {
        const QString source = QString::fromUtf16(c.source);
        EXPECT_EQ(tokensOf(source), c.tokens) << "source: " << source.toStdString();
    }
}

TEST(Lexer, EmbeddedNulCharacterEndsTheText)
{
    const QChar text[] = {u'5', u'\0', u'+', u'3'};
    EXPECT_EQ(tokensOf(QString(text, 4)), "11:5@1 | 0:@1");
}

// The kind of the first token of text.
TokenKind kindOf(const QString& text)
{
    Lexer lexer;
    lexer.setSource(text);
    lexer.advance();
    return lexer.kind();
}

TEST(Lexer, ClassifiesAndSpellsEverySymbol)
{
    for (const Symbol& symbol : kSymbols) {
        const QString text = QString::fromUtf16(symbol.text);
        EXPECT_EQ(kindOf(text), symbol.kind) << text.toStdString();
        EXPECT_EQ(spellingOf(symbol.kind), text);
    }
    EXPECT_EQ(spellingOf(tok::Identifier), QString());
}

TEST(Lexer, MatchesEveryKeywordWithoutRegardToCase)
{
    for (const Keyword& keyword : kKeywords) {
        const QString lower = QString::fromLatin1(keyword.text);
        EXPECT_EQ(kindOf(lower), keyword.kind) << keyword.text;
        EXPECT_EQ(kindOf(lower.toUpper()), keyword.kind) << keyword.text;
        EXPECT_EQ(kindOf(lower + u'x'), tok::Identifier) << keyword.text;
        EXPECT_EQ(spellingOf(keyword.kind), lower);
    }
    EXPECT_EQ(findKeyword(u"i"), tok::Unknown);
    EXPECT_EQ(findKeyword(u"implementationx"), tok::Unknown);
    EXPECT_EQ(findKeyword(u"IMPLEMENTATION"), tok::Implementation);
}

struct ValueCase {
    const char16_t* source;
    const char* value;
};

TEST(Lexer, TurnsLiteralsIntoValues)
{
    const ValueCase cases[] = {
        {u"2147483647", "Integer 2147483647"},
        {u"2147483648", "Int64 2147483648"},
        {u"9223372036854775807", "Int64 9223372036854775807"},
        {u"000000000000000000000042", "Integer 42"},
        {u"999999999", "Integer 999999999"},
        {u"1000000000", "Integer 1000000000"},
        {u"$FF", "Integer 255"},
        {u"$ff", "Integer 255"},
        {u"$FFFFFFFF", "Integer -1"},
        {u"$80000000", "Integer -2147483648"},
        {u"$000000000000FF", "Integer 255"},
        {u"$100000000", "Int64 4294967296"},
        {u"$FFFFFFFFFFFFFFFF", "Int64 -1"},
        {u"12.5", "Double 12.5"},
        {u"12.", "Double 12"},
        {u"0.1", "Double 0.10000000000000001"},
        // Read exactly in one step, or through the general reading of texts.
        {u"0.1234567890123456789", "Double 0.12345678901234568"},
        {u"1.2345678901234567891", "Double 1.2345678901234567"},
        {u"12345678901234567890.5", "Double 1.2345678901234567e+19"},
        {u"0.000000000000000000000000000005", "Double 4.9999999999999997e-30"},
        {u"'it''s'", "UnicodeString 'it's'"},
        {u"''", "UnicodeString ''"},
        {u"#65", "UnicodeString 'A'"},
        {u"#65601", "UnicodeString 'A'"}, // the low 16 bits
        {u"true", "Boolean true"},
        {u"False", "Boolean false"},
        {u"Abc", "UnicodeString 'Abc'"},
    };
    for (const ValueCase& c : cases)
        EXPECT_EQ(describe(firstValue(QString::fromUtf16(c.source))), c.value) << QString::fromUtf16(c.source).toStdString();
}

TEST(Lexer, OtherTokensKeepTheLastValue)
{
    Lexer lexer;
    lexer.setSource(u"7 + ( ;"_qs);
    lexer.reset();
    for (int i = 0; i < 4; ++i)
        lexer.advance();
    EXPECT_EQ(lexer.kind(), tok::Semicolon);
    EXPECT_EQ(describe(lexer.value()), "Integer 7");
}

struct ErrorCase {
    QString source;
    int code;
    int position;
    const char* message;
};

TEST(Lexer, RaisesInterpreterErrors)
{
    const ErrorCase cases[] = {
        {u"9223372036854775808"_qs, 108, 0, "Type of expression must be integer"}, // the number's start
        {u"$10000000000000000"_qs, 108, 0, "Type of expression must be integer"},
        {u"(* x"_qs, 101, 0, "Error in remark"},
        {u"(*)"_qs, 101, 0, "Error in remark"},
        {u"1 { x"_qs, 101, 2, "Error in remark"},
        {u"1 }"_qs, 101, 2, "Error in remark"},
        {u"2*)"_qs, 101, 1, "Error in remark"},
        // beyond the extended range
        {u"1"_qs + QString(5000, u'0') + u".5"_qs, 2, -1, "Internal interpreter error: "},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.source.left(40).toStdString());
        Lexer lexer;
        lexer.setSource(c.source);
        lexer.reset();
        try {
            do
                lexer.advance();
            while (lexer.kind() != tok::Empty);
            ADD_FAILURE() << "no error";
        } catch (const InterpreterError& e) {
            EXPECT_EQ(e.code(), c.code);
            EXPECT_EQ(e.position(), c.position);
            EXPECT_EQ(e.message().toStdString(), c.message);
        }
    }
}

TEST(Lexer, CharacterCodeBeyondThirtyTwoBitsRaisesTheIntegerConversionError)
{
    Lexer lexer;
    lexer.setSource(u"#2147483648"_qs);
    lexer.reset();
    try {
        lexer.advance();
        FAIL() << "no error";
    } catch (const ConvertError& e) {
        EXPECT_EQ(e.message(), u"''2147483648'' ist kein gültiger Integer-Wert"_qs);
    }
    lexer.setSource(u"#2147483647"_qs);
    lexer.reset();
    lexer.advance();
    EXPECT_EQ(lexer.value().textPayload(), QString(QChar(0xFFFF)));
}

TEST(Lexer, DoubleBeyondTheDoubleRangeOverflows)
{
    Lexer lexer;
    lexer.setSource(u"1"_qs + QString(400, u'0') + u".0"_qs);
    lexer.reset();
    EXPECT_THROW(lexer.advance(), ArithmeticError);
}

TEST(Lexer, PushBackDeliversTheTokenOnceMore)
{
    Lexer lexer;
    lexer.setSource(u"1 + x"_qs);
    lexer.reset();
    lexer.advance();
    lexer.advance();
    EXPECT_EQ(lexer.kind(), tok::Plus);
    lexer.pushBack();
    try {
        lexer.pushBack();
        FAIL() << "second push-back accepted";
    } catch (const InterpreterError& e) {
        EXPECT_EQ(e.code(), 2);
        EXPECT_EQ(e.position(), -1);
    }
    lexer.advance();
    EXPECT_EQ(lexer.kind(), tok::Plus);
    EXPECT_EQ(lexer.endPos(), 3);
    EXPECT_EQ(lexer.startPos(), 2);
    lexer.advance();
    EXPECT_EQ(lexer.kind(), tok::Identifier);
}

TEST(Lexer, ResetStartsAfreshAndForgetsAPushBack)
{
    Lexer lexer;
    lexer.setSource(u"1 x"_qs);
    lexer.reset();
    lexer.advance();
    lexer.advance();
    lexer.pushBack();
    lexer.reset();
    EXPECT_EQ(lexer.kind(), tok::Empty);
    lexer.advance();
    EXPECT_EQ(lexer.kind(), tok::Integer);
    EXPECT_EQ(lexer.endPos(), 1);
}

// Whether a formula's final "%" is the percent operator, so that "=" takes
// the formula as complete instead of as a subtotal.
TEST(Lexer, FindsAPercentSignDirectlyAfterANumberAtTheEnd)
{
    const struct {
        const char16_t* formula;
        bool percent;
    } cases[] = {
        {u"10%", true},      {u"1+2.5%", true},  {u"(1+12.%", true}, {u"1..5%", true},
        {u"10 %", false},    {u"10{}%", false},  {u"x1%", false},    {u"$12%", false},
        {u"1.2.3%", false},  {u"(1+2)%", false}, {u"%", false},      {u"10%+", false},
        {u"'a 1%", false},   {u"(* 1%", false},  {u"10%%", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(endsWithPercentOfNumber(QString::fromUtf16(c.formula)), c.percent)
            << QString::fromUtf16(c.formula).toStdString();
}

} // namespace
