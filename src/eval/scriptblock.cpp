// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/scriptblock.h"

#include "eval/depthguard.h"
#include "eval/interpretererror.h"

namespace numra {

namespace {

// The evaluator sees the block's variables only while the block runs.
class VariablesInScope {
public:
    VariablesInScope(ExpressionEvaluator& evaluator, const Variables& variables) : evaluator_(evaluator)
    {
        evaluator_.setVariables(&variables);
    }
    ~VariablesInScope() { evaluator_.setVariables(nullptr); }
    VariablesInScope(const VariablesInScope&) = delete;
    VariablesInScope& operator=(const VariablesInScope&) = delete;

private:
    ExpressionEvaluator& evaluator_;
};

bool isKeyword(TokenKind kind)
{
    return kind >= tok::Begin;
}

const QString kResult = QStringLiteral("Result");

} // namespace

BlockRunner::BlockRunner(TokenReader& reader, ExpressionEvaluator& evaluator)
    : reader_(reader)
    , evaluator_(evaluator)
{
}

void BlockRunner::refuse() const
{
    throw InterpreterError(errcode::AccessDenied, reader_.startPos(), reader_.text().toString());
}

void BlockRunner::expect(TokenKind kind, const char* shown)
{
    if (reader_.kind() != kind)
        evaluator_.raiseExpected(u'\'' + QString::fromLatin1(shown) + u'\'');
    reader_.advance();
}

QString BlockRunner::readIdentifier()
{
    if (reader_.kind() != tok::Identifier)
        evaluator_.raiseExpected(errorMessageFor(errcode::WordIdentifier));
    QString name = reader_.value().textPayload();
    reader_.advance();
    return name;
}

ScriptValue BlockRunner::runBlock()
{
    variables_.clear();
    variables_.declare(kResult, ScriptValue::null());
    const VariablesInScope scope(evaluator_, variables_);
    for (;;) {
        switch (reader_.kind()) {
        case tok::Var:
            readVarSection();
            continue;
        case tok::Const:
            readConstSection();
            continue;
        case tok::Procedure:
        case tok::Function:
            readRoutineDeclaration();
            continue;
        case tok::Uses:
            reader_.advance();
            throw InterpreterError(errcode::UnitNotFound, reader_.startPos(), readIdentifier());
        case tok::Begin:
            break;
        default:
            if (isKeyword(reader_.kind()))
                refuse();
            evaluator_.raiseExpected(QStringLiteral("'begin'"));
        }
        break;
    }
    reader_.advance();
    runStatements();
    reader_.advance();
    return *variables_.find(kResult);
}

// var a, b: T; c: T; -- the type names are not checked, variables start Empty.
void BlockRunner::readVarSection()
{
    reader_.advance();
    do {
        for (;;) {
            const int position = reader_.startPos();
            const QString name = readIdentifier();
            if (variables_.contains(name))
                throw InterpreterError(errcode::Redeclared, position, name);
            variables_.declare(name, ScriptValue());
            if (reader_.kind() != tok::Comma)
                break;
            reader_.advance();
        }
        expect(tok::Colon, ":");
        if (reader_.kind() != tok::Identifier)
            refuse();
        reader_.advance();
        expect(tok::Semicolon, ";");
    } while (reader_.kind() == tok::Identifier);
}

// const c = expression;
void BlockRunner::readConstSection()
{
    reader_.advance();
    do {
        const int position = reader_.startPos();
        const QString name = readIdentifier();
        if (variables_.contains(name))
            throw InterpreterError(errcode::Redeclared, position, name);
        expect(tok::Equal, "=");
        const ScriptValue value = evaluator_.evaluate();
        expect(tok::Semicolon, ";");
        variables_.declare(name, value);
    } while (reader_.kind() == tok::Identifier);
}

// Statements separated by ";" up to the "end" of the block, which stays current.
void BlockRunner::runStatements()
{
    for (;;) {
        runStatement();
        if (reader_.kind() == tok::Semicolon) {
            reader_.advance();
            continue;
        }
        if (reader_.kind() == tok::End)
            return;
        if (reader_.kind() == tok::Empty)
            evaluator_.raiseExpected(QStringLiteral("'end'"));
        evaluator_.raiseExpected(QStringLiteral("';'"));
    }
}

void BlockRunner::runStatement()
{
    switch (reader_.kind()) {
    case tok::Semicolon:
    case tok::End:
        return; // the empty statement
    case tok::Begin: {
        const DepthGuard guard(depth_, reader_.endPos());
        reader_.advance();
        runStatements();
        reader_.advance();
        return;
    }
    case tok::Identifier:
        runAssignment();
        return;
    default:
        if (isKeyword(reader_.kind()))
            refuse();
        evaluator_.raiseExpected(errorMessageFor(errcode::WordStatement));
    }
}

// name := expression, ":=" being the two tokens ":" and "=".
void BlockRunner::runAssignment()
{
    const int position = reader_.startPos();
    const QString name = readIdentifier();
    if (reader_.kind() != tok::Colon)
        evaluator_.raiseExpected(QStringLiteral("':='"));
    reader_.advance();
    if (reader_.kind() != tok::Equal)
        evaluator_.raiseExpected(QStringLiteral("':='"));
    if (!variables_.contains(name))
        throw InterpreterError(errcode::Undeclared, position, name);
    reader_.advance();
    const ScriptValue value = evaluator_.evaluate();
    *variables_.find(name) = value;
}

void BlockRunner::readRoutineDeclaration()
{
    const bool isFunction = reader_.kind() == tok::Function;
    reader_.advance();
    readIdentifier();
    if (reader_.kind() == tok::LParen) {
        while (reader_.kind() != tok::RParen) {
            if (reader_.kind() == tok::Empty)
                evaluator_.raiseExpected(QStringLiteral("')'"));
            reader_.advance();
        }
        reader_.advance();
    }
    if (isFunction) {
        expect(tok::Colon, ":");
        readIdentifier();
    }
    expect(tok::Semicolon, ";");
    skipRoutineBody();
    expect(tok::Semicolon, ";");
}

// Declarations up to "begin", then the body up to its matching "end".
void BlockRunner::skipRoutineBody()
{
    while (reader_.kind() != tok::Begin) {
        if (reader_.kind() == tok::Empty)
            evaluator_.raiseExpected(QStringLiteral("'begin'"));
        if (reader_.kind() == tok::External || reader_.kind() == tok::Procedure
            || reader_.kind() == tok::Function)
            refuse();
        reader_.advance();
    }
    int depth = 0;
    do {
        switch (reader_.kind()) {
        case tok::Begin:
        case tok::Case:
        case tok::Try:
        case tok::Record:
            ++depth;
            break;
        case tok::End:
            --depth;
            break;
        case tok::Empty:
            evaluator_.raiseExpected(QStringLiteral("'end'"));
        default:
            break;
        }
        reader_.advance();
    } while (depth > 0);
}

QString BlockRunner::readProgramHeader()
{
    reader_.advance();
    QString name = readIdentifier();
    expect(tok::Semicolon, ";");
    return name;
}

} // namespace numra
