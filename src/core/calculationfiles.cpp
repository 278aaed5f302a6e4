// SPDX-License-Identifier: GPL-3.0-or-later
// "Berechnung speichern" and "Berechnung laden": a formula goes through the
// line buffer into a calculation file and back into the entry field. The
// user's answers (the confirmed formula, the file names) come as commands.

#include "core/calculator.h"

namespace numra {

namespace {

const QString kModalWhileVisible = QStringLiteral("Sichtbares Fenster kann nicht in modales geändert werden");

} // namespace

// Offers the pending formula as it stands, blanks included, or else the
// entry trimmed. The formula window cannot confirm while it shows a
// subtotal: it then shows the candidate under "Formula", and saving stops
// with the toolkit's error.
const CalculatorState& Calculator::save()
{
    return run([&] {
        const QString candidate =
            isBlankText(formula_) ? trimBlanks(display_.entryText) : formula_;
        if (candidate.isEmpty()) {
            showMessage(MessageKind::Information, text(TextId::NoCalculationMessage));
            return;
        }
        if (state_.subtotal.open) {
            state_.subtotal.caption = QStringLiteral("Formula");
            state_.subtotal.text = candidate;
            throw Error(kModalWhileVisible);
        }
        state_.question = {Question::Kind::ConfirmFormula, candidate};
    });
}

// An empty field means "Schliessen" or a formula the user deleted.
const CalculatorState& Calculator::answerFormula(const QString& text)
{
    return run([&] {
        state_.question = {};
        const QString formula = trimBlanks(text);
        if (formula.isEmpty())
            return;
        lineBuffer_.clear();
        lineBuffer_.addLine(formula);
        state_.question = {Question::Kind::SaveFileName, state_.dataFolder};
    });
}

const CalculatorState& Calculator::saveTo(const QString& path)
{
    return run([&] {
        state_.question = {};
        if (!path.isEmpty())
            lineBuffer_.saveToFile(path);
    });
}

// Edit mode comes before the dialog and stays when it is cancelled. With
// x^n pending in edit mode the Edit key switches edit mode off.
const CalculatorState& Calculator::load()
{
    return run([&] {
        if (state_.inputMode != InputMode::Edit)
            toggleEditMode();
        lineBuffer_.clear();
        state_.question = {Question::Kind::OpenFileName, QString()};
    });
}

const CalculatorState& Calculator::loadFrom(const QString& path)
{
    return run([&] {
        state_.question = {};
        if (path.isEmpty())
            return;
        lineBuffer_.loadFromFile(path);
        setEntry(lineBuffer_.text());
        resultInEntry_.reset();
    });
}

} // namespace numra
