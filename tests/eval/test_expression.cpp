// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/depthguard.h"
#include "eval/expression.h"
#include "eval/interpreter.h"
#include "eval/interpretererror.h"
#include "valuetext.h"

#include <gtest/gtest.h>

#include <string>

using namespace numra;
using numra::testing::describe;

namespace {

// The value of a formula ("Integer 7") or its error ("error: Type mismatch").
std::string outcome(Interpreter& interpreter, const QString& formula)
{
    interpreter.setSource(formula);
    try {
        interpreter.run();
        return describe(interpreter.result());
    } catch (const Error& e) {
        return "error: " + e.message().toStdString();
    }
}

struct Case {
    const char16_t* formula;
    const char* expected;
};

void expectOutcomes(const Case* begin, const Case* end)
{
    Interpreter interpreter;
    for (const Case* c = begin; c != end; ++c) {
        const QString formula = QString::fromUtf16(c->formula);
        EXPECT_EQ(outcome(interpreter, formula), c->expected) << "formula: " << formula.toStdString();
    }
}

QString chain(int operands, const QString& op)
{
    QString text = u"1"_qs;
    for (int i = 1; i < operands; ++i)
        text += op + u'1';
    return text;
}

TEST(Expression, PrecedenceSignsAndGroups)
{
    const Case cases[] = {
        {u"12+5*3", "Integer 27"},
        {u"(12+5)*3", "Integer 51"},
        {u"2*-3", "Integer -6"},
        {u"-2*3", "Integer -6"},
        {u"2--3", "Integer 5"},
        {u"-(-3)", "Integer 3"},
        {u"--3", "Integer 3"},
        {u"+-+3", "Integer -3"},
        {u"8-2-1", "Integer 5"},
        {u"8/2/2", "Double 2"},
        {u"2*3+4*5", "Integer 26"},
        {u"1+2*3-4/2", "Double 5"},
        {u"(1)-1", "Integer 0"},
        {u"true+1", "Integer 0"},
        {u"1<2", "Boolean true"},
        {u"1=1>=1", "Boolean false"},
        {u"1 or 2 = 3", "Boolean true"},
        {u"-2 * 3 >= -6 = true", "Boolean false"}, // -6 >= (-6 = true)
        {u"((((7))))", "Integer 7"},
    };
    expectOutcomes(std::begin(cases), std::end(cases));
}

TEST(Expression, EveryOperatorReachesItsValueOperation)
{
    const Case cases[] = {
        {u"7/2", "Double 3.5"},
        {u"7 div 2", "Integer 3"},
        {u"-7 mod 2", "Integer -1"},
        {u"5 shl 2", "Integer 20"},
        {u"-1 shr 28", "Integer 15"},
        {u"6 and 3", "Integer 2"},
        {u"6 or 3", "Integer 7"},
        {u"6 xor 3", "Integer 5"},
        {u"1<>2", "Boolean true"},
        {u"2>1", "Boolean true"},
        {u"1<=1", "Boolean true"},
        {u"1>=2", "Boolean false"},
        {u"2<1", "Boolean false"},
        {u"not 5", "Integer -6"},
        {u"not true", "Boolean false"},
        {u"-true", "Integer -1"},
        {u"2147483647+1", "Double 2147483648"},
        {u"3000000000*2", "Int64 6000000000"},
        {u"'12'+'3'", "UnicodeString '123'"},
        {u"'a' 'b'", "UnicodeString 'ab'"},
        {u"'a'#66'c'", "UnicodeString 'aBc'"},
        {u"Null", "Null"},
        {u"null+0", "Null"},
        {u"Null=Null", "Boolean true"},
        {u"nil", "PointerVariantType 0"},
        {u"nil=nil", "Boolean true"},
        {u"NIL<>nil", "Boolean false"},
    };
    expectOutcomes(std::begin(cases), std::end(cases));
}

TEST(Expression, SetConstructors)
{
    const Case cases[] = {
        {u"[3]=[1,2]", "Boolean true"},
        {u"[]", "SetVariantType 0"},
        {u"[1,]", "SetVariantType 1"},
        {u"[3]+[4]", "SetVariantType 7"},
        {u"[7]-[2]", "SetVariantType 5"},
        {u"[integer(3)]", "SetVariantType 8"},
        {u"[integer(33)]", "SetVariantType 2"},
        {u"[1,2", "error: ']' expected but End of File found"},
        {u"[1 2]", "error: ']' expected but '2' found"},
        {u"[nil]", "error: Type of expression must be integer"},
        {u"[x]", "error: Undeclared Identifier 'x'"},
    };
    expectOutcomes(std::begin(cases), std::end(cases));
}

TEST(Expression, TypeNameCastsConvertNumbersAndRefuseTheRest)
{
    const Case cases[] = {
        {u"integer(2.7)", "Integer 3"},
        {u"integer(2.5)", "Integer 2"},
        {u"LONGINT(3.5)", "Integer 4"},
        {u"integer(true)", "Integer -1"},
        {u"integer(10000000000)", "error: Type mismatch"},
        {u"smallint(-32768)", "Smallint -32768"},
        {u"smallint(32768)", "error: Type mismatch"},
        {u"byte(255)", "Byte 255"},
        {u"byte(256)", "error: Type mismatch"},
        {u"word(-1)", "error: Type mismatch"},
        {u"dword(4294967295)", "LongWord 4294967295"},
        {u"double(3)", "Double 3"},
        {u"tdatetime(2)", "Date 2"},
        {u"boolean(2)", "Boolean true"},
        {u"wordbool(0)", "Boolean false"},
        {u"string('a')", "UnicodeString 'a'"},
        {u"integer('12')", "error: Type mismatch"},
        {u"string(5)", "error: Type mismatch"},
        {u"char(65)", "error: Type mismatch"},
        {u"TObject(nil)", "error: Type mismatch"},
        {u"integer(Null)", "error: Type mismatch"},
        {u"integer([1])", "error: Type mismatch"},
        {u"integer(1,2)", "error: Too many actual parameters"},
        {u"integer", "error: Not enough parameters"},
        {u"integer()", "error: Not enough parameters"},
        {u"integer(2)*integer(3)", "Integer 6"},
    };
    expectOutcomes(std::begin(cases), std::end(cases));
}

TEST(Expression, AutomationFunctionsAreRefused)
{
    const Case cases[] = {
        {u"CreateOleObject('Word.Application')", "error: Access denied to 'CreateOleObject'"},
        {u"getactiveoleobject('Excel.Application')", "error: Access denied to 'GetActiveOleObject'"},
        {u"GetOleObject('x')+1", "error: Access denied to 'GetOleObject'"},
        {u"CreateOleObject", "error: Not enough parameters"},
    };
    expectOutcomes(std::begin(cases), std::end(cases));
}

TEST(Expression, ErrorMessages)
{
    const Case cases[] = {
        {u"2 3", "error: Missing operator or semicolon"},
        {u"'a' 3", "error: Missing operator or semicolon"},
        {u"*5", "error: Expression expected but '*' found"},
        {u"()", "error: Expression expected but ')' found"},
        {u"(1+2", "error: ')' expected but End of File found"},
        {u"(1+2;", "error: ')' expected but ';' found"},
        {u"", "error: Expression expected but End of File found"},
        {u"1+", "error: Expression expected but End of File found"},
        {u"x", "error: Undeclared Identifier 'x'"},
        {u"sqrt(2)", "error: Undeclared Identifier 'sqrt'"},
        {u"sqrt(2", "error: ')' expected but End of File found"},
        {u"Null[1]", "error: Undeclared Identifier 'Null'"},
        {u"x:=5", "UnicodeString 'x'"},
        {u"nil.x", "error: Record, object or class type required"},
        {u"nil.5", "error: Identifier expected but '5' found"},
        {u"'abc'*2", "error: Type mismatch"},
        {u"10000000000.5 div 2", "error: Type mismatch"},
        {u"1/0", "error: Gleitkommadivision durch Null"},
        {u"0/0", "error: Ungültige Gleitkommaoperation"},
        {u"1 div 0", "error: Division durch Null"},
        {u"1+#99999999999", "error: ''99999999999'' ist kein gültiger Integer-Wert"},
    };
    expectOutcomes(std::begin(cases), std::end(cases));
}

// An error names the token it is about: its start and its length, 0 for
// the end of the formula.
TEST(Expression, ErrorsCarryCodeAndTheirToken)
{
    struct PlaceCase {
        const char16_t* formula;
        int code;
        TextSpan where;
    };
    const PlaceCase cases[] = {
        {u"2 3", 110, {2, 1}},     // the operand without an operator
        {u"x+1", 104, {0, 1}},     // the name
        {u"()", 103, {1, 1}},
        {u"'abc'*2", 53, {5, 1}},  // the operator that cannot take a text
        {u"1+2+3*", 103, {6, 0}},
        {u"99999999999999999999", 108, {0, 20}},
        {u"*5", 103, {0, 1}},
        {u"1+2+*3", 103, {4, 1}},
        {u"2(3+4)", 110, {1, 1}},
        {u"5 not 3", 110, {2, 3}},
        {u"'it''s'+x", 104, {8, 1}}, // after a string whose text differs from its source
        {u"2*-'a'", 53, {2, 1}},     // the sign
    };
    Interpreter interpreter;
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.formula).toStdString());
        interpreter.setSource(QString::fromUtf16(c.formula));
        try {
            interpreter.run();
            ADD_FAILURE() << "no error";
        } catch (const InterpreterError& e) {
            EXPECT_EQ(e.code(), c.code);
            ASSERT_TRUE(e.where().has_value());
            EXPECT_EQ(e.where()->start, c.where.start);
            EXPECT_EQ(e.where()->length, c.where.length);
        }
    }
}

