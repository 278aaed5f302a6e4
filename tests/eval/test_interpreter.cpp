// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/interpreter.h"
#include "eval/interpretererror.h"
#include "valuetext.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>

using namespace numra;
using numra::testing::describe;

namespace {

const ValueContext kComma{u','};

class Runner : public ::testing::Test {
protected:
    // The value of a run ("Integer 5") or its error ("error: ...").
    std::string run(const QString& source)
    {
        interpreter.setSource(source);
        try {
            interpreter.run();
            return describe(interpreter.result());
        } catch (const Error& e) {
            return "error: " + e.message().toStdString();
        }
    }

    // What "=" shows: the number of the run's value, or the message.
    std::string calculate(const QString& source)
    {
        interpreter.setSource(source);
        try {
            interpreter.run();
            return QString::number(toDouble(interpreter.result(), kComma), 'g', 17).toStdString();
        } catch (const Error& e) {
            return "error: " + e.message().toStdString();
        }
    }

    InterpreterError errorOf(const QString& source)
    {
        interpreter.setSource(source);
        try {
            interpreter.run();
        } catch (const InterpreterError& e) {
            return e;
        }
        ADD_FAILURE() << "no error for " << source.toStdString();
        return InterpreterError(0, -1);
    }

    Interpreter interpreter{kComma};
};

struct Case {
    const char16_t* source;
    const char* expected;
};

TEST_F(Runner, EqualsKeySeesTheseNumbersAndMessages)
{
    const Case cases[] = {
        {u"12+5*2", "22"},
        {u"12.5", "12.5"},
        {u"7/2", "3.5"},
        {u"3000000000*2", "6000000000"},
        {u"1<2", "-1"},
        {u"2<1", "0"},
        {u"'12'+'3'", "123"},
        {u"'12'+3", "15"},
        {u"x1", "error: Undeclared Identifier 'x1'"},
        {u"pi*2", "error: Undeclared Identifier 'pi'"},
        {u"sqrt(2)+1", "error: Undeclared Identifier 'sqrt'"},
        {u"2 3", "error: Missing operator or semicolon"},
        {u"5 x1", "error: Missing operator or semicolon"},
        {u"(1+2", "error: ')' expected but End of File found"},
        {u"()+1", "error: Expression expected but ')' found"},
        {u"", "error: Expression expected but End of File found"},
        {u"*5", "error: Expression expected but '*' found"},
        {u"1/0", "error: Gleitkommadivision durch Null"},
        {u"0/0", "error: Ungültige Gleitkommaoperation"},
        {u"1 div 0", "error: Division durch Null"},
        {u"5 mod 0", "error: Division durch Null"},
        {u"'abc'*2", "error: Type mismatch"},
        {u"x:=5", "error: Variante des Typs (UnicodeString) konnte nicht in Typ (Double) konvertiert werden"},
        {u"Null+0", "error: Variante des Typs (Null) konnte nicht in Typ (Double) konvertiert werden"},
        {u"(* 1", "error: Error in remark"},
        {u"99999999999999999999", "error: Type of expression must be integer"},
    };
    for (const Case& c : cases) {
        const QString source = QString::fromUtf16(c.source);
        EXPECT_EQ(calculate(source), c.expected) << "source: " << source.toStdString();
    }
}

TEST_F(Runner, ExpressionPathIgnoresTheRestOfTheText)
{
    const Case cases[] = {
        {u"5;6", "Integer 5"},
        {u"5 end", "Integer 5"},
        {u"1+2)", "Integer 3"},
        {u"5 .", "Integer 5"},
        {u" program x", "error: Expression expected but 'program' found"},
        {u"programx", "error: Undeclared Identifier 'programx'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(run(QString::fromUtf16(c.source)), c.expected) << QString::fromUtf16(c.source).toStdString();
}

TEST_F(Runner, EveryRunStartsAfresh)
{
    EXPECT_EQ(run(u"abc"_qs), "error: Undeclared Identifier 'abc'");
    EXPECT_EQ(interpreter.result().kind(), ValueKind::Empty);
    EXPECT_EQ(run(u"-5+2"_qs), "Integer -3");
    EXPECT_EQ(run(u"1+"_qs), "error: Expression expected but End of File found");
    EXPECT_EQ(run(u"-5+2"_qs), "Integer -3");
    EXPECT_EQ(run(u"-5+2"_qs), "Integer -3");
    EXPECT_EQ(interpreter.source(), u"-5+2"_qs);
}

TEST_F(Runner, BlocksAndDeclarations)
{
    const Case cases[] = {
        {u"begin Result:=5 end;0", "Integer 5"},
        {u"BEGIN result := 2*3; end;", "Integer 6"},
        {u"begin Result:=5 end", "error: ';' expected but End of File found"},
        {u"begin end;0", "Null"},
        {u"begin begin Result := 1 end; ; Result := Result + 1 end;", "Integer 2"},
        {u"var a, b: integer; begin a := 2; b := a*3; Result := a+b end;", "Integer 8"},
        {u"var a: integer; const c = 10; begin Result := c - a end;", "Integer 10"},
        {u"var a: integer; a: double; begin end;", "error: Identifier redeclared: 'a'"},
        {u"begin x := 1 end;", "error: Undeclared Identifier 'x'"},
        {u"begin Result = 1 end;", "error: ':=' expected but '=' found"},
        {u"begin if 1 then end;", "error: Access denied to 'if'"},
        {u"begin 5 end;", "error: Statement expected but '5' found"},
        {u"begin Result := 1", "error: 'end' expected but End of File found"},
        {u"begin Result := 1 Result := 2 end;", "error: Missing operator or semicolon"},
        {u"begin Result := 1 ) end;", "error: ';' expected but ')' found"},
        {u"begin Result := 1 div 0 end;", "error: Division durch Null"},
        {u"var uses x; begin end;", "error: Identifier expected but 'uses' found"},
        {u"uses", "error: Expression expected but 'uses' found"},
        {u"procedure p; begin end;0", "Empty"},
        {u"function f(a: integer): integer; var x: integer; begin case a of 1: begin end; end; end;", "Empty"},
        {u"procedure p; begin end", "error: ';' expected but End of File found"},
        {u"procedure p; external 'lib.so';", "error: Access denied to 'external'"},
        {u"unit u; interface implementation end.", "error: Access denied to 'unit'"},
    };
    for (const Case& c : cases) {
        const QString source = QString::fromUtf16(c.source);
        EXPECT_EQ(run(source), c.expected) << "source: " << source.toStdString();
    }
    EXPECT_EQ(run(u"begin Result:=5 end"_qs), "error: ';' expected but End of File found");
    EXPECT_EQ(interpreter.result().kind(), ValueKind::Empty);
    EXPECT_EQ(calculate(u"procedure p; begin end;0"_qs), "0");
    EXPECT_EQ(calculate(u"begin end;0"_qs),
              "error: Variante des Typs (Null) konnte nicht in Typ (Double) konvertiert werden");
}

// Nested blocks recurse like nested expressions and share their bound.
TEST_F(Runner, DeeplyNestedBlocksEndInStackOverflowNotACrash)
{
    const int deep = 100000;
    const QString sources[] = {
        u"begin "_qs.repeated(deep) + u"end "_qs.repeated(deep) + u';',
        u"begin "_qs.repeated(deep),
        u"var a: integer; begin "_qs + u"begin a := 1; "_qs.repeated(deep),
    };
    for (const QString& source : sources)
        EXPECT_EQ(run(source), "error: Stack overflow") << source.left(30).toStdString();
    const int allowed = 900;
    EXPECT_EQ(run(u"begin "_qs.repeated(allowed) + u"Result := 7 "_qs + u"end "_qs.repeated(allowed) + u';'),
              "Integer 7");
}

TEST_F(Runner, Programs)
{
    const Case cases[] = {
        {u"program x", "error: ';' expected but End of File found"},
        {u"PROGRAM x; begin Result := 7 end.", "Integer 7"},
        {u"program x; var a: integer; begin a := 3; Result := a*a end.", "Integer 9"},
        {u"program x; begin end", "error: '.' expected but End of File found"},
        {u"program 5", "error: Identifier expected but '5' found"},
        {u"program p; begin Result := y end.", "error: Error in unit 'p' on line 1 : Undeclared Identifier 'y'"},
        {u"program p; uses foo; begin end.", "error: Error in unit 'p' on line 1 : Unit 'foo' not found"},
        {u"program p;\r\nbegin\r\n  Result := 1 div 0\r\nend.", "error: Division durch Null"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(run(QString::fromUtf16(c.source)), c.expected) << QString::fromUtf16(c.source).toStdString();
}

// A formula's error in the language of the window: the interpreter's own
// messages in both, the value and arithmetic errors German in both.
TEST_F(Runner, FormulaErrorsSpeakTheLanguageOfTheWindow)
{
    const struct {
        const char16_t* source;
        const char16_t* english;
        const char16_t* german;
    } cases[] = {
        {u"*5", u"Expression expected but '*' found", u"Ausdruck erwartet, aber '*' gefunden"},
        {u"2 3", u"Missing operator or semicolon", u"Operator oder Semikolon fehlt"},
        {u"(1+2", u"')' expected but End of File found", u"')' erwartet, aber Ende der Formel gefunden"},
        {u"x1", u"Undeclared Identifier 'x1'", u"Unbekannter Bezeichner 'x1'"},
        {u"'abc'*2", u"Type mismatch", u"Typkonflikt"},
        {u"(* 1", u"Error in remark", u"Fehler im Kommentar"},
        {u"99999999999999999999", u"Type of expression must be integer", u"Der Ausdruck muss vom Typ Integer sein"},
        {u"program x", u"';' expected but End of File found", u"';' erwartet, aber Ende der Formel gefunden"},
        {u"begin end", u"';' expected but End of File found", u"';' erwartet, aber Ende der Formel gefunden"},
        {u"program p;\r\nbegin\r\n  Result := y;\r\nend.", u"Error in unit 'p' on line 3 : Undeclared Identifier 'y'",
         u"Fehler in Unit 'p' in Zeile 3: Unbekannter Bezeichner 'y'"},
        {u"1 div 0", u"Division durch Null", u"Division durch Null"},
        {u"Null+0", u"Variante des Typs (Null) konnte nicht in Typ (Double) konvertiert werden",
         u"Variante des Typs (Null) konnte nicht in Typ (Double) konvertiert werden"},
    };
    for (const auto& c : cases) {
        interpreter.setSource(QString::fromUtf16(c.source));
        try {
            interpreter.run();
            toDouble(interpreter.result(), kComma);
            ADD_FAILURE() << "no error for " << QString::fromUtf16(c.source).toStdString();
        } catch (const Error& e) {
            EXPECT_EQ(e.messageIn(Language::English), QString::fromUtf16(c.english));
            EXPECT_EQ(e.messageIn(Language::German), QString::fromUtf16(c.german));
        }
    }
}

TEST_F(Runner, StatementErrorsGetTheirLocation)
{
    const InterpreterError error = errorOf(u"program p;\r\nbegin\r\n  Result := y;\r\nend."_qs);
    EXPECT_EQ(error.code(), 104);
    EXPECT_EQ(error.unitName(), u"p"_qs);
    EXPECT_EQ(error.line(), 3);
    EXPECT_EQ(error.messageWithoutLocation(), u"Undeclared Identifier 'y'"_qs);
    EXPECT_EQ(error.message(), u"Error in unit 'p' on line 3 : Undeclared Identifier 'y'"_qs);
    EXPECT_TRUE(error.hasLocation());

    // Foreign errors travel unchanged.
    EXPECT_EQ(run(u"program p;\r\nbegin\r\n  Result := 1 div 0;\r\nend."_qs), "error: Division durch Null");

    // Without a unit name the message stays as it is; an unknown position
    // becomes the end of the current token.
    const QString number = u"1"_qs + QString(5000, u'0') + u".5"_qs; // beyond the extended range
    const InterpreterError plain = errorOf(u"begin Result := "_qs + number + u" end;"_qs);
    EXPECT_EQ(plain.message(), u"Internal interpreter error: "_qs);
    EXPECT_EQ(plain.position(), 16 + number.size());
    EXPECT_FALSE(plain.hasLocation());

    // On the formula path only errors of built-in functions are located.
    const InterpreterError builtin = errorOf(u"1+integer(1,2)"_qs);
    EXPECT_EQ(builtin.position(), 14);
    EXPECT_EQ(builtin.message(), u"Too many actual parameters"_qs);
}

// Texts pieced together from the language's tokens: every run ends in a value
// or in one of the system's errors, never in anything else.
TEST_F(Runner, RandomTextsEndInAValueOrAnError)
{
    const char16_t* const pieces[] = {
        u"(", u")", u"[", u"]", u"+", u"-", u"*", u"/", u"not ", u" div ", u" mod ", u" shl ", u" and ",
        u" xor ", u"=", u"<", u">=", u"<>", u"1", u"0", u"2.5", u"99999999999", u"'a'", u"'", u"#65",
        u"$F", u"x", u"nil", u"Null", u"integer(", u"byte(", u"CreateOleObject(", u",", u";", u":",
        u":=", u"{", u"}", u"(*", u"*)", u"//", u"begin ", u" end", u"var ", u"Result", u"program ",
        u"procedure ", u"\r\n", u".", u"..", u"@", u"ä", u"true", u" ",
    };
    std::mt19937 random(20261210);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(0, 12);
    for (int i = 0; i < 20000; ++i) {
        QString text;
        for (int n = length(random); n > 0; --n)
            text += QString::fromUtf16(pieces[piece(random)]);
        interpreter.setSource(text);
        try {
            interpreter.run();
        } catch (const Error&) {
        } catch (...) {
            ADD_FAILURE() << "foreign exception for " << text.toStdString();
        }
    }
}

// The interpreter's 53 texts and the power-formula reader's 3, in English
// and German side by side; every German text is a whole sentence of its own.
TEST(ErrorTable, HoldsEachTextInBothLanguagesFormattedWithTheirNames)
{
    int texts = 0;
    for (int code = 0; code < 1000; ++code) {
        const QString english = errorMessageFor(code, Language::English);
        const QString german = errorMessageFor(code, Language::German);
        texts += english.isEmpty() ? 0 : 1;
        EXPECT_EQ(english.isEmpty(), german.isEmpty()) << code;
        EXPECT_FALSE(german.startsWith(u' ') || german.endsWith(u' ') || german.endsWith(u'\'')
                     && german.count(u'\'') % 2 != 0)
            << code << ": " << german.toStdString();
    }
    EXPECT_EQ(texts, 56);
    EXPECT_EQ(errorMessageFor(306), u"Integer Constant'"_qs);
    EXPECT_EQ(errorMessageFor(107), u" not allowed before else"_qs);
    EXPECT_EQ(errorMessageFor(501, Language::German), u"Syntaxfehler im Ausdruck"_qs);
    EXPECT_EQ(InterpreterError(2, -1).messageIn(Language::German), u"Interner Fehler des Interpreters"_qs);
    EXPECT_EQ(InterpreterError(103, 4, MessageName::word(301), u"'*'"_qs).messageIn(Language::German),
              u"Ausdruck erwartet, aber '*' gefunden"_qs);

    EXPECT_EQ(InterpreterError(2, -1).message(), u"Internal interpreter error: "_qs);
    EXPECT_EQ(InterpreterError(103, 4, u"')'"_qs, u"End of File"_qs).message(),
              u"')' expected but End of File found"_qs);
    EXPECT_EQ(InterpreterError(183, 0, u"Integer"_qs, u"string"_qs).message(),
              u"Incompatible types: 'Integer' and 'string'"_qs);
    EXPECT_EQ(InterpreterError(104, 0, u"x"_qs).message(), u"Undeclared Identifier 'x'"_qs);
    EXPECT_EQ(InterpreterError(9, 0).message(), QString());
    EXPECT_EQ(formatMessage(errorMessageFor(5), {u"u"_qs, u"3"_qs, u"Type mismatch"_qs}),
              u"Error in unit 'u' on line 3 : Type mismatch"_qs);
    EXPECT_EQ(formatMessage(u"100% %s"_qs, {u"sure"_qs}), u"100% sure"_qs);

    const InterpreterError error(104, 7, u"x"_qs);
    EXPECT_EQ(error.code(), 104);
    EXPECT_EQ(error.position(), 7);
    EXPECT_EQ(error.line(), -1);
    EXPECT_TRUE(error.unitName().isEmpty());
    EXPECT_EQ(error.messageWithoutLocation(), error.message());
}

} // namespace
