// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The expression evaluator: evaluates while it parses, one recursive level
// per operator priority and an explicit stack of at most 200 values. Value
// errors inside an expression become "Type mismatch"; every other error
// passes unchanged. The value stack is restored after every evaluation,
// successful or not.

#include "eval/builtins.h"
#include "eval/errorlocation.h"
#include "eval/lexer.h"
#include "eval/scriptvalue.h"
#include "eval/variables.h"

#include <QString>
#include <array>

namespace numra {

// Token priorities of the binary operators and "not"; every other kind has 0.
int operatorPriority(TokenKind kind);

class ExpressionEvaluator {
public:
    static constexpr int kStackSize = 200;

    ExpressionEvaluator(Lexer& lexer, const ValueContext& context, ErrorLocator& locator);

    // Evaluates the expression at the current token; afterwards the current
    // token is the first one the expression did not use.
    ScriptValue evaluate();

    void reset();
    int stackPointer() const { return stackPointer_; }
    void setVariables(const Variables* variables) { variables_ = variables; }

    // Raises "<what> expected but <current token> found"; a token kind is
    // shown as its quoted spelling ("')'").
    [[noreturn]] void raiseExpected(const QString& what) const;
    [[noreturn]] void raiseExpected(TokenKind kind) const;

private:
    void evaluateLevel(TokenKind op, ScriptValue& result);
    void readOperand(ScriptValue& result);
    void readStrings(ScriptValue& result);
    ScriptValue applyBinary(TokenKind op, const ScriptValue& left, const ScriptValue& right) const;
    void resolveIdentifier(ScriptValue& result);
    bool lookupValue(const QString& name, const CallArguments& args, ScriptValue& result) const;
    void readArguments(CallArguments& args);
    void readOpenArray();
    void readSetConstructor(ScriptValue& result);

    void push(ScriptValue value);
    ScriptValue pop();
    void dropAbove(int saved);

    Lexer& lexer_;
    const ValueContext& context_;
    ErrorLocator& locator_;
    const Variables* variables_ = nullptr;
    int depth_ = 0;
    int stackPointer_ = -1;
    std::array<ScriptValue, kStackSize> stack_;
};

} // namespace numra
