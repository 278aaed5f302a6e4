// SPDX-License-Identifier: GPL-3.0-or-later
#include "eval/expression.h"

#include "eval/depthguard.h"
#include "eval/interpretererror.h"

#include <array>
#include <cstdint>

namespace numra {

namespace {

struct Priority {
    TokenKind kind;
    int priority;
};

// ">=" and "<=" bind more loosely than "=", and "xor" sits with the
// comparisons. A binary operator returns to the level that asked for it when
// that level's priority reaches its own.
constexpr Priority kPriorities[] = {
    {tok::Not, 8},
    {tok::Mul, 6},          {tok::Divide, 6}, {tok::IntDiv, 6}, {tok::Mod, 6},
    {tok::Shl, 6},          {tok::Shr, 6},
    {tok::And, 5},
    {tok::Plus, 4},         {tok::Minus, 4},  {tok::Or, 4},
    {tok::Equal, 3},        {tok::NotEqual, 3}, {tok::Less, 3}, {tok::Greater, 3},
    {tok::Xor, 3},
    {tok::GreaterEqual, 2}, {tok::LessEqual, 2},
};

bool isOperand(TokenKind kind)
{
    return kind == tok::Identifier || kind == tok::Integer || kind == tok::Double
        || kind == tok::String || kind == tok::False || kind == tok::True;
}

// A "+" or "-" after one of these is binary, otherwise a sign.
bool endsOperand(TokenKind kind)
{
    return isOperand(kind) || kind == tok::RParen || kind == tok::RBracket;
}

// Sets and pointers are compared by their bits, not by the value rules.
bool comparesByIdentity(ValueKind kind)
{
    return payloadOf(kind) == Payload::Bits;
}

std::uint32_t payload32(const ScriptValue& value)
{
    return std::uint32_t(value.intPayload());
}

} // namespace

int operatorPriority(TokenKind kind)
{
    // The table spread over the kind codes, for a lookup per token.
    static constexpr auto byKind = [] {
        std::array<std::int8_t, tok::Xor + 1> table{};
        for (const Priority& entry : kPriorities)
            table[std::size_t(entry.kind)] = std::int8_t(entry.priority);
        return table;
    }();
    return kind >= 0 && kind < TokenKind(byKind.size()) ? byKind[std::size_t(kind)] : 0;
}

ExpressionEvaluator::ExpressionEvaluator(Lexer& lexer, const ValueContext& context,
                                         ErrorLocator& locator)
    : lexer_(lexer)
    , context_(context)
    , locator_(locator)
{
}

void ExpressionEvaluator::reset()
{
    dropAbove(-1);
    depth_ = 0;
}

void ExpressionEvaluator::push(ScriptValue value)
{
    if (stackPointer_ + 1 >= kStackSize)
        throw InterpreterError(errcode::TooComplex, -1);
    stack_[++stackPointer_] = std::move(value);
}

ScriptValue ExpressionEvaluator::pop()
{
    if (stackPointer_ < 0)
        throw InterpreterError(errcode::Internal, -1);
    return std::move(stack_[stackPointer_--]);
}

void ExpressionEvaluator::dropAbove(int saved)
{
    while (stackPointer_ > saved)
        stack_[stackPointer_--] = ScriptValue();
}

ScriptValue ExpressionEvaluator::evaluate()
{
    const int saved = stackPointer_;
    try {
        ScriptValue top;
        evaluateLevel(-1, top);
        ScriptValue result = pop();
        dropAbove(saved);
        return result;
    } catch (const ValueError&) {
        dropAbove(saved);
        throw InterpreterError(errcode::TypeMismatch, lexer_.endPos());
    } catch (...) {
        dropAbove(saved);
        throw;
    }
}

void ExpressionEvaluator::raiseExpected(const QString& what) const
{
    const QStringView text = lexer_.text();
    const QString found = text.isEmpty() ? errorMessageFor(errcode::WordEndOfFile)
                                         : u'\'' + text.toString() + u'\'';
    throw InterpreterError(errcode::Expected, lexer_.startPos(), what, found);
}

void ExpressionEvaluator::raiseExpected(TokenKind kind) const
{
    raiseExpected(u'\'' + spellingOf(kind) + u'\'');
}

// op is the construct that asked for an operand: a binary operator, "not"
// for a sign or "not", "(" for a group, or -1 at the top. Every case that
// does not return pushes the result and looks at the current token again.
void ExpressionEvaluator::evaluateLevel(TokenKind op, ScriptValue& result)
{
    const DepthGuard guard(depth_, lexer_.endPos());
    result = ScriptValue();
    if (op != -1)
        lexer_.advance();
    const TokenKind first = lexer_.kind();
    const int levelPriority = operatorPriority(op);
    for (;;) {
        const TokenKind kind = lexer_.kind();
        if (isOperand(kind)) {
            if (kind == tok::String)
                readStrings(result);
            else
                readOperand(result);
            if (operatorPriority(lexer_.kind()) < levelPriority)
                return;
        } else if (kind == tok::Not) {
            ScriptValue operand;
            evaluateLevel(tok::Not, operand);
            result = logicalNot(operand, context_);
        } else if ((kind == tok::Plus || kind == tok::Minus) && !endsOperand(lexer_.previousKind())) {
            if (kind == tok::Plus) {
                evaluateLevel(tok::Not, result);
            } else {
                ScriptValue operand;
                evaluateLevel(tok::Not, operand);
                result = negate(operand, context_);
            }
        } else if (const int priority = operatorPriority(kind); priority > 0) {
            if (levelPriority >= priority)
                return;
            const ScriptValue left = pop();
            ScriptValue right;
            evaluateLevel(kind, right);
            result = applyBinary(kind, left, right);
        } else if (kind == tok::LParen) {
            evaluateLevel(tok::LParen, result);
            if (lexer_.kind() != tok::RParen)
                raiseExpected(tok::RParen);
            lexer_.advance();
        } else if (kind == tok::LBracket) {
            lexer_.advance();
            readSetConstructor(result);
            if (lexer_.kind() != tok::RBracket)
                raiseExpected(tok::RBracket);
            lexer_.advance();
        } else {
            if (!result.isEmpty() || first == tok::Identifier)
                return;
            raiseExpected(errorMessageFor(errcode::WordExpression));
        }
        push(result);
    }
}

void ExpressionEvaluator::readOperand(ScriptValue& result)
{
    result = lexer_.value();
    if (lexer_.kind() == tok::Identifier)
        resolveIdentifier(result);
    lexer_.advance();
    if (isOperand(lexer_.kind()))
        throw InterpreterError(errcode::MissingOperator, lexer_.endPos());
}

// Adjacent strings and "#" codes form one string: "'a'#66'c'" is "aBc".
// Both sides of each addition are texts, so the sum is their concatenation;
// appending keeps a long run of literals linear.
void ExpressionEvaluator::readStrings(ScriptValue& result)
{
    QString text;
    do {
        text += lexer_.value().textPayload();
        lexer_.advance();
        if (isOperand(lexer_.kind()) && lexer_.kind() != tok::String)
            throw InterpreterError(errcode::MissingOperator, lexer_.endPos());
    } while (lexer_.kind() == tok::String);
    result = ScriptValue::text(text);
}

ScriptValue ExpressionEvaluator::applyBinary(TokenKind op, const ScriptValue& left,
                                             const ScriptValue& right) const
{
    const auto arithmetic = [&](BinaryOp binary) { return binaryOperation(binary, left, right, context_); };
    const auto comparison = [&](CompareOp compareOp) { return compare(compareOp, left, right, context_); };
    switch (op) {
    case tok::Plus:
        if (left.kind() == ValueKind::Set)
            return ScriptValue::set(payload32(left) | payload32(right));
        return arithmetic(BinaryOp::Add);
    case tok::Minus:
        if (left.kind() == ValueKind::Set)
            return ScriptValue::set(payload32(left) & ~payload32(right));
        return arithmetic(BinaryOp::Subtract);
    case tok::Mul: return arithmetic(BinaryOp::Multiply);
    case tok::Divide: return arithmetic(BinaryOp::Divide);
    case tok::IntDiv: return arithmetic(BinaryOp::IntDivide);
    case tok::Mod: return arithmetic(BinaryOp::Modulus);
    case tok::Shl: return arithmetic(BinaryOp::Shl);
    case tok::Shr: return arithmetic(BinaryOp::Shr);
    case tok::And: return arithmetic(BinaryOp::And);
    case tok::Or: return arithmetic(BinaryOp::Or);
    case tok::Xor: return arithmetic(BinaryOp::Xor);
    case tok::Equal:
        if (comparesByIdentity(left.kind()))
            return ScriptValue::boolean(payload32(left) == payload32(right));
        return comparison(CompareOp::Equal);
    case tok::NotEqual:
        if (comparesByIdentity(left.kind()))
            return ScriptValue::boolean(payload32(left) != payload32(right));
        return comparison(CompareOp::NotEqual);
    case tok::Less: return comparison(CompareOp::Less);
    case tok::Greater: return comparison(CompareOp::Greater);
    case tok::LessEqual: return comparison(CompareOp::LessEqual);
    case tok::GreaterEqual: return comparison(CompareOp::GreaterEqual);
    default:
        throw InterpreterError(errcode::Internal, -1);
    }
}

// The current token is the identifier; result holds its name. Leaves the
// token after the identifier use pushed back for the caller.
void ExpressionEvaluator::resolveIdentifier(ScriptValue& result)
{
    const QString name = lexer_.value().textPayload();
    lexer_.advance();
    CallArguments args;
    args.indexed = lexer_.kind() == tok::LBracket;
    if (lexer_.kind() == tok::LParen || lexer_.kind() == tok::LBracket)
        readArguments(args);

    if (lexer_.kind() == tok::Colon) {
        // "name :" looks like an assignment, which an expression cannot
        // hold: the name itself is the value ("x:=5" is "x").
        lexer_.pushBack();
        return;
    }
    result = ScriptValue();
    if (!lookupValue(name, args, result))
        throw InterpreterError(errcode::Undeclared, lexer_.startPos(), name);
    if (args.indexed)
        throw InterpreterError(errcode::ArrayRequired, lexer_.startPos());
    if (lexer_.kind() == tok::Point) {
        lexer_.advance();
        if (lexer_.kind() != tok::Identifier)
            raiseExpected(errorMessageFor(errcode::WordIdentifier));
        // No value a formula can hold has members.
        throw InterpreterError(errcode::MembersRequired, lexer_.startPos());
    }
    lexer_.pushBack();
}

bool ExpressionEvaluator::lookupValue(const QString& name, const CallArguments& args,
                                      ScriptValue& result) const
{
    if (variables_ != nullptr) {
        if (const ScriptValue* variable = variables_->find(name)) {
            if (!args.indexed && args.count() > 0)
                throw InterpreterError(errcode::TooManyParameters, -1);
            result = *variable;
            return true;
        }
    }
    try {
        return lookupBuiltin(name, args, context_, result);
    } catch (...) {
        locator_.addErrorLocation(QString()); // a formula runs in no unit
    }
}

void ExpressionEvaluator::readArguments(CallArguments& args)
{
    const TokenKind closing = lexer_.kind() == tok::LParen ? tok::RParen : tok::RBracket;
    lexer_.advance();
    if (lexer_.kind() == tok::RParen) {
        lexer_.advance();
        return;
    }
    for (;;) {
        if (args.count() == kMaxArguments)
            throw InterpreterError(errcode::TooManyParameters, lexer_.startPos());
        if (lexer_.kind() == tok::LBracket) {
            readOpenArray();
            args.hasOpenArray = true;
            args.values.emplace_back();
        } else {
            args.values.push_back(evaluate());
        }
        if (lexer_.kind() != tok::Comma)
            break;
        lexer_.advance();
    }
    if (lexer_.kind() != closing)
        raiseExpected(closing);
    lexer_.advance();
}

// "[a, b, ...]" as an argument. No function of the calculator takes an open
// array, so its elements are evaluated and checked but not kept.
void ExpressionEvaluator::readOpenArray()
{
    const DepthGuard guard(depth_, lexer_.endPos());
    lexer_.advance();
    int elements = 0;
    while (lexer_.kind() != tok::RBracket) {
        if (++elements > kMaxArguments)
            throw InterpreterError(errcode::TooManyParameters, lexer_.startPos());
        evaluate();
        if (lexer_.kind() != tok::Comma)
            break;
        lexer_.advance();
    }
    if (lexer_.kind() != tok::RBracket)
        raiseExpected(tok::RBracket);
    lexer_.advance();
}

// Integer literals are or-ed in with their own value ("[3]" is the mask 3),
// ordinal identifiers as the bit they number.
void ExpressionEvaluator::readSetConstructor(ScriptValue& result)
{
    std::uint32_t mask = 0;
    while (lexer_.kind() == tok::Integer || lexer_.kind() == tok::Identifier) {
        if (lexer_.kind() == tok::Integer) {
            mask |= payload32(lexer_.value());
        } else {
            ScriptValue element = lexer_.value();
            resolveIdentifier(element);
            if (!isOrdinal(element.kind()))
                throw InterpreterError(errcode::IntegerRequired, lexer_.startPos());
            mask |= 1u << (element.intPayload() & 31);
        }
        lexer_.advance();
        if (lexer_.kind() == tok::Comma)
            lexer_.advance();
        else if (lexer_.kind() == tok::RBracket)
            break;
        else
            raiseExpected(tok::RBracket);
    }
    result = ScriptValue::set(mask);
}

} // namespace numra
