// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator's error types. Every error carries the exact message the
// user sees, in each language where the message has two; the window and
// numra-eval turn it into text in one place.

#include "eval/language.h"

#include <QByteArray>
#include <QString>
#include <exception>
#include <optional>

namespace numra {

// A stretch of an evaluated formula, in characters: the token an error is
// about. A length of 0 marks the place between two characters (the end of a
// formula that stops too early).
struct TextSpan {
    int start = 0;
    int length = 0;
    bool operator==(const TextSpan&) const = default;
};

class Error : public std::exception {
public:
    // The same message in both languages.
    explicit Error(QString message, std::optional<TextSpan> where = std::nullopt)
        : message_(std::move(message)), utf8_(message_.toUtf8()), where_(where)
    {
    }
    Error(QString english, QString german, std::optional<TextSpan> where)
        : message_(std::move(english)), germanMessage_(std::move(german)), utf8_(message_.toUtf8()), where_(where)
    {
    }
    // The English message, or the only one.
    const QString& message() const noexcept { return message_; }
    const QString& messageIn(Language language) const noexcept
    {
        return language == Language::German && !germanMessage_.isEmpty() ? germanMessage_ : message_;
    }
    const char* what() const noexcept override { return utf8_.constData(); }
    // Throws the error as its own class; every class derived from Error
    // overrides this.
    [[noreturn]] virtual void raise() const { throw *this; }

    // Where in the evaluated formula it happened, when it belongs to one
    // place of it.
    const std::optional<TextSpan>& where() const noexcept { return where_; }
    // An error raised by an operation is placed at the operator that asked
    // for it, unless it knows a place of its own.
    void placeAt(TextSpan where) noexcept
    {
        if (!where_)
            where_ = where;
    }

private:
    QString message_;
    QString germanMessage_; // empty: the message is the same in both languages
    QByteArray utf8_;
    std::optional<TextSpan> where_;
};

// A text that is no number: "'%s' ist kein gültiger Gleitkommawert".
class ConvertError : public Error {
public:
    using Error::Error;
    [[noreturn]] void raise() const override { throw *this; }
    static ConvertError notAFloat(const QString& text);
};

// Arithmetic faults: the three floating-point faults, integer division by
// zero and integer overflow. The script evaluator lets these pass unchanged.
class ArithmeticError : public Error {
public:
    using Error::Error;
    [[noreturn]] void raise() const override { throw *this; }
};

// The default error box appends a full stop when the message's last character
// sorts after "." ("Type mismatch." but "Undeclared Identifier 'x'").
QString errorBoxText(const QString& message);

// The text an error box shows for a caught exception: an Error's message in
// the language or another exception's what(), with errorBoxText's full stop.
// The calculator core and the window's safety net turn exceptions into text
// only here.
QString errorBoxTextOf(const std::exception& error, Language language = Language::German);
// For a thrown object that is no std::exception: "Unbekannter Fehler."
QString unknownErrorBoxText();

// Removes every character with a code from 0 to 32 at both ends.
QString trimBlanks(const QString& text);
bool isBlankText(const QString& text);

} // namespace numra
