// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator's screen as lines of text: each message box, subtotal and
// VAT window becomes one line. There is no clipboard, no file dialog (they
// are cancelled) and no save confirmation.

#include "core/calculatorui.h"
#include "output.h"

namespace numra::evaltool {

class ConsoleUi : public CalculatorUi {
public:
    // namesVatRate: the VAT line gives the tax label with the rate, as the
    // window shows it, not only its caption.
    ConsoleUi(Output& out, bool namesVatRate) : out_(out), namesVatRate_(namesVatRate) {}

    // Whether an error box has been shown since start.
    bool errorShown() const { return errorShown_; }

    void showMessage(MessageKind kind, const QString& text) override;
    void setSubtotalLabel(const QString& caption) override { subtotalLabel_ = caption; }
    void showSubtotal(const QString& text) override;
    QString confirmFormula(const QString& candidate) override;
    std::optional<QString> showVatWindow(const VatWindowInput& input) override;
    void updateVatWindow(const VatWindowInput& input) override;
    void copyToClipboard(const QString&) override {}
    void focusEntry() override {}
    QString askSaveFileName(const QString&) override { return QString(); }
    QString askOpenFileName() override { return QString(); }

private:
    Output& out_;
    bool namesVatRate_;
    QString subtotalLabel_;
    bool errorShown_ = false;
};

} // namespace numra::evaltool
