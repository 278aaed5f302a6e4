// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/languagetable.h"

#include <array>

namespace numra {

namespace {

constexpr std::array kTexts{
    LanguageEntry{TextId::HintPercent, "BitBtn13", u"Prozent [F8]", u"Percent"},
    LanguageEntry{TextId::HintMultiply, "BitBtn15", u"Multiplikation", u"Multiplication"},
    LanguageEntry{TextId::HintClearEntry, "BitBtn16", u"Eingabe löschen [F9]", u"Clear input"},
    LanguageEntry{TextId::HintPower, "BitBtn17", u"x hoch n", u"x to the power of n"},
    LanguageEntry{TextId::HintSquareRoot, "BitBtn18", u"Quadratwurzel", u"Square root"},
    LanguageEntry{TextId::HintEquals, "BitBtn19", u"Berechnen", u"Calculate"},
    LanguageEntry{TextId::HintSignChange, "BitBtn20", u"Umgekehrtes Vorzeichen", u"Opposite sign"},
    LanguageEntry{TextId::HintEdit, "BitBtn22", u"Berechnung/Formel direkt ins Textfeld eingeben",
                  u"Enter calculation/formula into textbox"},
    LanguageEntry{TextId::HintPoint, "BitBtn23", u"Dezimalzeichen", u"Decimal separator"},
    LanguageEntry{TextId::HintReciprocal, "BitBtn24", u"1 durch x", u"1 over x"},
    LanguageEntry{TextId::HintMemoryIn, "BitBtn25", u"In den Speicher", u"Memory in"},
    LanguageEntry{TextId::HintMemoryOut, "BitBtn26", u"Aus dem Speicher", u"Memory out"},
    LanguageEntry{TextId::HintMemoryClear, "BitBtn27", u"Speicher löschen", u"Memory clear"},
    LanguageEntry{TextId::InvalidInputMessage, "InvalidInputMessage", u"Ungültige Eingabe", u"Invalid input"},
    LanguageEntry{TextId::NoCalculationMessage, "NoCalculationMessage",
                  u"Keine Berechnung vorhanden! Aktivieren Sie den Bearbeitungsmodus und geben Sie "
                  u"eine Berechnung ein",
                  u"No calculation found! Activate edit mode and enter a calculation"},
    LanguageEntry{TextId::ConvertErrorMessage, "ConvertErrorMessage", u"Konvertierungsfehler!", u"Convert error!"},
    LanguageEntry{TextId::TaxLabelVatFromNet, "LabelTax", u"Umsatzsteuer", u"Sales taxes"},
    LanguageEntry{TextId::TaxLabelVatFromGross, "LabelTax", u"UST", u"Tax"},
    LanguageEntry{TextId::VatCloseButton, "Button1", u"Schliessen", u"Close"},
    LanguageEntry{TextId::VatCopyButton, "Button2", u"Kopieren", u"Copy"},
    LanguageEntry{TextId::SubtotalCaption, "Label1", u"Zwischensumme", u"Subtotal"},
};

constexpr bool tableFollowsEnum()
{
    for (std::size_t i = 0; i < kTexts.size(); ++i)
        if (kTexts[i].id != TextId(i))
            return false;
    return kTexts.size() == std::size_t(TextId::Count);
}
static_assert(tableFollowsEnum(), "kTexts must list every TextId in enum order");

constexpr std::size_t kHintCount = std::size_t(TextId::HintMemoryClear) + 1;
static_assert(kHintCount == 13);

} // namespace

std::span<const LanguageEntry> hintEntries() { return std::span(kTexts).first(kHintCount); }

QString languageText(TextId id, Language language)
{
    const LanguageEntry& entry = kTexts[std::size_t(id)];
    return (language == Language::German ? entry.german : entry.english).toString();
}

} // namespace numra
