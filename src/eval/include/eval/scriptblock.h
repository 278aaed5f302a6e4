// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small statement layer behind texts that begin like a script. It runs a
// main block of assignments to "Result" and to declared variables:
//   [var a, b: T; ... | const c = expr; ...] begin stmt; ... end;
// where a statement is empty, "name := expression" or a nested begin ... end.
// Routine declarations are read and checked but never run. Every other
// statement or declaration is refused with an InterpreterError.

#include "eval/expression.h"
#include "eval/lexer.h"

namespace numra {

class BlockRunner {
public:
    BlockRunner(Lexer& lexer, ExpressionEvaluator& evaluator);

    // At "var", "const" or "begin": reads the declarations (variables,
    // constants, routines), runs the block up to its "end" (the token after
    // it is current) and returns "Result".
    ScriptValue runBlock();

    // At "procedure" or "function": reads the declaration up to and
    // including the ";" after its body.
    void readRoutineDeclaration();

    // At "program": reads "program name;" and returns the name.
    QString readProgramHeader();

    // The error for a part of the language this calculator does not run.
    [[noreturn]] void refuse() const;

private:
    void readVarSection();
    void readConstSection();
    void runStatements();
    void runStatement();
    void runAssignment();
    void skipRoutineBody();
    void expect(TokenKind kind);
    QString readIdentifier();

    Lexer& lexer_;
    ExpressionEvaluator& evaluator_;
    int depth_ = 0; // nested "begin"
    Variables variables_;
};

} // namespace numra
