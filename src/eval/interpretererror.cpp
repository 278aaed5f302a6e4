// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/interpretererror.h"

#include <algorithm>
#include <iterator>

namespace numra {

namespace {

struct ErrorText {
    int code;
    const char16_t* text;
};

// Rows with a number are codes that nothing here raises; they stay as data.
constexpr ErrorText kErrorTexts[] = {
    {0, u"Ok"},
    {1, u"Unknown error"},
    {errcode::Internal, u"Internal interpreter error: %s"},
    {3, u"User break"},
    {4, u"Re-raising an exception only allowed in exception handler"},
    {errcode::UnitLocation, u"Error in unit '%0:s' on line %1:d : %2:s"},
    {6, u"External error in unit '%0:s' on line %1:d : %2:s"},
    {errcode::AccessDenied, u"Access denied to '%s'"},
    {errcode::TooComplex, u"Expression is too complex - overflow"},
    {31, u"Record '%s' not defined"},
    {errcode::StackOverflow, u"Stack overflow"},
    {errcode::TypeMismatch, u"Type mismatch"},
    {55, u"Function 'main' undefined"},
    {errcode::UnitNotFound, u"Unit '%s' not found"},
    {57, u"Event '%s' not registered"},
    {58, u"DFM '%s' not found"},
    {errcode::ErrorInRemark, u"Error in remark"},
    {errcode::Expected, u"%0:s expected but %1:s found"},
    {errcode::Undeclared, u"Undeclared Identifier '%s'"},
    {105, u"Type of expression must be boolean"},
    {106, u"Class type required"},
    {107, u" not allowed before else"},
    {errcode::IntegerRequired, u"Type of expression must be integer"},
    {errcode::MembersRequired, u"Record, object or class type required"},
    {errcode::MissingOperator, u"Missing operator or semicolon"},
    {errcode::Redeclared, u"Identifier redeclared: '%s'"},
    {171, u"Array index out of bounds"},
    {172, u"Too many array bounds"},
    {173, u"Not enough array bounds"},
    {174, u"Invalid array dimension"},
    {175, u"Invalid array range"},
    {errcode::ArrayRequired, u"Array type required"},
    {errcode::TooManyParameters, u"Too many actual parameters"},
    {errcode::NotEnoughParameters, u"Not enough parameters"},
    {183, u"Incompatible types: '%0:s' and '%1:s'"},
    {184, u"Error loading library '%s'"},
    {185, u"Invalid type of argument in call to function '%s'"},
    {186, u"Invalid type of result in call to function '%s'"},
    {187, u"Can't get proc address for function '%s'"},
    {188, u"Invalid type of argument in call to function '%s'"},
    {189, u"Invalid type of result in call to function '%s'"},
    {190, u"Invalid calling convention for function '%s'"},
    {201, u"Calling '%0:s' failed: '%1:s'"},
    {errcode::WordExpression, u"Expression"},
    {errcode::WordIdentifier, u"Identifier"},
    {303, u"Declaration"},
    {errcode::WordEndOfFile, u"End of File"},
    {305, u"Class Declaration"},
    {306, u"Integer Constant'"},
    {307, u"Integer Value"},
    {308, u"String Constant"},
    {errcode::WordStatement, u"Statement"},
    {401, u"Implementation of unit not found"},
};
static_assert(std::size(kErrorTexts) == 53, "the error table has 53 entries");

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

QString errorMessageFor(int code)
{
    const auto* entry = std::find_if(std::begin(kErrorTexts), std::end(kErrorTexts),
                                     [code](const ErrorText& e) { return e.code == code; });
    return entry == std::end(kErrorTexts) ? QString() : QString::fromUtf16(entry->text);
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

InterpreterError::InterpreterError(int code, std::optional<TextSpan> where, const QString& name1,
                                   const QString& name2)
    : Error(formatMessage(errorMessageFor(code), {name1, name2}), where)
    , code_(code)
    , messageWithoutLocation_(message())
{
}

InterpreterError::InterpreterError(int code, int position, const QString& name1, const QString& name2)
    : InterpreterError(code, position < 0 ? std::nullopt : std::optional(TextSpan{position, 0}), name1, name2)
{
}

InterpreterError::InterpreterError(const QString& message, int code, std::optional<TextSpan> where)
    : Error(message, where)
    , code_(code)
    , messageWithoutLocation_(message)
{
}

InterpreterError InterpreterError::located(int position, const QString& unitName, int line) const
{
    QString message = this->message();
    if (!unitName.isEmpty()) {
        message = formatMessage(errorMessageFor(errcode::UnitLocation),
                                {unitName, QString::number(line), messageWithoutLocation_});
    }
    InterpreterError copy(message, code_, where() ? where() : std::optional(TextSpan{position, 0}));
    copy.unitName_ = unitName;
    copy.messageWithoutLocation_ = messageWithoutLocation_;
    if (!unitName.isEmpty())
        copy.line_ = line;
    return copy;
}

} // namespace numra
