#include "interpreter.h"

#include "expression.h"
#include "interpretererror.h"
#include "scriptblock.h"
#include "tokenizer.h"

#include <optional>

namespace numra {

struct Interpreter::Impl {
    explicit Impl(ValueContext valueContext) : context(valueContext) {}

    void prepareRun();
    void runUnitPath();
    void runProgram();
    void runMainBlock(const QString& unitName);
    [[noreturn]] void rethrowWithLocation(const QString& unitName);
    int lineOf(int position) const;

    ValueContext context;
    TokenReader reader;
    ExpressionEvaluator evaluator{reader, context};
    BlockRunner blocks{reader, evaluator};
    ScriptValue vResult;
    std::optional<InterpreterError> lastError;
    int baseErrLine = 0;
};

namespace {

// "program " opens a program only at the very start of the text.
bool startsAsProgram(const QString& source)
{
    return source.size() >= 8 && sameNameIgnoringCase(QStringView(source).left(8), "program ");
}

} // namespace

void Interpreter::Impl::prepareRun()
{
    vResult = ScriptValue();
    evaluator.reset();
    evaluator.setVariables(nullptr);
    evaluator.setAllowAssignment(true);
    // The end of the text counts as the token before the first one, so a
    // leading "+" or "-" is always a sign.
    reader.reset();
    lastError.reset();
}

void Interpreter::Impl::runUnitPath()
{
    prepareRun();
    reader.advance();
    switch (reader.kind()) {
    case tok::Begin:
    case tok::Var:
        runMainBlock(QString());
        if (reader.kind() != tok::Semicolon)
            evaluator.raiseExpected(QStringLiteral("';'"));
        break;
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
        vResult = evaluator.evaluate();
        break;
    }
}

void Interpreter::Impl::runProgram()
{
    prepareRun();
    reader.advance();
    const QString name = blocks.readProgramHeader();
    runMainBlock(name);
    if (reader.kind() != tok::Point)
        evaluator.raiseExpected(QStringLiteral("'.'"));
}

void Interpreter::Impl::runMainBlock(const QString& unitName)
{
    try {
        vResult = blocks.runBlock();
    } catch (...) {
        rethrowWithLocation(unitName);
    }
}

int Interpreter::Impl::lineOf(int position) const
{
    const QStringView before = QStringView(reader.source()).left(std::max(position, 0));
    return int(before.count(u'\r')) + baseErrLine + 1;
}

// Adds the location of an error of the statement layer and keeps a copy in
// lastError. Only a unit or program name changes the message.
void Interpreter::Impl::rethrowWithLocation(const QString& unitName)
{
    try {
        throw;
    } catch (const InterpreterError& error) {
        if (error.hasLocation())
            throw;
        const int position = error.position() == -1 ? reader.endPos() : error.position();
        const QString unit = error.unitName().isEmpty() ? unitName : error.unitName();
        lastError = error.located(position, unit, lineOf(position));
        throw *lastError;
    } catch (const std::exception& error) {
        if (!lastError || !lastError->hasLocation()) {
            const auto* ownError = dynamic_cast<const Error*>(&error);
            const QString message = ownError ? ownError->message() : QString::fromUtf8(error.what());
            const int position = reader.endPos();
            lastError = InterpreterError::external(message).located(position, unitName, lineOf(position));
        }
        throw;
    }
}

Interpreter::Interpreter(ValueContext context) : impl_(new Impl(context)) {}

Interpreter::~Interpreter()
{
    delete impl_;
}

void Interpreter::setSource(const QString& source)
{
    impl_->reader.setSource(source);
}

const QString& Interpreter::source() const
{
    return impl_->reader.source();
}

void Interpreter::run()
{
    if (startsAsProgram(source()))
        impl_->runProgram();
    else
        impl_->runUnitPath();
}

const ScriptValue& Interpreter::vResult() const
{
    return impl_->vResult;
}

int Interpreter::stackPointer() const
{
    return impl_->evaluator.stackPointer();
}

const InterpreterError* Interpreter::lastError() const
{
    return impl_->lastError ? &*impl_->lastError : nullptr;
}

} // namespace numra
