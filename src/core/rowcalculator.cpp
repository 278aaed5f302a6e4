// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rowcalculator.h"

#include "core/calculator.h"

namespace numra {

namespace {

// The operand of a row that "+/-" or "1/x" made, as the key wrote it around
// the entry: "12*-1", "1/(1+2)". Any other text is a formula the user wrote.
QString unwrapped(QStringView operand)
{
    if (operand.size() >= 2 && operand.front() == u'(' && operand.back() == u')')
        return operand.sliced(1, operand.size() - 2).toString();
    return operand.toString();
}

std::optional<QString> keyOperand(TapeRowKind kind, const QString& formula)
{
    static constexpr QStringView kSignChange = u"*-1";
    static constexpr QStringView kReciprocal = u"1/";
    if (kind == TapeRowKind::SignChange && formula.size() > kSignChange.size() && formula.endsWith(kSignChange))
        return unwrapped(QStringView(formula).chopped(kSignChange.size()));
    if (kind == TapeRowKind::Reciprocal && formula.size() > kReciprocal.size() && formula.startsWith(kReciprocal))
        return unwrapped(QStringView(formula).sliced(kReciprocal.size()));
    return std::nullopt;
}

// The kind a formula row keeps: a percent, sign or reciprocal row stays one,
// unless it now ends in an operator.
TapeRowKind formulaRowKind(TapeRowKind was, TapeRowKind made)
{
    if (made == TapeRowKind::Subtotal)
        return made;
    const bool keeps = was == TapeRowKind::Percent || was == TapeRowKind::SignChange || was == TapeRowKind::Reciprocal;
    return keeps ? was : TapeRowKind::Result;
}

} // namespace

TapeRow failedRow(TapeRow row, const QString& error)
{
    row.result.clear();
    row.error = error;
    if (isVatKind(row.kind))
        row.formula = (row.kind == TapeRowKind::VatFromNet ? QStringLiteral("Netto ") : QStringLiteral("Brutto "))
            + row.recipe.vatAmount;
    return row;
}

RowCalculator::RowCalculator(QChar decimalSeparator) : calculator_(std::make_unique<Calculator>(decimalSeparator))
{
    calculator_->start(QString());
}

RowCalculator::~RowCalculator() = default;

// The one place where a row takes the window's rules: the language of its
// messages, the arithmetic ("Genau rechnen"), the places and the rounding
// the rounding box rounds to.
void RowCalculator::follow(const CalculatorState& calculator)
{
    const CalculatorState& own = calculator_->state();
    if (own.language != calculator.language)
        calculator_->setLanguage(calculator.language);
    if (own.arithmetic != calculator.arithmetic)
        calculator_->setArithmetic(calculator.arithmetic);
    if (own.amountFormat.selector != calculator.amountFormat.selector)
        calculator_->setDecimalSelector(calculator.amountFormat.selector);
    if (own.amountFormat.rounding != calculator.amountFormat.rounding)
        calculator_->setRoundingMode(calculator.amountFormat.rounding);
}

void RowCalculator::note(const CalculatorState& state)
{
    for (const Message& message : state.outcome.messages)
        if (message.kind == MessageKind::Error && error_.isEmpty())
            error_ = message.text;
}

// The row the last keys recorded, taken off the calculator's own tape.
std::optional<TapeEntry> RowCalculator::madeRow()
{
    Tape& tape = calculator_->tape();
    if (tape.size() == 0)
        return std::nullopt;
    std::optional<TapeEntry> made = tape.takeRow(tape.size() - 1);
    if (tape.size() > 0)
        tape.clear();
    return made;
}

std::optional<TapeEntry> RowCalculator::evaluateFormula(const QString& formula)
{
    calculator_->editFormula(formula);
    note(calculator_->press(Key::Equals));
    return madeRow();
}

std::optional<TapeEntry> RowCalculator::pressOnOperand(Key key, const QString& operand)
{
    calculator_->setEntryText(operand);
    note(calculator_->press(key));
    return madeRow();
}

// "base^exponent" as x^n made it; no "^": no power.
std::optional<TapeEntry> RowCalculator::computePower(const QString& input)
{
    const qsizetype caret = input.indexOf(u'^');
    if (caret < 0)
        return std::nullopt;
    calculator_->setEntryText(input.first(caret));
    note(calculator_->press(Key::Power));
    calculator_->setEntryText(input.sliced(caret + 1));
    note(calculator_->press(Key::Equals));
    return madeRow();
}

std::optional<TapeEntry> RowCalculator::computeVat(const TapeRow& row)
{
    calculator_->setVatRates(withOwnRate(VatRates{}, row.recipe.vatRate));
    calculator_->setEntryText(row.recipe.vatAmount);
    note(calculator_->press(row.kind == TapeRowKind::VatFromNet ? Key::VatFromNet : Key::VatFromGross));
    calculator_->closeVatWindow();
    return madeRow();
}

ComputedRow RowCalculator::compute(const TapeRow& row)
{
    error_.clear();
    calculator_->press(Key::ClearEntry);
    calculator_->setRoundingChecked(row.recipe.twoDecimals);
    const QString& input = rowInput(row);
    std::optional<TapeEntry> made;
    switch (row.kind) {
    case TapeRowKind::Result:
    case TapeRowKind::Subtotal:
    case TapeRowKind::Percent:
        break;
    case TapeRowKind::SignChange:
    case TapeRowKind::Reciprocal:
        // Made by the key on the operand, unless the user wrote another formula.
        if (const std::optional<QString> operand = keyOperand(row.kind, input)) {
            made = pressOnOperand(row.kind == TapeRowKind::SignChange ? Key::SignChange : Key::Reciprocal, *operand);
            if (made && made->row.formula != input)
                made.reset();
            error_.clear();
        }
        break;
    case TapeRowKind::SquareRoot: made = pressOnOperand(Key::SquareRoot, input); break;
    case TapeRowKind::Power: made = computePower(input); break;
    case TapeRowKind::CutDecimals: made = pressOnOperand(Key::CutDecimals, input); break;
    case TapeRowKind::HexToInt: made = pressOnOperand(Key::HexToInt, input); break;
    case TapeRowKind::IntToHex: made = pressOnOperand(Key::IntToHex, input); break;
    case TapeRowKind::VatFromNet:
    case TapeRowKind::VatFromGross: made = computeVat(row); break;
    }
    const bool formulaKind = row.kind == TapeRowKind::Result || row.kind == TapeRowKind::Subtotal
        || row.kind == TapeRowKind::Percent || row.kind == TapeRowKind::SignChange
        || row.kind == TapeRowKind::Reciprocal;
    if (!made && formulaKind) {
        made = evaluateFormula(input);
        if (made)
            made->row.kind = formulaRowKind(row.kind, made->row.kind);
    }

    if (!made)
        return {failedRow(row, error_.isEmpty() ? calculator_->text(TextId::InvalidInputMessage) : error_), std::nullopt};
    ComputedRow computed{row, std::nullopt};
    TapeRow& result = computed.row;
    result.error.clear();
    result.kind = made->row.kind;
    result.formula = std::move(made->row.formula);
    result.result = std::move(made->row.result);
    computed.value = made->value;
    return computed;
}

} // namespace numra
