// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the user interface that follow the language, in one table,
// beside the keys' hints, which the key table holds. Texts that stay the
// same in both languages live with the code that shows them.

#include "eval/language.h"

#include <QString>

namespace numra {

enum class TextId {
    // The three messages of the calculator window.
    InvalidInputMessage, NoCalculationMessage, ConvertErrorMessage,
    // Set by the operation that shows the window concerned.
    TaxLabelVatFromNet,   // VAT window's tax label after "Ust+"
    TaxLabelVatFromGross, // VAT window's tax label after "Ust-"
    VatCloseButton,
    VatCopyButton,
    SubtotalCaption,      // formula window's label in its subtotal role
    Count
};

QString languageText(TextId id, Language language);

} // namespace numra
