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
// comparisons; a sign and "not" bind tightest.
constexpr int kUnaryPriority = 8; // "not", and a sign binds as tightly

constexpr Priority kPriorities[] = {
    {tok::Not, kUnaryPriority},
    {tok::Mul, 6},          {tok::Divide, 6}, {tok::IntDiv, 6}, {tok::Mod, 6},
    {tok::Shl, 6},          {tok::Shr, 6},
    {tok::And, 5},
    {tok::Plus, 4},         {tok::Minus, 4},  {tok::Or, 4},
    {tok::Equal, 3},        {tok::NotEqual, 3}, {tok::Less, 3}, {tok::Greater, 3},
    {tok::Xor, 3},
    {tok::GreaterEqual, 2}, {tok::LessEqual, 2},
};

// What may not follow an operand directly: another operand, a group, a set
// or "not".
bool mayNotFollowOperand(TokenKind kind)
{
    switch (kind) {
    case tok::Identifier:
    case tok::Integer:
    case tok::Double:
    case tok::String:
    case tok::False:
    case tok::True:
    case tok::LParen:
    case tok::LBracket:
    case tok::Not:
        return true;
    default:
        return false;
    }
}

// The table spread over the kind codes, for a lookup per token.
constexpr auto kPriorityByKind = [] {
    std::array<std::int8_t, tok::Xor + 1> table{};
    for (const Priority& entry : kPriorities)
        table[std::size_t(entry.kind)] = std::int8_t(entry.priority);
    return table;
}();

// "not" has its priority as a prefix; after an operand it is no operator.
int binaryPriority(TokenKind kind)
{
    if (kind == tok::Not || kind < 0 || kind >= TokenKind(kPriorityByKind.size()))
        return 0;
    return kPriorityByKind[std::size_t(kind)];
}

