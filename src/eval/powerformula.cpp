// SPDX-License-Identifier: GPL-3.0-or-later
// A recursive-descent reader over one formula text. Each routine leaves the
// first character it did not use as the current character; an operator is
// consumed by the routine that reads the operand after it (skipBlanks).
// Blanks may stand around every operand, and text that no operator joins to
// the formula is an error, so "2 ^ 3" is 8 and "2^3abc" or "2^2 3" are
// refused instead of giving 8 and 4.

#include "eval/powerformula.h"

#include "eval/charclass.h"
#include "eval/errors.h"
#include "eval/fpu.h"
#include "eval/numbertext.h"

#include <cmath>

namespace numra {

namespace {

const QString kSyntaxError = QStringLiteral("Syntax error in expression");
const QString kMissingParenthesis = QStringLiteral("Missing ')' in expression");
const QString kTooComplex = QStringLiteral("Expression is too complex");

constexpr const long double* kNoSum = nullptr;

// Each group costs a handful of stack frames; deeper formulas are refused
// before the stack runs out.
constexpr int kMaxGroupDepth = 1000;

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

class PowerFormulaReader {
public:
    explicit PowerFormulaReader(const QString& text) : text_(text) {}

    // The whole text: line breaks and other control characters at its end,
    // as a loaded calculation file has them, are no text.
    long double readFormula()
    {
        const long double value = readExpression();
        while (current_ != 0 && current_ <= u' ')
            nextChar();
        if (current_ != 0)
            throw Error(kSyntaxError, here());
        return value;
    }

private:
    long double readExpression()
    {
        long double value = readTerm(kNoSum);
        while (current_ == u'+' || current_ == u'-') {
            const bool add = current_ == u'+';
            const TextSpan op = here();
            const long double term = readTerm(&value);
            value = placedAt(op, [&] { return add ? fpu::add(value, term) : fpu::sub(value, term); });
        }
        return value;
    }

    // The current character, or the end of the text.
    TextSpan here() const
    {
        return current_ == 0 ? TextSpan{int(text_.size()), 0} : TextSpan{int(position_ - 1), 1};
    }

    // An arithmetic fault is placed at the operator that asked for it.
    template <class Operation>
    static long double placedAt(TextSpan op, Operation operation)
    {
        try {
            return operation();
        } catch (Error& error) {
            error.placeAt(op);
            throw;
        }
    }

    char16_t nextChar()
    {
        if (position_ < text_.size())
            current_ = text_[position_++].unicode();
        else
            current_ = 0;
        return current_;
    }

    // Consumes at least one character: the operator or "(" in front of an operand.
    char16_t skipBlanks()
    {
        while (isBlank(nextChar())) {
        }
        return current_;
    }

    // After an operand: leaves the next character that is no blank current.
    void skipBlanksAfterOperand()
    {
        while (isBlank(current_))
            nextChar();
    }

    // sum: the value before the "+" or "-" in front of the term, which a
    // percentage at its start is a share of.
    long double readTerm(const long double* sum)
    {
        long double value = readPower(sum);
        while (current_ == u'*' || current_ == u'/') {
            const bool multiply = current_ == u'*';
            const TextSpan op = here();
            const long double factor = readPower(kNoSum);
            value = placedAt(op, [&] { return multiply ? fpu::mul(value, factor) : fpu::div(value, factor); });
        }
        return value;
    }

    // x^y is e^(y * ln x) for every x and y. The logarithm is taken before
    // the exponent is read, so the base's fault comes first ("0^" fails on
    // the base, not on the missing exponent).
    long double readPower(const long double* sum)
    {
        long double value = readSigned(sum);
        while (current_ == u'^') {
            const TextSpan op = here();
            const long double logarithm = placedAt(op, [&] {
                return fpu::checked([&] {
                    volatile long double base = value;
                    return std::log(static_cast<long double>(base));
                });
            });
            const long double power = readSigned(kNoSum);
            value = placedAt(op, [&] {
                const long double exponent = fpu::mul(logarithm, power);
                return fpu::checked([&] {
                    volatile long double x = exponent;
                    return std::exp(static_cast<long double>(x));
                });
            });
        }
        return value;
    }

    // A run of signs only flips the sign, so it is counted, not recursed.
    long double readSigned(const long double* sum)
    {
        bool negative = false;
        for (char16_t c = skipBlanks(); c == u'+' || c == u'-'; c = skipBlanks()) {
            if (c == u'-')
                negative = !negative;
        }
        const long double value = readFactor(sum);
        return negative ? -value : value;
    }

    long double readFactor(const long double* sum)
    {
        long double value = 0;
        if (current_ == u'(')
            value = readGroup();
        else if (charclass::isDigit(current_))
            value = readPercentage(readNumber(), sum);
        else
            throw Error(kSyntaxError, here());
        skipBlanksAfterOperand();
        return value;
    }

    // A "%" directly after a number, as in the script language: the share
    // sum*n/100 of the sum before it, or n/100 without one.
    long double readPercentage(long double number, const long double* sum)
    {
        if (current_ != u'%')
            return number;
        const TextSpan percent = here();
        nextChar();
        return placedAt(percent, [&] { return fpu::div(sum != nullptr ? fpu::mul(*sum, number) : number, 100); });
    }

    // A group's value is rounded to a double before the enclosing expression
    // uses it.
    long double readGroup()
    {
        if (++depth_ > kMaxGroupDepth)
            throw Error(kTooComplex, here());
        const long double value = readExpression();
        skipBlanksAfterOperand();
        if (current_ != u')')
            throw Error(kMissingParenthesis, here());
        const TextSpan closing = here();
        nextChar();
        --depth_;
        return placedAt(closing, [&] { return fpu::toDouble(value); });
    }

    // Digits with at most one point: "5." is five, a second point ends the
    // number. Read with "." whatever the user's separator is.
    long double readNumber()
    {
        const qsizetype start = position_ - 1;
        qsizetype length = 0;
        bool pointTaken = false;
        while (charclass::isDigit(current_)) {
            ++length;
            if (nextChar() == u'.' && !pointTaken) {
                ++length;
                nextChar();
                pointTaken = true;
            }
        }
        long double value = 0;
        const QStringView number = QStringView(text_).mid(start, length);
        if (!tryParseNumber(number, u'.', value)) {
            ConvertError error = ConvertError::notAFloat(number.toString());
            error.placeAt({int(start), int(length)});
            throw error;
        }
        return value;
    }

    const QString& text_;
    qsizetype position_ = 0;
    char16_t current_ = 0;
    int depth_ = 0;
};

} // namespace

long double evaluatePowerFormula(const QString& formula)
{
    return PowerFormulaReader(formula).readFormula();
}

} // namespace numra
