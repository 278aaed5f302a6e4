// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text of the user interface that follows the language value, in one
// table: 0 German, any other value English. Texts that stay the same in both
// languages live with the code that shows them.

#include <QString>
#include <span>

namespace numra {

enum class TextId {
    // Hints (tooltips) that ApplyLanguage switches, one per button.
    HintPercent, HintMultiply, HintClearEntry, HintPower, HintSquareRoot, HintEquals,
    HintSignChange, HintEdit, HintPoint, HintReciprocal, HintMemoryIn, HintMemoryOut,
    HintMemoryClear,
    // The three messages of the calculator window.
    MsgInvalidInput, MsgNoCalculation, MsgConvertError,
    // Set by the operation that shows the window concerned.
    TaxLabelVatFromNet,   // VAT window LabelTax after "Ust+"
    TaxLabelVatFromGross, // VAT window LabelTax after "Ust-"
    VatCloseButton,       // VAT window Button1
    VatCopyButton,        // VAT window Button2
    SubtotalCaption,      // formula window Label1, subtotal role
    Count
};

struct LanguageEntry {
    TextId id;
    const char* name; // control or message name
    QStringView german;
    QStringView english;
};

// The 13 hints that ApplyLanguage sets, with their control names.
std::span<const LanguageEntry> hintEntries();

QString languageText(TextId id, int language);

} // namespace numra
