// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/transcript.h"

namespace numra {

namespace {

QString messagePrefix(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error: return QStringLiteral("Fehler: ");
    case MessageKind::Information: return QStringLiteral("Information: ");
    case MessageKind::Plain: break;
    }
    return QStringLiteral("Hinweis: ");
}

} // namespace

QStringList transcriptLines(const CalculatorState& state, bool namesVatRate, QChar decimalSeparator)
{
    const Outcome& outcome = state.outcome;
    const auto readable = [&](const QString& amount) {
        return readableAmount(amount, state.amountFormat.grouping, decimalSeparator);
    };
    QStringList lines;
    if (outcome.vatCalculated && state.vat) {
        const VatAmounts& shown = state.vat->amounts;
        lines << QStringLiteral("MwSt: Netto=%1 Steuer=%2 Brutto=%3 (%4)")
                     .arg(readable(shown.net), readable(shown.tax), readable(shown.gross),
                          namesVatRate ? state.vat->taxLabel() : state.vat->taxCaption);
    }
    if (outcome.subtotalShown)
        lines << state.subtotal.caption + QStringLiteral(": ") + readable(state.subtotal.text);
    for (const Message& message : outcome.messages)
        lines << messagePrefix(message.kind) + message.text;
    return lines;
}

QString entryAsShown(const CalculatorState& state, QChar decimalSeparator)
{
    const Display& display = state.display;
    return display.entryReadOnly ? readableAmount(display.entryText, state.amountFormat.grouping, decimalSeparator)
                                 : display.entryText;
}

bool hasTranscript(const Outcome& outcome)
{
    return outcome.vatCalculated || outcome.subtotalShown || !outcome.messages.empty();
}

} // namespace numra
