// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The interpreter's own errors: a code from the error table, the position in
// the source and a message whose placeholders take up to two names. The
// table holds each message in English and German, and so does the error;
// the value and arithmetic errors are German in both languages and are other
// Error classes (ValueError, ArithmeticError, ConvertError).

#include "eval/errors.h"

#include <QString>
#include <QStringList>

namespace numra {

// The codes the interpreter raises; each is written only here, the table of
// texts in interpretererror.cpp names them.
namespace errcode {
inline constexpr int Internal = 2;
inline constexpr int UnitLocation = 5;
inline constexpr int AccessDenied = 7;
inline constexpr int TooComplex = 8;
inline constexpr int StackOverflow = 52;
inline constexpr int TypeMismatch = 53;
inline constexpr int UnitNotFound = 56;
inline constexpr int ErrorInRemark = 101;
inline constexpr int Expected = 103;
inline constexpr int Undeclared = 104;
inline constexpr int IntegerRequired = 108;
inline constexpr int MembersRequired = 109;
inline constexpr int MissingOperator = 110;
inline constexpr int Redeclared = 111;
inline constexpr int ArrayRequired = 176;
inline constexpr int TooManyParameters = 181;
inline constexpr int NotEnoughParameters = 182;
// Words used as the first name of the "expected" error.
inline constexpr int WordExpression = 301;
inline constexpr int WordIdentifier = 302;
inline constexpr int WordEndOfFile = 304;
inline constexpr int WordStatement = 309;
// The power-formula reader's messages.
inline constexpr int PowerSyntax = 501;
inline constexpr int PowerMissingParenthesis = 502;
inline constexpr int PowerTooComplex = 503;
} // namespace errcode

// The table text of an error code, or an empty text for an unknown code.
QString errorMessageFor(int code, Language language = Language::English);

// An error of the table by its code, in both languages, with no names.
Error tableError(int code, std::optional<TextSpan> where);

// A name in an error message: a text as it stands (an identifier, a token in
// quotes) or a word of the error table ("Expression"), which is said in the
// message's language.
class MessageName {
public:
    MessageName(QString text = {}) : text_(std::move(text)) {}
    static MessageName word(int code);
    QString in(Language language) const;

private:
    QString text_;
    int word_ = 0;
};

// Fills a message pattern: "%s" takes the next argument, "%N:s" and "%N:d"
// argument N (the following "%s" then takes N+1).
QString formatMessage(const QString& pattern, const QStringList& args);

class InterpreterError : public Error {
public:
    // where: the token the error is about, nothing when unknown.
    InterpreterError(int code, std::optional<TextSpan> where, const MessageName& name1 = {},
                     const MessageName& name2 = {});
    // At a place between two characters; -1 when unknown.
    InterpreterError(int code, int position, const MessageName& name1 = {}, const MessageName& name2 = {});

    [[noreturn]] void raise() const override { throw *this; }

    int code() const { return code_; }
    // 0-based character index into the source, -1 when unknown.
    int position() const { return where() ? where()->start : -1; }
    const QString& unitName() const { return unitName_; }
    int line() const { return line_; }
    const QString& messageWithoutLocation() const { return messageWithoutLocation_; }
    const QString& germanMessageWithoutLocation() const { return germanMessageWithoutLocation_; }
    // The message names the unit and line; the error is not located again.
    bool hasLocation() const { return !unitName_.isEmpty(); }

    // A copy whose place (when it has none), unit name and line are filled
    // in; with a unit name the message becomes "Error in unit '...' on line
    // ... : ...".
    InterpreterError located(int position, const QString& unitName, int line) const;

private:
    InterpreterError(const QString& english, const QString& german, int code, std::optional<TextSpan> where);

    int code_;
    QString unitName_;
    int line_ = -1;
    QString messageWithoutLocation_;
    QString germanMessageWithoutLocation_;
};

} // namespace numra
