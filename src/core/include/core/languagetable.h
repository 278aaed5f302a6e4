// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every text of the user interface that follows the language, in one table.
// Texts that stay the same in both languages live with the code that shows
// them.

#include <QString>
#include <span>

namespace numra {

// Every start is German; only the hidden language menu switches.
enum class Language { German, English };

enum class TextId {
    // The hints (tooltips) of the keys that switch with the language.
    HintPercent, HintMultiply, HintClearEntry, HintPower, HintSquareRoot, HintEquals,
    HintSignChange, HintEdit, HintPoint, HintReciprocal, HintMemoryIn, HintMemoryOut,
    HintMemoryClear,
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

struct LanguageEntry {
    TextId id;
    const char* name; // control or message name
    QStringView german;
    QStringView english;
};

// The 13 hints that switch with the language, with their control names.
std::span<const LanguageEntry> hintEntries();

QString languageText(TextId id, Language language);

} // namespace numra
