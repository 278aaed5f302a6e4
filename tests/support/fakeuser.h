// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user of the core's tests: takes the state each command answers with,
// writes down what it showed, and answers what the calculator asks (the VAT
// window, the formula to save, the file names) from a script set up
// beforehand, as the window passes the user's answers on. Header-only, so
// any test program (core, files, fuzz targets) can use it.

#include "core/calculator.h"
#include "core/transcript.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace numra::testing {

// Whether a command ended in an error box.
inline bool errorShown(const Outcome& outcome)
{
    for (const Message& message : outcome.messages)
        if (message.kind == MessageKind::Error)
            return true;
    return false;
}

class FakeUser {
public:
    explicit FakeUser(Calculator& calculator) : calculator_(calculator) {}

    // --- written down ---
    std::vector<Message> messages;            // message boxes, in order
    std::vector<QString> subtotals;           // every subtotal shown
    std::vector<VatCalculation> vatWindows;   // every calculation the VAT window showed
    std::vector<QString> clipboard;           // every text copied
    std::vector<QString> confirmCandidates;   // formula window, save role
    // Message boxes, subtotals and VAT windows in the order they appeared,
    // one line each as numra-eval prints them.
    std::vector<QString> transcript;
    int saveDialogs = 0;
    int openDialogs = 0;
    QString lastSaveStartFolder;

    // --- scripted answers (taken in order; defaults when none is left) ---
    std::deque<std::optional<QString>> confirmAnswers; // nullopt: keep the candidate ("Speichern")
    std::deque<VatField> vatChoices;                   // default: the chooser is cancelled
    // Each runs once while the VAT window is open, before Copy or Close.
    std::deque<std::function<const CalculatorState&()>> whileVatWindowOpen;
    std::deque<QString> saveFileNames;                 // default: "" (cancelled)
    std::deque<QString> openFileNames;                 // default: "" (cancelled)
    std::deque<bool> addPastedAnswers;                 // default: true ("Ja")
    std::vector<QString> addQuestions;                 // each offer to add pasted amounts

    std::vector<QString> messageTexts(MessageKind kind) const
    {
        std::vector<QString> texts;
        for (const Message& m : messages)
            if (m.kind == kind)
                texts.push_back(m.text);
        return texts;
    }

    // The answer to a command: written down, and each question answered.
    const CalculatorState& take(const CalculatorState& state)
    {
        note(state);
        while (true) {
            const CalculatorState& now = calculator_.state();
            if (now.vat) {
                answerVatWindow();
                continue;
            }
            switch (now.question.kind) {
            case Question::Kind::None:
                return now;
            case Question::Kind::ConfirmFormula: {
                confirmCandidates.push_back(now.question.text);
                const std::optional<QString> answer = next(confirmAnswers).value_or(std::nullopt);
                note(calculator_.answerFormula(answer.value_or(now.question.text)));
                break;
            }
            case Question::Kind::SaveFileName:
                ++saveDialogs;
                lastSaveStartFolder = now.question.text;
                note(calculator_.saveTo(next(saveFileNames).value_or(QString())));
                break;
            case Question::Kind::OpenFileName:
                ++openDialogs;
                note(calculator_.loadFrom(next(openFileNames).value_or(QString())));
                break;
            case Question::Kind::OwnVatRate:
                note(calculator_.answerOwnVatRate(std::nullopt));
                break;
            case Question::Kind::AddPastedAmounts:
                addQuestions.push_back(now.question.text);
                note(calculator_.answerAddPastedAmounts(next(addPastedAnswers).value_or(true)));
                break;
            }
        }
    }

private:
    template <class T>
    static std::optional<T> next(std::deque<T>& answers)
    {
        if (answers.empty())
            return std::nullopt;
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }

    void note(const CalculatorState& state)
    {
        for (const QString& line : transcriptLines(state, false, calculator_.decimalSeparator()))
            transcript.push_back(line);
        const Outcome& outcome = state.outcome;
        messages.insert(messages.end(), outcome.messages.begin(), outcome.messages.end());
        if (outcome.subtotalShown)
            subtotals.push_back(state.subtotal.text);
        if (outcome.vatCalculated && state.vat)
            vatWindows.push_back(*state.vat);
        if (outcome.clipboard)
            clipboard.push_back(*outcome.clipboard);
    }

    // The user's own actions first, then Copy with the scripted choice or
    // Close.
    void answerVatWindow()
    {
        while (std::optional<std::function<const CalculatorState&()>> action = next(whileVatWindowOpen))
            note((*action)());
        const VatField choice = next(vatChoices).value_or(VatField::None);
        const CalculatorState& state = calculator_.state();
        if (choice == VatField::None || !state.vat)
            note(calculator_.closeVatWindow());
        else
            note(calculator_.copyAmount(choice, vatFieldText(state.vat->amounts, choice)));
    }

    Calculator& calculator_;
};

} // namespace numra::testing
