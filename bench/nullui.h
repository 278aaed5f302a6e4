// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A screen for the calculator core that shows nothing and answers every
// window as a user who cancels, so that a benchmark times the core alone.

#include "core/calculatorui.h"

namespace numra::bench {

class NullUi : public CalculatorUi {
public:
    void showMessage(MessageKind, const QString&) override {}
    void setSubtotalLabel(const QString&) override {}
    void showSubtotal(const QString&) override {}
    QString confirmFormula(const QString& candidate) override { return candidate; }
    std::optional<QString> showVatWindow(const VatWindowInput&) override { return std::nullopt; }
    void updateVatWindow(const VatWindowInput&) override {}
    void copyToClipboard(const QString&) override {}
    void focusEntry() override {}
    QString askSaveFileName(const QString&) override { return QString(); }
    QString askOpenFileName() override { return QString(); }
};

// Typical office formulas for "=" in edit mode, a subtotal and a power
// formula among them.
inline const QString kOfficeFormulas[] = {QStringLiteral("1234,56*1,19"), QStringLiteral("(120+80)*0,97"),
                                          QStringLiteral("19,99*3+4,95"), QStringLiteral("1500/12+"),
                                          QStringLiteral("2^10")};

} // namespace numra::bench