// An operator, a group or "not" in the wrong place is refused instead of
// being given a meaning: an operator needs an operand before it, and two
// operands need an operator between them.
TEST(Expression, RefusesWhatItCannotMean)
{
    const Case cases[] = {
        {u"*5", "error: Expression expected but '*' found"},
        {u"1+2+*3", "error: Expression expected but '*' found"},
        {u"(/2)", "error: Expression expected but '/' found"},
        {u"1 div mod 2", "error: Expression expected but 'mod' found"},
        {u"2(3+4)", "error: Missing operator or semicolon"},
        {u"(1)(2)", "error: Missing operator or semicolon"},
        {u"(1) 2", "error: Missing operator or semicolon"},
        {u"5 not 3", "error: Missing operator or semicolon"},
        {u"-5 not 3", "error: Missing operator or semicolon"},
        {u"5[1]", "error: Missing operator or semicolon"},
        {u"'a'(1)", "error: Missing operator or semicolon"},
        {u"integer(5)(3)", "error: Missing operator or semicolon"},
        {u"2*(3+4)", "Integer 14"},
        {u"5 and not 3", "Integer 4"},
        {u"1 + + 2", "Integer 3"},
    };
    expectOutcomes(std::begin(cases), std::end(cases));
}

// "%" directly after a number is the office percent of the "%" key.
TEST(Expression, PercentAfterANumber)
{
    const Case cases[] = {
        {u"100+10%", "Double 110"},
        {u"200-10%", "Double 180"},
        {u"1+2+10%", "Double 3.2999999999999998"},
        {u"2*3+10%", "Double 6.5999999999999996"},
        {u"200*10%", "Double 20"},
        {u"200/10%", "Double 2000"},
        {u"50%", "Double 0.5"},
        {u"(100+10%)*2", "Double 220"},
        {u"100+10%*2", "Double 120"},        // 10 % of 100, doubled
        {u"100+2*10%", "Double 100.2"},      // a percentage after "*" is the hundredths
        {u"100+-10%", "Double 90"},
        {u"-10%", "Double -0.10000000000000001"},
        {u"100+12.5%", "Double 112.5"},
        {u"100+12.%", "Double 112"},
        {u"10%+5", "Double 5.0999999999999996"},
        {u"1>0+10%", "Boolean true"},
        {u"10 %", "Integer 10"},             // not directly after: the "%" ends the formula
        {u"$10%", "Integer 16"},             // no decimal number
        {u"10{}%", "Integer 10"},
        {u"10%5", "error: Missing operator or semicolon"},
        {u"'a'+10%", "error: Type mismatch"},
    };
    expectOutcomes(std::begin(cases), std::end(cases));
}

