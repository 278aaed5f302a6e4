// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/interpreter.h"

#include "eval/expression.h"
#include "eval/interpretererror.h"
#include "eval/lexer.h"
#include "eval/scriptblock.h"

namespace numra {

struct Interpreter::Impl {
    explicit Impl(ValueContext valueContext) : context(valueContext), defaultArithmetic(valueContext.arithmetic) {}

    void prepareRun();
    void runByFirstToken(Status& failure);
    void runProgram();
    ScriptValue runMainBlock(const QString& unitName);

    ValueContext context;
    const Arithmetic defaultArithmetic;
    Lexer lexer;
    ErrorLocator locator{lexer};
    ExpressionEvaluator evaluator{lexer, context, locator};
    BlockRunner blocks{lexer, evaluator};
    ScriptValue result;
};

namespace {

// "program " opens a program only at the very start of the text.
bool startsAsProgram(const QString& source)
{
    return source.size() >= 8 && (source[0] == u'p' || source[0] == u'P')
        && sameNameIgnoringCase(QStringView(source).left(8), "program ");
}

} // namespace

void Interpreter::Impl::prepareRun()
{
    result = ScriptValue();
    lexer.reset();
    evaluator.startRun();
}

// A text without a program header is a block, a routine declaration or an
// expression, told apart by its first token.
void Interpreter::Impl::runByFirstToken(Status& failure)
{
    prepareRun();
    lexer.advance();
    switch (lexer.kind()) {
    case tok::Begin:
    case tok::Var:
    {
        const ScriptValue value = runMainBlock(QString());
        if (lexer.kind() != tok::Semicolon)
            evaluator.raiseExpected(tok::Semicolon);
        result = value;
        break;
    }
    case tok::Procedure:
    case tok::Function:
        // Declared routines are forgotten at the next run and nothing calls
        // them, so reading the declaration is all there is to do.
        blocks.readRoutineDeclaration();
        break;
    case tok::Unit:
        blocks.refuse();
    default:
        // The rest of the text after the expression is ignored.
        result = evaluator.evaluate(failure);
        break;
    }
}

void Interpreter::Impl::runProgram()
{
    prepareRun();
    lexer.advance();
    const QString name = blocks.readProgramHeader();
    const ScriptValue value = runMainBlock(name);
    if (lexer.kind() != tok::Point)
        evaluator.raiseExpected(tok::Point);
    result = value;
}

ScriptValue Interpreter::Impl::runMainBlock(const QString& unitName)
{
    try {
        return blocks.runBlock();
    } catch (const InterpreterError& error) {
        throw locator.located(error, unitName);
    }
}

Interpreter::Interpreter(ValueContext context) : impl_(std::make_unique<Impl>(context)) {}

Interpreter::~Interpreter() = default;

void Interpreter::setSource(const QString& source)
{
    impl_->lexer.setSource(source);
}

const QString& Interpreter::source() const
{
    return impl_->lexer.source();
}

void Interpreter::run()
{
    run(impl_->defaultArithmetic);
}

void Interpreter::run(Arithmetic arithmetic)
{
    tryRun(arithmetic).orThrow();
}

Status Interpreter::tryRun(Arithmetic arithmetic)
{
    Status failure;
    impl_->context.arithmetic = arithmetic;
    impl_->lexer.setArithmetic(arithmetic);
    if (startsAsProgram(source()))
        impl_->runProgram();
    else
        impl_->runByFirstToken(failure);
    return failure;
}

const ScriptValue& Interpreter::result() const
{
    return impl_->result;
}

} // namespace numra
