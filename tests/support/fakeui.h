// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A CalculatorUi for tests: records everything the core shows and answers
// the modal windows from a script the test sets up beforehand. Header-only,
// so any test program (core, files, fuzz targets) can use it.

#include "core/calculatorui.h"
#include "eval/errors.h"
#include "core/vatamounts.h"

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace numra::testing {

struct RecordedMessage {
    MessageKind kind;
    QString text;
    bool operator==(const RecordedMessage&) const = default;
};

class FakeUi : public CalculatorUi {
public:
    // --- recorded ---
    std::vector<RecordedMessage> messages;  // message boxes, in order
    QString subtotalLabel;                  // the formula window's label
    std::vector<QString> subtotals;         // every subtotal shown
    bool subtotalVisible = false;
    std::vector<QString> confirmCandidates; // formula window, save role
    std::vector<VatWindowInput> vatWindows; // every showing and update of the VAT window
    std::vector<QString> clipboard;         // every text copied
    int focusCount = 0;
    // Message boxes, subtotals and VAT windows in the order they appeared,
    // one line each as numra-eval prints them ("Fehler: Ungültige Eingabe",
    // "Zwischensumme: 5,00", "MwSt: Netto=12,50 Steuer=2,38 Brutto=14,88
    // (Umsatzsteuer)").
    std::vector<QString> transcript;
    int saveDialogs = 0;
    int openDialogs = 0;
    QString lastSaveStartFolder;

    // --- scripted answers (consumed in order; defaults when empty) ---
    std::deque<std::optional<QString>> confirmAnswers; // nullopt: keep the candidate ("Speichern")
    std::deque<VatField> vatChoices;                    // default: the chooser is cancelled
    std::deque<std::function<void()>> whileVatWindowOpen; // each runs once the VAT window shows
    std::deque<QString> saveFileNames;                  // default: "" (cancelled)
    std::deque<QString> openFileNames;                  // default: "" (cancelled)

    std::vector<QString> messageTexts(MessageKind kind) const
    {
        std::vector<QString> texts;
        for (const RecordedMessage& m : messages)
            if (m.kind == kind)
                texts.push_back(m.text);
        return texts;
    }

    void showMessage(MessageKind kind, const QString& text) override
    {
        messages.push_back({kind, text});
        static constexpr const char16_t* kPrefix[] = {u"Fehler: ", u"Information: ", u"Hinweis: "};
        transcript.push_back(QString::fromUtf16(kPrefix[int(kind)]) + text);
    }

    void setSubtotalLabel(const QString& caption) override { subtotalLabel = caption; }

    void showSubtotal(const QString& text) override
    {
        subtotals.push_back(text);
        subtotalVisible = true;
        transcript.push_back(subtotalLabel + QStringLiteral(": ") + text);
    }

    QString confirmFormula(const QString& candidate) override
    {
        confirmCandidates.push_back(candidate);
        if (subtotalVisible) {
            subtotalLabel = QStringLiteral("Formula");
            throw Error(QStringLiteral("Sichtbares Fenster kann nicht in modales geändert werden"));
        }
        std::optional<QString> answer;
        if (!confirmAnswers.empty()) {
            answer = confirmAnswers.front();
            confirmAnswers.pop_front();
        }
        return answer.value_or(candidate);
    }

    // Behaves like the VAT window: shows the amounts, lets the user choose
    // the scripted rates, then copies the scripted choice.
    std::optional<QString> showVatWindow(const VatWindowInput& input) override
    {
        updateVatWindow(input);
        while (!whileVatWindowOpen.empty()) {
            const std::function<void()> action = whileVatWindowOpen.front();
            whileVatWindowOpen.pop_front();
            action();
        }
        const VatAmounts& shown = vatWindows.back().amounts;

        VatField choice = VatField::None;
        if (!vatChoices.empty()) {
            choice = vatChoices.front();
            vatChoices.pop_front();
        }
        if (choice == VatField::None)
            return std::nullopt;
        const QString copied = vatFieldText(shown, choice);
        copyToClipboard(copied);
        showMessage(MessageKind::Plain, vatCopyNotice(copied));
        return copied;
    }

    // The transcript line is numra-eval's without --vat-rate: the tax label
    // without the rate.
    void updateVatWindow(const VatWindowInput& input) override
    {
        const VatAmounts& shown = input.amounts;
        vatWindows.push_back(input);
        transcript.push_back(QStringLiteral("MwSt: Netto=%1 Steuer=%2 Brutto=%3 (%4)")
                                 .arg(shown.net, shown.tax, shown.gross, input.taxCaption));
    }

    void copyToClipboard(const QString& text) override { clipboard.push_back(text); }

    void focusEntry() override { ++focusCount; }

    QString askSaveFileName(const QString& startFolder) override
    {
        ++saveDialogs;
        lastSaveStartFolder = startFolder;
        return next(saveFileNames);
    }

    QString askOpenFileName() override
    {
        ++openDialogs;
        return next(openFileNames);
    }

private:
    static QString next(std::deque<QString>& answers)
    {
        if (answers.empty())
            return QString();
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace numra::testing