// Runs an operation; an error it raises is placed at the operator's token.
template <class Operation>
ScriptValue placedAt(TextSpan where, Operation operation)
{
    try {
        return operation();
    } catch (Error& error) {
        error.placeAt(where);
        throw;
    }
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

ExpressionEvaluator::ExpressionEvaluator(Lexer& lexer, const ValueContext& context,
                                         ErrorLocator& locator)
    : lexer_(lexer)
    , context_(context)
    , locator_(locator)
{
}

Fallible<ScriptValue> ExpressionEvaluator::evaluate()
{
    Status failure;
    ScriptValue value = evaluate(failure);
    if (!failure.ok()) [[unlikely]]
        return failure;
    return value;
}

ScriptValue ExpressionEvaluator::evaluate(Status& failure)
{
    try {
        ScriptValue value = readBinary(0, PercentBase{});
        if (failed()) [[unlikely]]
            failure = std::exchange(failure_, Status());
        return value;
    } catch (const ValueError& error) {
        throw InterpreterError(errcode::TypeMismatch,
                               error.where() ? error.where() : std::optional(TextSpan{lexer_.endPos(), 0}));
    }
}

InterpreterError ExpressionEvaluator::expected(const MessageName& what) const
{
    const QStringView text = lexer_.text();
    const MessageName found = text.isEmpty() ? MessageName::word(errcode::WordEndOfFile)
                                             : MessageName(u'\'' + text.toString() + u'\'');
    return InterpreterError(errcode::Expected, lexer_.tokenSpan(), what, found);
}

InterpreterError ExpressionEvaluator::expected(TokenKind kind) const
{
    return expected(MessageName(u'\'' + spellingOf(kind) + u'\''));
}

void ExpressionEvaluator::raiseExpected(const MessageName& what) const
{
    throw expected(what);
}

void ExpressionEvaluator::raiseExpected(TokenKind kind) const
{
    throw expected(kind);
}

// Operands joined by the binary operators that bind tighter than
// minPriority; operators of one priority associate to the left.
ScriptValue ExpressionEvaluator::readBinary(int minPriority, PercentBase percent)
{
    const DepthGuard guard(depth_, lexer_.endPos());
    ScriptValue value = readOperand(percent);
    for (;;) {
        const TokenKind op = lexer_.kind();
        const int priority = binaryPriority(op);
        if (priority <= minPriority || failed())
            return value;
        const TextSpan opSpan = lexer_.tokenSpan();
        lexer_.advance();
        const bool additive = op == tok::Plus || op == tok::Minus;
        const ScriptValue right = readBinary(priority, additive ? PercentBase{&value} : PercentBase{});
        if (failed()) [[unlikely]]
            return value;
        value = placedAt(opSpan, [&] { return applyBinary(op, value, right); });
        if (failed()) [[unlikely]] {
            failure_.error().placeAt(opSpan);
            return value;
        }
        if (op == tok::Plus)
            countJoinedText(value);
    }
}

// The first failure is the one reported; nothing reads on after it.
ScriptValue ExpressionEvaluator::fail(Status failure)
{
    if (!failed())
        failure_ = std::move(failure);
    return ScriptValue();
}


void ExpressionEvaluator::countJoinedText(const ScriptValue& joined)
{
    if (!joined.isText())
        return;
    joinedText_ += joined.textPayload().size();
    if (joinedText_ > kMaxJoinedTextPerRun)
        throw InterpreterError(errcode::TooComplex, lexer_.startPos());
}

// The commonest operand, a number, first; this small function is inlined
// where operands are read.
ScriptValue ExpressionEvaluator::readOperand(PercentBase percent)
{
    const TokenKind kind = lexer_.kind();
    if (kind == tok::Integer || kind == tok::Double)
        return readNumber(percent);
    return readOtherOperand(kind, percent);
}

// Where an operand is expected, "+" and "-" are signs; a sign or "not"
// applies to exactly one operand ("-2*3" is (-2)*3).
ScriptValue ExpressionEvaluator::readOtherOperand(TokenKind kind, PercentBase percent)
{
    ScriptValue value;
    switch (kind) {
    case tok::Plus:
        lexer_.advance();
        return readBinary(kUnaryPriority, percent);
    case tok::Minus: {
        const TextSpan sign = lexer_.tokenSpan();
        lexer_.advance();
        value = readBinary(kUnaryPriority, percent);
        if (failed()) [[unlikely]]
            return value;
        return placedAt(sign, [&] { return negate(value, context_); });
    }
    case tok::Not:
        lexer_.advance();
        value = readBinary(kUnaryPriority, PercentBase{});
        if (failed()) [[unlikely]]
            return value;
        return logicalNot(value, context_);
    case tok::LParen:
        return readGroup();
    case tok::LBracket:
        lexer_.advance();
        readSetConstructor(value);
        if (lexer_.kind() != tok::RBracket)
            raiseExpected(tok::RBracket);
        lexer_.advance();
        break;
    case tok::String:
        value = readStrings();
        break;
    case tok::Identifier:
    case tok::False:
    case tok::True:
        value = lexer_.value();
        if (kind == tok::Identifier) {
            if (Status resolved = resolveIdentifier(value); !resolved) [[unlikely]]
                return fail(std::move(resolved));
        }
        lexer_.advance();
        break;
    default:
        return fail(Status::failure(expected(MessageName::word(errcode::WordExpression))));
    }
    refuseOperandAfterOperand();
    return value;
}

// "(" expression ")", at the "(".
ScriptValue ExpressionEvaluator::readGroup()
{
    lexer_.advance();
    ScriptValue value = readBinary(0, PercentBase{});
    if (failed()) [[unlikely]]
        return value;
    if (lexer_.kind() != tok::RParen)
        return fail(Status::failure(expected(tok::RParen)));
    lexer_.advance();
    refuseOperandAfterOperand();
    return value;
}

// "200+10%" is 220 and "200*10%" is 20, as the calculator's "%" key has it:
// the share b*n/100 of the sum b before it, or n/100 without one.
// As an operand, it checks what follows it itself; its one return lets the
// value be built where the caller wants it.
ScriptValue ExpressionEvaluator::readNumber(PercentBase percent)
{
    ScriptValue number = lexer_.takeValue();
    const bool decimal = isDecimalNumber(lexer_.text());
    const int end = lexer_.endPos();
    lexer_.advance();
    if (decimal && lexer_.isPercentSignAt(end)) {
        lexer_.advance();
        if (percent.sum != nullptr)
            number = binaryOperation(BinaryOp::Multiply, *percent.sum, number, context_, failure_);
        if (!failed())
            number = binaryOperation(BinaryOp::Divide, number, ScriptValue::integer(100), context_, failure_);
        if (failed()) [[unlikely]]
            return number;
    }
    refuseOperandAfterOperand();
    return number;
}

// Adjacent strings and "#" codes form one string: "'a'#66'c'" is "aBc".
// Both sides of each addition are texts, so the sum is their concatenation;
// appending keeps a long run of literals linear.
ScriptValue ExpressionEvaluator::readStrings()
{
    QString text;
    do {
        text += lexer_.value().textPayload();
        lexer_.advance();
    } while (lexer_.kind() == tok::String);
    return ScriptValue::text(text);
}

// An operand, a group, a set or "not" right after an operand would leave the
// first one without an operator ("2(3+4)", "5 not 3"), as in "2 3".
void ExpressionEvaluator::refuseOperandAfterOperand()
{
    if (mayNotFollowOperand(lexer_.kind())) [[unlikely]]
        fail(Status::failure(InterpreterError(errcode::MissingOperator, lexer_.tokenSpan())));
}

ScriptValue ExpressionEvaluator::applyBinary(TokenKind op, const ScriptValue& left, const ScriptValue& right)
{
    const auto arithmetic = [&](BinaryOp binary) { return binaryOperation(binary, left, right, context_, failure_); };
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
Status ExpressionEvaluator::resolveIdentifier(ScriptValue& result)
{
    const TextSpan nameSpan = lexer_.tokenSpan();
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
        return {};
    }
    result = ScriptValue();
    if (!lookupValue(name, args, result))
        return Status::failure(InterpreterError(errcode::Undeclared, nameSpan, name));
    if (args.indexed)
        throw InterpreterError(errcode::ArrayRequired, lexer_.tokenSpan());
    if (lexer_.kind() == tok::Point) {
        lexer_.advance();
        if (lexer_.kind() != tok::Identifier)
            raiseExpected(MessageName::word(errcode::WordIdentifier));
        // No value a formula can hold has members.
        throw InterpreterError(errcode::MembersRequired, lexer_.tokenSpan());
    }
    lexer_.pushBack();
    return {};
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
    } catch (const InterpreterError& error) {
        throw locator_.located(error, QString()); // a formula runs in no unit
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
            throw InterpreterError(errcode::TooManyParameters, lexer_.tokenSpan());
        if (lexer_.kind() == tok::LBracket) {
            readOpenArray();
            args.hasOpenArray = true;
            args.values.emplace_back();
        } else {
            args.values.push_back(evaluate().orThrow());
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
            throw InterpreterError(errcode::TooManyParameters, lexer_.tokenSpan());
        evaluate().orThrow();
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
            resolveIdentifier(element).orThrow();
            if (!isOrdinal(element.kind()))
                throw InterpreterError(errcode::IntegerRequired, lexer_.tokenSpan());
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
