// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the calculator core needs from the screen. The Qt windows implement it;
// tests and numra-eval use fakes, so every behaviour of the core runs without
// a display. All calls happen on the one UI thread; "modal" calls return when
// the window has been closed.

#include "core/languagetable.h"
#include "core/vatamounts.h"

#include <QString>
#include <optional>
#include <vector>

namespace numra {

enum class MessageKind {
    Error,       // error icon, caption "Fehler"
    Information, // information icon, caption "Informationen"
    Plain,       // no icon (the copy notice of the VAT window)
};

// What the VAT keys hand to the VAT window: the three amounts it shows as
// they are, and the rate they were computed with among the rates it offers.
struct VatWindowInput {
    Language language = Language::German; // of the window's two buttons
    VatAmounts amounts;
    QString taxCaption; // "Umsatzsteuer" after "Ust+", "UST" after "Ust-"
    QString rateText;   // "19 %"
    std::vector<VatRateChoice> rateChoices;

    // "Umsatzsteuer 19 %"
    QString taxLabel() const { return taxCaption + u' ' + rateText; }
};

class CalculatorUi {
public:
    virtual ~CalculatorUi() = default;

    // A message box with one "OK" button; returns when it is closed.
    virtual void showMessage(MessageKind kind, const QString& text) = 0;

    // Formula window, subtotal role. The label is set for every formula the
    // script interpreter evaluates; showSubtotal fills the field and shows the
    // window modelessly if it is hidden (it stays open and is updated).
    virtual void setSubtotalLabel(const QString& caption) = 0;
    virtual void showSubtotal(const QString& text) = 0;

    // Formula window, save role: shown modally with the candidate under the
    // label "Formula". Returns the field's text after closing ("" after
    // "Schliessen"). While the window is visible in its subtotal role the
    // modal showing fails: the window then shows the candidate under
    // "Formula" and the call throws Error("Sichtbares Fenster kann nicht in
    // modales geändert werden").
    virtual QString confirmFormula(const QString& candidate) = 0;

    // VAT window, shown modally. Returns the text that Copy put on the
    // clipboard and into the memory register, or nothing when nothing was
    // copied. Closing the window clears the subtotal flag in any case.
    virtual std::optional<QString> showVatWindow(const VatWindowInput& input) = 0;
    // The open VAT window shows the calculation made again at the rate the
    // user has just chosen in it.
    virtual void updateVatWindow(const VatWindowInput& input) = 0;

    // Plain text to the system clipboard.
    virtual void copyToClipboard(const QString& text) = 0;

    // The entry field takes the keyboard focus (the caret position is part
    // of the core's state).
    virtual void focusEntry() = 0;

    // File dialogs; an empty result means the user cancelled.
    virtual QString askSaveFileName(const QString& startFolder) = 0;
    virtual QString askOpenFileName() = 0;
};

} // namespace numra
