// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator's error types. Every error carries the exact message the
// user sees; the window and numra-eval turn it into text in one place.

#include <QByteArray>
#include <QString>
#include <exception>

namespace numra {

class Error : public std::exception {
public:
    explicit Error(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// A text that is no number: "'%s' ist kein gültiger Gleitkommawert".
class ConvertError : public Error {
public:
    using Error::Error;
    static ConvertError notAFloat(const QString& text);
};

// Arithmetic faults: the three floating-point faults, integer division by
// zero and integer overflow. The script evaluator lets these pass unchanged.
class ArithmeticError : public Error {
public:
    using Error::Error;
};

// The default error box appends a full stop when the message's last character
// sorts after "." ("Type mismatch." but "Undeclared Identifier 'x'").
QString errorBoxText(const QString& message);

// The whole text of the default error box for an exception that reached the
// event loop: an Error's message, another exception's what(), or "Unbekannter
// Fehler" for anything else, with errorBoxText's full stop. The window, the
// command-line tool and the tests all show errors through this one function;
// in a catch block pass std::current_exception(). error must not be null.
QString errorBoxTextOf(std::exception_ptr error);

// Removes every character with a code from 0 to 32 at both ends.
QString trimBlanks(const QString& text);
bool isBlankText(const QString& text);

} // namespace numra
