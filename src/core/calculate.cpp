// SPDX-License-Identifier: GPL-3.0-or-later
// Evaluates the pending formula and shows its value.

#include "core/calculator.h"

#include "eval/lexer.h"
#include "eval/numbertext.h"
#include "eval/powerformula.h"
#include "eval/textcopy.h"

namespace numra {

namespace {

// A formula is complete when it ends in a digit, ")" or a "%" directly after
// a number ("100+10%"); anything else (an operator, ".", a blank, a line
// break) makes it a subtotal.
bool endsCompleteFormula(const QString& formula)
{
    const QChar c = formula.back();
    return (c >= u'0' && c <= u'9') || c == u')' || endsWithPercentOfNumber(formula);
}

} // namespace

// Evaluators' errors pass through unchanged, leaving the formula as it is at
// that moment: "," already turned into ".", and for a subtotal without its
// last character.
void Calculator::calculate()
{
    subtotalShown_ = false;
    if (isBlankText(formula_))
        return;
    // In place: the formula's buffer is its own, so this allocates nothing.
    // A plain loop without branches, which the compiler vectorizes.
    char16_t* chars = reinterpret_cast<char16_t*>(formula_.data());
    const auto size = std::size_t(formula_.size());
    unsigned powerSigns = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = chars[i];
        chars[i] = c == u',' ? u'.' : c;
        powerSigns |= c == u'^';
    }

    if (powerSigns != 0) {
        const long double value = evaluatePowerFormula(formula_);
        showResult(value);
        return;
    }

    QChar last;
    if (!endsCompleteFormula(formula_)) {
        last = formula_.back();
        formula_.chop(1);
        subtotalShown_ = true;
    }
    interpreter_.setSource(formula_);
    interpreter_.run();
    const double value = toDouble(interpreter_.result(), ValueContext{separator_});
    if (subtotalShown_)
        formula_ += last;

    ui_.setSubtotalLabel(text(TextId::SubtotalCaption));
    if (subtotalShown_) {
        copyInto(subtotalText_, twoDecimalForm(value, separator_).view());
        ui_.showSubtotal(subtotalText_);
        focusEntry();
    } else {
        showResult(value);
    }
}

void Calculator::showResult(long double value)
{
    setEntryText((display_.roundingChecked ? twoDecimalForm(value, separator_) : generalForm(value, separator_)).view());
}

} // namespace numra