// A chain of any length at one level is a loop; only nesting is bounded.
TEST(Expression, ChainsOfAnyLength)
{
    Interpreter interpreter;
    EXPECT_EQ(outcome(interpreter, chain(100'000, u"+"_qs)), "Integer 100000");
    EXPECT_EQ(outcome(interpreter, chain(100'000, u"*"_qs)), "Integer 1");
    EXPECT_EQ(outcome(interpreter, chain(100'000, u"+2*"_qs)), "Integer 199999");
    EXPECT_EQ(outcome(interpreter, chain(100'000, u"<"_qs)), "Boolean true"); // (1<1)<1 is false<1
    EXPECT_EQ(outcome(interpreter, u"-5+2"_qs), "Integer -3");
}

TEST(Expression, DeepNestingEndsInStackOverflowNotACrash)
{
    const int deep = 100000;
    const QString formulas[] = {
        QString(deep, u'(') + u'1',
        QString(deep, u'-') + u'1',
        QString(deep, u'+') + u'1',
        u"not "_qs.repeated(deep) + u'1',
        u"1+(-"_qs.repeated(deep) + u'1',
        u"integer("_qs.repeated(deep) + u'1',
        u"integer([("_qs.repeated(deep) + u'1',
        u"[integer("_qs.repeated(deep) + u'1',
        u"begin "_qs.repeated(deep) + u'1',
    };
    Interpreter interpreter;
    for (const QString& formula : formulas)
        EXPECT_EQ(outcome(interpreter, formula), "error: Stack overflow") << formula.left(20).toStdString();
}

// Each group, sign and argument list takes one level of the nesting bound,
// and so does the whole formula.
TEST(Expression, NestingWithinTheLimits)
{
    Interpreter interpreter;
    const int levels = kMaxNestingDepth - 1; // the top level counts too
    EXPECT_EQ(outcome(interpreter, QString(levels, u'(') + u'1' + QString(levels, u')')), "Integer 1");
    EXPECT_EQ(outcome(interpreter, QString(levels + 1, u'(') + u'1' + QString(levels + 1, u')')),
              "error: Stack overflow");
    EXPECT_EQ(outcome(interpreter, QString(levels, u'-') + u'1'), "Integer -1");
    EXPECT_EQ(outcome(interpreter, u"integer("_qs.repeated(levels) + u'7' + QString(levels, u')')), "Integer 7");
    EXPECT_EQ(outcome(interpreter, u"integer("_qs.repeated(levels + 1) + u'7' + QString(levels + 1, u')')),
              "error: Stack overflow");
}

TEST(Expression, ArgumentListsHoldAtMostThirtyThreeValues)
{
    Interpreter interpreter;
    const QString thirtyThree = u"x("_qs + u"1,"_qs.repeated(32) + u"1)"_qs;
    const QString thirtyFour = u"x("_qs + u"1,"_qs.repeated(33) + u"1)"_qs;
    EXPECT_EQ(outcome(interpreter, thirtyThree), "error: Undeclared Identifier 'x'");
    EXPECT_EQ(outcome(interpreter, thirtyFour), "error: Too many actual parameters");
    EXPECT_EQ(outcome(interpreter, u"integer([1,2])"_qs), "error: Type mismatch");
    EXPECT_EQ(outcome(interpreter, u"integer(["_qs + u"1,"_qs.repeated(33) + u"1])"_qs),
              "error: Too many actual parameters");
}

TEST(Expression, EvaluationStopsAtTheFirstUnusedToken)
{
    const struct {
        const char16_t* formula;
        TokenKind next;
    } cases[] = {
        {u"5;6", tok::Semicolon}, {u"5 end", tok::End}, {u"1+2)", tok::RParen},
        {u"x:=5", tok::Colon},    {u"5 .", tok::Point},
    };
    const ValueContext context;
    for (const auto& c : cases) {
        Lexer lexer;
        lexer.setSource(QString::fromUtf16(c.formula));
        lexer.reset();
        lexer.advance();
        ErrorLocator locator(lexer);
        ExpressionEvaluator evaluator(lexer, context, locator);
        ASSERT_TRUE(evaluator.evaluate().ok()) << QString::fromUtf16(c.formula).toStdString();
        EXPECT_EQ(lexer.kind(), c.next) << QString::fromUtf16(c.formula).toStdString();
    }
}

} // namespace
