// SPDX-License-Identifier: GPL-3.0-or-later
// Evaluates the pending formula and shows its value. The evaluators get a
// copy: the pending formula stays as the user built it, whatever happens.

#include "core/calculator.h"

#include "eval/lexer.h"
#include "eval/numbertext.h"
#include "eval/powerformula.h"
#include "eval/shownform.h"
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

// A formula with "^" is evaluated whole; any other formula that ends in an
// operator is evaluated without its last character and shown as a subtotal.
bool Calculator::calculate()
{
    state_.lastWasSubtotal = false;
    if (isBlankText(formula_))
        return true;
    if (formula_.contains(u'^')) {
        const Number value = evaluate(formula_, Evaluated::PendingFormula);
        if (!failure_.ok()) [[unlikely]]
            return false;
        showResult(value);
        return true;
    }
    const bool subtotal = !endsCompleteFormula(formula_);
    const Number value =
        evaluate(QStringView(formula_).first(formula_.size() - (subtotal ? 1 : 0)), Evaluated::PendingFormula);
    if (!failure_.ok()) [[unlikely]]
        return false;
    state_.subtotal.caption = text(TextId::SubtotalCaption);
    if (!subtotal) {
        showResult(value);
        return true;
    }
    state_.lastWasSubtotal = true;
    const ShownNumber shown = shownForm(value, subtotalFormat(), separator_);
    copyInto(state_.subtotal.text, shown.text.view());
    state_.subtotal.open = true;
    state_.outcome.subtotalShown = true;
    state_.outcome.result = ShownValue{state_.subtotal.text, shown.value, shown.rounded};
    wishEntryFocus();
    return true;
}

// Both evaluators read "." as the decimal separator, so every "," of the
// copy becomes one; a copy with "^" goes to the power-formula evaluator.
// An error that belongs to one place of the formula marks it, whether it
// is handed back or thrown. The binary arithmetic takes the evaluators' own
// paths, which keep its speed.
Number Calculator::evaluate(QStringView formula, Evaluated evaluated)
{
    copyInto(source_, formula);
    // A plain loop without branches, which the compiler vectorizes.
    char16_t* chars = reinterpret_cast<char16_t*>(source_.data());
    const auto size = std::size_t(source_.size());
    unsigned powerSigns = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = chars[i];
        chars[i] = c == u',' ? u'.' : c;
        powerSigns |= c == u'^';
    }
    const Arithmetic arithmetic = state_.arithmetic;
    try {
        if (powerSigns != 0)
            return evaluatePowerFormula(source_, arithmetic);
        interpreter_.setSource(source_);
        failure_ = interpreter_.tryRun(arithmetic);
        if (failure_.ok()) [[likely]]
            return toNumber(interpreter_.result(), ValueContext{separator_, arithmetic});
        if (failure_.error().where())
            markError(*failure_.error().where(), evaluated);
        return Number();
    } catch (const Error& error) {
        if (error.where())
            markError(*error.where(), evaluated);
        throw;
    }
}

// In edit mode the entry field shows the pending formula from its start, so
// the place is selected there too.
void Calculator::markError(TextSpan where, Evaluated evaluated)
{
    if (evaluated == Evaluated::PendingFormula)
        state_.formulaError = where;
    if (evaluated == Evaluated::Entry || state_.inputMode == InputMode::Edit) {
        const int size = int(display_.entryText.size());
        const int start = std::min(where.start, size);
        display_.selection = {start, std::min(where.length, size - start)};
        display_.caret = start + display_.selection.length;
    }
}

// The entry's value: the number it shows, or else the value of the formula
// it holds (edit mode), evaluated whole.
Number Calculator::valueOfEntry()
{
    Number value;
    if (tryParseNumber(display_.entryText, separator_, state_.arithmetic, value))
        return value;
    value = evaluate(display_.entryText, Evaluated::Entry);
    std::exchange(failure_, Status()).orThrow(); // its callers go on with the value
    return value;
}

void Calculator::showResult(const Number& value)
{
    const ShownNumber shown = shownForm(value, resultFormat(), separator_);
    setEntry(shown.text.view());
    markResultShown();
    state_.outcome.result = ShownValue{display_.entryText, shown.value, shown.rounded};
}

} // namespace numra
