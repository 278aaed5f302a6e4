// SPDX-License-Identifier: GPL-3.0-or-later
// A recursive-descent reader over one formula text. Each routine leaves the
// first character it did not use as the current character; an operator is
// consumed by the routine that reads the operand after it (skipBlanks).
// Blanks may stand around every operand, and text that no operator joins to
// the formula is an error, so "2 ^ 3" is 8 and "2^3abc" or "2^2 3" are
// refused instead of giving 8 and 4. The reader is written once for both
// arithmetics; what differs is in BinaryReals and DecimalReals.

#include "eval/powerformula.h"

#include "eval/charclass.h"
#include "eval/errors.h"
#include "eval/fpu.h"
#include "eval/interpretererror.h"
#include "eval/numbertext.h"

#include <cmath>

namespace numra {

namespace {


// Each group costs a handful of stack frames; deeper formulas are refused
// before the stack runs out.
constexpr int kMaxGroupDepth = 1000;

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// Extended precision; x^y is e^(y * ln x) for every x and y, and a group's
// value is rounded to a double.
struct BinaryReals {
    using Real = long double;
    // What the base of "^" leaves for the power once the exponent is read.
    using Base = long double; // its logarithm

    static Real add(Real a, Real b) { return fpu::add(a, b); }
    static Real sub(Real a, Real b) { return fpu::sub(a, b); }
    static Real mul(Real a, Real b) { return fpu::mul(a, b); }
    static Real div(Real a, Real b) { return fpu::div(a, b); }
    static Real hundred() { return 100; }
    static Real group(Real value) { return fpu::toDouble(value); }
    static bool read(QStringView number, Real& value) { return tryParseNumber(number, u'.', value); }

    static Base base(Real value)
    {
        return fpu::checked([&] {
            volatile long double base = value;
            return std::log(static_cast<long double>(base));
        });
    }
    static Real power(Base logarithm, Real exponent)
    {
        const long double product = fpu::mul(logarithm, exponent);
        return fpu::checked([&] {
            volatile long double x = product;
            return std::exp(static_cast<long double>(x));
        });
    }
};

// The exact mode: decimals held exactly, every result within the extended
// range as the binary one's are, a group's value within the double range
// but not rounded. A power fails where the logarithm of its base would: on
// a zero or negative base.
struct DecimalReals {
    using Real = Decimal;
    using Base = Decimal;

    static Real add(const Real& a, const Real& b) { return withinRange(a + b, BinaryRange::Extended); }
    static Real sub(const Real& a, const Real& b) { return withinRange(a - b, BinaryRange::Extended); }
    static Real mul(const Real& a, const Real& b) { return withinRange(a * b, BinaryRange::Extended); }
    static Real div(const Real& a, const Real& b) { return withinRange(a / b, BinaryRange::Extended); }
    static Real hundred() { return Decimal::fromInteger(100); }
    static Real group(const Real& value) { return withinRange(value, BinaryRange::Double); }
    static bool read(QStringView number, Real& value) { return tryParseDecimal(number, u'.', value); }

    static Base base(const Real& value)
    {
        if (value.isZero())
            throw ArithmeticError(fpu::kDivisionByZero);
        if (value.isNegative())
            throw ArithmeticError(fpu::kInvalidOperation);
        return value;
    }
    static Real power(const Base& base, const Real& exponent)
    {
        return withinRange(numra::power(base, exponent), BinaryRange::Extended);
    }
};

template <class Reals>
class PowerFormulaReader {
public:
    using Real = typename Reals::Real;

    explicit PowerFormulaReader(const QString& text) : text_(text) {}

    // The whole text: line breaks and other control characters at its end,
    // as a loaded calculation file has them, are no text.
    Real readFormula()
    {
        const Real value = readExpression();
        while (current_ != 0 && current_ <= u' ')
            nextChar();
        if (current_ != 0)
            throw tableError(errcode::PowerSyntax, here());
        return value;
    }

private:
    static constexpr const Real* kNoSum = nullptr;

    Real readExpression()
    {
        Real value = readTerm(kNoSum);
        while (current_ == u'+' || current_ == u'-') {
            const bool add = current_ == u'+';
            const TextSpan op = here();
            const Real term = readTerm(&value);
            value = placedAt(op, [&] { return add ? Reals::add(value, term) : Reals::sub(value, term); });
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
    static auto placedAt(TextSpan op, Operation operation)
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
    Real readTerm(const Real* sum)
    {
        Real value = readPower(sum);
        while (current_ == u'*' || current_ == u'/') {
            const bool multiply = current_ == u'*';
            const TextSpan op = here();
            const Real factor = readPower(kNoSum);
            value = placedAt(op, [&] { return multiply ? Reals::mul(value, factor) : Reals::div(value, factor); });
        }
        return value;
    }

    // The base is taken (its logarithm, in the binary arithmetic) before the
    // exponent is read, so the base's fault comes first ("0^" fails on the
    // base, not on the missing exponent).
    Real readPower(const Real* sum)
    {
        Real value = readSigned(sum);
        while (current_ == u'^') {
            const TextSpan op = here();
            const typename Reals::Base base = placedAt(op, [&] { return Reals::base(value); });
            const Real exponent = readSigned(kNoSum);
            value = placedAt(op, [&] { return Reals::power(base, exponent); });
        }
        return value;
    }

    // A run of signs only flips the sign, so it is counted, not recursed.
    Real readSigned(const Real* sum)
    {
        bool negative = false;
        for (char16_t c = skipBlanks(); c == u'+' || c == u'-'; c = skipBlanks()) {
            if (c == u'-')
                negative = !negative;
        }
        const Real value = readFactor(sum);
        return negative ? -value : value;
    }

    Real readFactor(const Real* sum)
    {
        Real value{};
        if (current_ == u'(')
            value = readGroup();
        else if (charclass::isDigit(current_))
            value = readPercentage(readNumber(), sum);
        else
            throw tableError(errcode::PowerSyntax, here());
        skipBlanksAfterOperand();
        return value;
    }

    // A "%" directly after a number, as in the script language: the share
    // sum*n/100 of the sum before it, or n/100 without one.
    Real readPercentage(Real number, const Real* sum)
    {
        if (current_ != u'%')
            return number;
        const TextSpan percent = here();
        nextChar();
        return placedAt(percent, [&] {
            return Reals::div(sum != nullptr ? Reals::mul(*sum, number) : number, Reals::hundred());
        });
    }

    // A group's value must fit a double before the enclosing expression
    // uses it.
    Real readGroup()
    {
        if (++depth_ > kMaxGroupDepth)
            throw tableError(errcode::PowerTooComplex, here());
        const Real value = readExpression();
        skipBlanksAfterOperand();
        if (current_ != u')')
            throw tableError(errcode::PowerMissingParenthesis, here());
        const TextSpan closing = here();
        nextChar();
        --depth_;
        return placedAt(closing, [&] { return Reals::group(value); });
    }

    // Digits with at most one point: "5." is five, a second point ends the
    // number. Read with "." whatever the user's separator is.
    Real readNumber()
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
        Real value{};
        const QStringView number = QStringView(text_).mid(start, length);
        if (!Reals::read(number, value)) {
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
    return PowerFormulaReader<BinaryReals>(formula).readFormula();
}

Number evaluatePowerFormula(const QString& formula, Arithmetic arithmetic)
{
    if (arithmetic == Arithmetic::Decimal)
        return Number::decimal(PowerFormulaReader<DecimalReals>(formula).readFormula());
    return Number::binary(evaluatePowerFormula(formula));
}

} // namespace numra
