// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The expression evaluator: evaluates while it parses, one recursive call per
// operand that a binary operator, a sign, "not" or a group asks for, so a
// chain of operators at one level runs in a loop however long it is, and
// only nesting is bounded. Value errors inside an expression become "Type
// mismatch"; every other error passes unchanged. Arithmetic faults and the
// common syntax errors come back as a failure (eval/fallible.h), placed at
// their token as a thrown error is; the rare ones are thrown.
//
// Texts joined with "+" are bounded too, over a whole run: a script that
// doubles a text in every statement ("a := a + a;" forty times) would
// otherwise want terabytes.

#include "eval/builtins.h"
#include "eval/errorlocation.h"
#include "eval/fallible.h"
#include "eval/interpretererror.h"
#include "eval/lexer.h"
#include "eval/scriptvalue.h"
#include "eval/variables.h"

#include <QString>

namespace numra {

// Characters that "+" may join into texts in one run, all texts together.
inline constexpr qsizetype kMaxJoinedTextPerRun = 4 * 1024 * 1024;

class ExpressionEvaluator {
public:
    ExpressionEvaluator(Lexer& lexer, const ValueContext& context, ErrorLocator& locator);

    // Evaluates the expression at the current token; afterwards the current
    // token is the first one the expression did not use.
    Fallible<ScriptValue> evaluate();
    // The same, with a failure handed back in failure (the value is then
    // Empty).
    ScriptValue evaluate(Status& failure);

    void setVariables(const Variables* variables) { variables_ = variables; }

    // A run begins: nothing joined yet, no failure.
    void startRun()
    {
        joinedText_ = 0;
        failure_ = Status();
    }

    // Raises "<what> expected but <current token> found"; a token kind is
    // shown as its quoted spelling ("')'").
    [[noreturn]] void raiseExpected(const MessageName& what) const;
    [[noreturn]] void raiseExpected(TokenKind kind) const;
    InterpreterError expected(const MessageName& what) const;
    InterpreterError expected(TokenKind kind) const;

private:
    // What a "%" directly after a number stands for where the number is: a
    // share of the sum before it (the left operand of "+" or "-"), or,
    // without a sum, the number's hundredths.
    struct PercentBase {
        const ScriptValue* sum = nullptr;
    };

    // The reading functions hand a failure back through failure_: once it
    // is set, each returns at once with a value that no one uses, and
    // evaluate() returns the failure. Values travel as they are, without a
    // wrapper, which keeps a good formula as fast as before.
    bool failed() const noexcept { return !failure_.ok(); }
    ScriptValue fail(Status failure);

    ScriptValue readBinary(int minPriority, PercentBase percent);
    ScriptValue readOperand(PercentBase percent);
    ScriptValue readOtherOperand(TokenKind kind, PercentBase percent);
    ScriptValue readGroup();
    ScriptValue readNumber(PercentBase percent);
    ScriptValue readStrings();
    void refuseOperandAfterOperand();
    ScriptValue applyBinary(TokenKind op, const ScriptValue& left, const ScriptValue& right);
    void countJoinedText(const ScriptValue& joined);
    Status resolveIdentifier(ScriptValue& result);
    bool lookupValue(const QString& name, const CallArguments& args, ScriptValue& result) const;
    void readArguments(CallArguments& args);
    void readOpenArray();
    void readSetConstructor(ScriptValue& result);

    Lexer& lexer_;
    const ValueContext& context_;
    ErrorLocator& locator_;
    const Variables* variables_ = nullptr;
    int depth_ = 0;
    qsizetype joinedText_ = 0;
    Status failure_;
};

} // namespace numra
