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

// The keywords from "begin" on; the word operators, "true" and "false" have
// lower codes.
bool isStatementKeyword(TokenKind kind)
{
    return kind >= tok::Begin;
}

const QString kResult = QStringLiteral("Result");

} // namespace

BlockRunner::BlockRunner(Lexer& lexer, ExpressionEvaluator& evaluator)
    : lexer_(lexer)
    , evaluator_(evaluator)
{
}

void BlockRunner::refuse() const
{
    throw InterpreterError(errcode::AccessDenied, lexer_.startPos(), lexer_.text().toString());
}

void BlockRunner::expect(TokenKind kind)
{
    if (lexer_.kind() != kind)
        evaluator_.raiseExpected(kind);
    lexer_.advance();
}

QString BlockRunner::readIdentifier()
{
    if (lexer_.kind() != tok::Identifier)
        evaluator_.raiseExpected(MessageName::word(errcode::WordIdentifier));
    QString name = lexer_.value().textPayload();
    lexer_.advance();
    return name;
}

ScriptValue BlockRunner::runBlock()
{
    variables_.clear();
    variables_.declare(kResult, ScriptValue::null());
    const VariablesInScope scope(evaluator_, variables_);
    for (;;) {
        switch (lexer_.kind()) {
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
            lexer_.advance();
            throw InterpreterError(errcode::UnitNotFound, lexer_.startPos(), readIdentifier());
        case tok::Begin:
            break;
        default:
            if (isStatementKeyword(lexer_.kind()))
                refuse();
            evaluator_.raiseExpected(tok::Begin);
        }
        break;
    }
    lexer_.advance();
    runStatements();
    lexer_.advance();
    return *variables_.find(kResult);
}

// var a, b: T; c: T; -- the type names are not checked, variables start Empty.
void BlockRunner::readVarSection()
{
    lexer_.advance();
    do {
        for (;;) {
            const int position = lexer_.startPos();
            const QString name = readIdentifier();
            if (variables_.contains(name))
                throw InterpreterError(errcode::Redeclared, position, name);
            variables_.declare(name, ScriptValue());
            if (lexer_.kind() != tok::Comma)
                break;
            lexer_.advance();
        }
        expect(tok::Colon);
        if (lexer_.kind() != tok::Identifier)
            refuse();
        lexer_.advance();
        expect(tok::Semicolon);
    } while (lexer_.kind() == tok::Identifier);
}

// const c = expression;
void BlockRunner::readConstSection()
{
    lexer_.advance();
    do {
        const int position = lexer_.startPos();
        const QString name = readIdentifier();
        if (variables_.contains(name))
            throw InterpreterError(errcode::Redeclared, position, name);
        expect(tok::Equal);
        const ScriptValue value = evaluator_.evaluate().orThrow();
        expect(tok::Semicolon);
        variables_.declare(name, value);
    } while (lexer_.kind() == tok::Identifier);
}

// Statements separated by ";" up to the "end" of the block, which stays current.
void BlockRunner::runStatements()
{
    for (;;) {
        runStatement();
        if (lexer_.kind() == tok::Semicolon) {
            lexer_.advance();
            continue;
        }
        if (lexer_.kind() == tok::End)
            return;
        if (lexer_.kind() == tok::Empty)
            evaluator_.raiseExpected(tok::End);
        evaluator_.raiseExpected(tok::Semicolon);
    }
}

void BlockRunner::runStatement()
{
    switch (lexer_.kind()) {
    case tok::Semicolon:
    case tok::End:
        return; // the empty statement
    case tok::Begin: {
        const DepthGuard guard(depth_, lexer_.endPos());
        lexer_.advance();
        runStatements();
        lexer_.advance();
        return;
    }
    case tok::Identifier:
        runAssignment();
        return;
    default:
        if (isStatementKeyword(lexer_.kind()))
            refuse();
        evaluator_.raiseExpected(MessageName::word(errcode::WordStatement));
    }
}

// name := expression, ":=" being the two tokens ":" and "=".
void BlockRunner::runAssignment()
{
    const int position = lexer_.startPos();
    const QString name = readIdentifier();
    if (lexer_.kind() != tok::Colon)
        evaluator_.raiseExpected(QStringLiteral("':='"));
    lexer_.advance();
    if (lexer_.kind() != tok::Equal)
        evaluator_.raiseExpected(QStringLiteral("':='"));
    if (!variables_.contains(name))
        throw InterpreterError(errcode::Undeclared, position, name);
    lexer_.advance();
    const ScriptValue value = evaluator_.evaluate().orThrow();
    *variables_.find(name) = value;
}

void BlockRunner::readRoutineDeclaration()
{
    const bool isFunction = lexer_.kind() == tok::Function;
    lexer_.advance();
    readIdentifier();
    if (lexer_.kind() == tok::LParen) {
        while (lexer_.kind() != tok::RParen) {
            if (lexer_.kind() == tok::Empty)
                evaluator_.raiseExpected(tok::RParen);
            lexer_.advance();
        }
        lexer_.advance();
    }
    if (isFunction) {
        expect(tok::Colon);
        readIdentifier();
    }
    expect(tok::Semicolon);
    skipRoutineBody();
    expect(tok::Semicolon);
}

// Declarations up to "begin", then the body up to its matching "end".
void BlockRunner::skipRoutineBody()
{
    while (lexer_.kind() != tok::Begin) {
        if (lexer_.kind() == tok::Empty)
            evaluator_.raiseExpected(tok::Begin);
        if (lexer_.kind() == tok::External || lexer_.kind() == tok::Procedure
            || lexer_.kind() == tok::Function)
            refuse();
        lexer_.advance();
    }
    int depth = 0;
    do {
        switch (lexer_.kind()) {
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
            evaluator_.raiseExpected(tok::End);
        default:
            break;
        }
        lexer_.advance();
    } while (depth > 0);
}

QString BlockRunner::readProgramHeader()
{
    lexer_.advance();
    QString name = readIdentifier();
    expect(tok::Semicolon);
    return name;
}

} // namespace numra
