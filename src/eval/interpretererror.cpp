// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/interpretererror.h"

#include <algorithm>
#include <iterator>

namespace numra {

namespace {

struct ErrorText {
    int code;
    const char16_t* english;
    const char16_t* german;
};

// Rows with a number are codes that nothing here raises; they stay as data.
// The German texts are complete sentences of their own: an English text
// that ends in an empty name or a stray quote has none.
constexpr ErrorText kErrorTexts[] = {
    {0, u"Ok", u"Ok"},
    {1, u"Unknown error", u"Unbekannter Fehler"},
    {errcode::Internal, u"Internal interpreter error: %s", u"Interner Fehler des Interpreters"},
    {3, u"User break", u"Abbruch durch den Benutzer"},
    {4, u"Re-raising an exception only allowed in exception handler",
     u"Eine Ausnahme darf nur in einer Ausnahmebehandlung erneut ausgelöst werden"},
    {errcode::UnitLocation, u"Error in unit '%0:s' on line %1:d : %2:s", u"Fehler in Unit '%0:s' in Zeile %1:d: %2:s"},
    {6, u"External error in unit '%0:s' on line %1:d : %2:s", u"Externer Fehler in Unit '%0:s' in Zeile %1:d: %2:s"},
    {errcode::AccessDenied, u"Access denied to '%s'", u"Zugriff auf '%s' verweigert"},
    {errcode::TooComplex, u"Expression is too complex - overflow", u"Der Ausdruck ist zu komplex - Überlauf"},
    {31, u"Record '%s' not defined", u"Record '%s' ist nicht definiert"},
    {errcode::StackOverflow, u"Stack overflow", u"Stapelüberlauf"},
    {errcode::TypeMismatch, u"Type mismatch", u"Typkonflikt"},
    {55, u"Function 'main' undefined", u"Funktion 'main' ist nicht definiert"},
    {errcode::UnitNotFound, u"Unit '%s' not found", u"Unit '%s' nicht gefunden"},
    {57, u"Event '%s' not registered", u"Ereignis '%s' ist nicht registriert"},
    {58, u"DFM '%s' not found", u"DFM '%s' nicht gefunden"},
    {errcode::ErrorInRemark, u"Error in remark", u"Fehler im Kommentar"},
    {errcode::Expected, u"%0:s expected but %1:s found", u"%0:s erwartet, aber %1:s gefunden"},
    {errcode::Undeclared, u"Undeclared Identifier '%s'", u"Unbekannter Bezeichner '%s'"},
    {105, u"Type of expression must be boolean", u"Der Ausdruck muss vom Typ Boolean sein"},
    {106, u"Class type required", u"Klassentyp erforderlich"},
    {107, u" not allowed before else", u"';' ist vor 'else' nicht erlaubt"},
    {errcode::IntegerRequired, u"Type of expression must be integer", u"Der Ausdruck muss vom Typ Integer sein"},
    {errcode::MembersRequired, u"Record, object or class type required",
     u"Record-, Objekt- oder Klassentyp erforderlich"},
    {errcode::MissingOperator, u"Missing operator or semicolon", u"Operator oder Semikolon fehlt"},
    {errcode::Redeclared, u"Identifier redeclared: '%s'", u"Bezeichner doppelt deklariert: '%s'"},
    {171, u"Array index out of bounds", u"Array-Index außerhalb der Grenzen"},
    {172, u"Too many array bounds", u"Zu viele Array-Grenzen"},
    {173, u"Not enough array bounds", u"Zu wenige Array-Grenzen"},
    {174, u"Invalid array dimension", u"Ungültige Array-Dimension"},
    {175, u"Invalid array range", u"Ungültiger Array-Bereich"},
    {errcode::ArrayRequired, u"Array type required", u"Array-Typ erforderlich"},
    {errcode::TooManyParameters, u"Too many actual parameters", u"Zu viele Parameter"},
    {errcode::NotEnoughParameters, u"Not enough parameters", u"Zu wenige Parameter"},
    {183, u"Incompatible types: '%0:s' and '%1:s'", u"Inkompatible Typen: '%0:s' und '%1:s'"},
    {184, u"Error loading library '%s'", u"Fehler beim Laden der Bibliothek '%s'"},
    {185, u"Invalid type of argument in call to function '%s'", u"Ungültiger Argumenttyp im Aufruf der Funktion '%s'"},
    {186, u"Invalid type of result in call to function '%s'", u"Ungültiger Ergebnistyp im Aufruf der Funktion '%s'"},
    {187, u"Can't get proc address for function '%s'", u"Die Adresse der Funktion '%s' ist nicht zu ermitteln"},
    {188, u"Invalid type of argument in call to function '%s'", u"Ungültiger Argumenttyp im Aufruf der Funktion '%s'"},
    {189, u"Invalid type of result in call to function '%s'", u"Ungültiger Ergebnistyp im Aufruf der Funktion '%s'"},
    {190, u"Invalid calling convention for function '%s'", u"Ungültige Aufrufkonvention der Funktion '%s'"},
    {201, u"Calling '%0:s' failed: '%1:s'", u"Aufruf von '%0:s' fehlgeschlagen: '%1:s'"},
    {errcode::WordExpression, u"Expression", u"Ausdruck"},
    {errcode::WordIdentifier, u"Identifier", u"Bezeichner"},
    {303, u"Declaration", u"Deklaration"},
    {errcode::WordEndOfFile, u"End of File", u"Ende der Formel"},
    {305, u"Class Declaration", u"Klassendeklaration"},
    {306, u"Integer Constant'", u"Integer-Konstante"},
    {307, u"Integer Value", u"Integer-Wert"},
    {308, u"String Constant", u"String-Konstante"},
    {errcode::WordStatement, u"Statement", u"Anweisung"},
    {401, u"Implementation of unit not found", u"Implementierung der Unit nicht gefunden"},
    {errcode::PowerSyntax, u"Syntax error in expression", u"Syntaxfehler im Ausdruck"},
    {errcode::PowerMissingParenthesis, u"Missing ')' in expression", u"')' fehlt im Ausdruck"},
    {errcode::PowerTooComplex, u"Expression is too complex", u"Der Ausdruck ist zu komplex"},
};
static_assert(std::size(kErrorTexts) == 56, "53 entries of the interpreter, 3 of the power-formula reader");

const ErrorText* entryFor(int code)
{
    const auto* entry = std::find_if(std::begin(kErrorTexts), std::end(kErrorTexts),
                                     [code](const ErrorText& e) { return e.code == code; });
    return entry == std::end(kErrorTexts) ? nullptr : entry;
}

// Reads "N:" after a "%" at i; returns N or -1 and moves i past it.
int explicitIndex(const QString& pattern, qsizetype& i)
{
    qsizetype k = i;
    int index = 0;
    while (k < pattern.size() && pattern[k].isDigit())
        index = index * 10 + pattern[k++].digitValue();
    if (k == i || k >= pattern.size() || pattern[k] != u':')
        return -1;
    i = k + 1;
    return index;
}

} // namespace

QString errorMessageFor(int code, Language language)
{
    const ErrorText* entry = entryFor(code);
    if (!entry)
        return QString();
    return QString::fromUtf16(language == Language::German ? entry->german : entry->english);
}

Error tableError(int code, std::optional<TextSpan> where)
{
    return Error(errorMessageFor(code, Language::English), errorMessageFor(code, Language::German), where);
}

MessageName MessageName::word(int code)
{
    MessageName name;
    name.word_ = code;
    return name;
}

QString MessageName::in(Language language) const
{
    return word_ != 0 ? errorMessageFor(word_, language) : text_;
}

QString formatMessage(const QString& pattern, const QStringList& args)
{
    QString result;
    int next = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != u'%' || i + 1 >= pattern.size()) {
            result += pattern[i];
            continue;
        }
        qsizetype k = i + 1;
        const int index = explicitIndex(pattern, k);
        if (k < pattern.size() && (pattern[k] == u's' || pattern[k] == u'd')) {
            const int argument = index >= 0 ? index : next;
            result += args.value(argument);
            next = argument + 1;
            i = k;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

InterpreterError::InterpreterError(int code, std::optional<TextSpan> where, const MessageName& name1,
                                   const MessageName& name2)
    : InterpreterError(
          formatMessage(errorMessageFor(code, Language::English),
                        {name1.in(Language::English), name2.in(Language::English)}),
          formatMessage(errorMessageFor(code, Language::German), {name1.in(Language::German), name2.in(Language::German)}),
          code, where)
{
}

InterpreterError::InterpreterError(int code, int position, const MessageName& name1, const MessageName& name2)
    : InterpreterError(code, position < 0 ? std::nullopt : std::optional(TextSpan{position, 0}), name1, name2)
{
}

InterpreterError::InterpreterError(const QString& english, const QString& german, int code,
                                   std::optional<TextSpan> where)
    : Error(english, german, where)
    , code_(code)
    , messageWithoutLocation_(english)
    , germanMessageWithoutLocation_(german)
{
}

InterpreterError InterpreterError::located(int position, const QString& unitName, int line) const
{
    QString english = message();
    QString german = messageIn(Language::German);
    if (!unitName.isEmpty()) {
        const QString lineText = QString::number(line);
        english = formatMessage(errorMessageFor(errcode::UnitLocation, Language::English),
                                {unitName, lineText, messageWithoutLocation_});
        german = formatMessage(errorMessageFor(errcode::UnitLocation, Language::German),
                               {unitName, lineText, germanMessageWithoutLocation_});
    }
    InterpreterError copy(english, german, code_, where() ? where() : std::optional(TextSpan{position, 0}));
    copy.unitName_ = unitName;
    copy.messageWithoutLocation_ = messageWithoutLocation_;
    copy.germanMessageWithoutLocation_ = germanMessageWithoutLocation_;
    if (!unitName.isEmpty())
        copy.line_ = line;
    return copy;
}

} // namespace numra
