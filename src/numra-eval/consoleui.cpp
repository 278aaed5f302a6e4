// SPDX-License-Identifier: GPL-3.0-or-later
#include "consoleui.h"

namespace numra::evaltool {

void ConsoleUi::showMessage(MessageKind kind, const QString& text)
{
    switch (kind) {
    case MessageKind::Error:
        errorShown_ = true;
        out_.line(QStringLiteral("Fehler: "), text);
        break;
    case MessageKind::Information:
        out_.line(QStringLiteral("Information: "), text);
        break;
    case MessageKind::Plain:
        out_.line(QStringLiteral("Hinweis: "), text);
        break;
    }
}

void ConsoleUi::showSubtotal(const QString& text)
{
    out_.line({subtotalLabel_, u": ", text});
}

// Saving is no part of numra-eval; the formula is confirmed as offered.
QString ConsoleUi::confirmFormula(const QString& candidate) { return candidate; }

// The copy chooser is cancelled.
std::optional<QString> ConsoleUi::showVatWindow(const VatWindowInput& input)
{
    updateVatWindow(input);
    return std::nullopt;
}

void ConsoleUi::updateVatWindow(const VatWindowInput& input)
{
    const VatAmounts& shown = input.amounts;
    out_.line(QStringLiteral("MwSt: Netto=%1 Steuer=%2 Brutto=%3 (%4)")
                  .arg(shown.net, shown.tax, shown.gross, namesVatRate_ ? input.taxLabel() : input.taxCaption));
}

} // namespace numra::evaltool
