// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The amounts of the VAT window: net, tax and gross, held as the texts of its
// three fields and computed in single precision.

#include <QString>
#include <optional>

namespace numra {

struct VatAmounts {
    QString net;
    QString tax;
    QString gross;
};

// Shown in an error box for each completion step whose texts do not convert;
// English in both languages.
inline const QString kVatConvertError = QStringLiteral("Convert error float");

struct VatCompletion {
    VatAmounts amounts;
    int failedSteps = 0; // one "Convert error float" box each
};

// What the window does when it is shown: with a gross amount, net := gross -
// tax; then, with a net amount, gross := net + tax; both in single precision
// and written in the two-decimal form. A step whose texts do not convert
// leaves its field unchanged.
VatCompletion completeVatAmounts(const VatAmounts& fields, QChar separator);

// The copy chooser's choice: none, or the field of its item "Brutto",
// "Netto" or "Steuer", in the chooser's order. The chosen field's text
// without blanks at both ends, as the memory register and the notice take it
// (the clipboard gets the whole text); empty for none.
enum class VatField { None = -1, Gross = 0, Net = 1, Tax = 2 };
QString vatFieldText(const VatAmounts& amounts, VatField field);

// The plain notice after copying: "Wert kopiert: 12,50".
QString vatCopyNotice(const QString& copied);

} // namespace numra
