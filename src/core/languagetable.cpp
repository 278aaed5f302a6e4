// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/languagetable.h"

#include <array>

namespace numra {

namespace {

struct LanguageEntry {
    TextId id;
    QStringView german;
    QStringView english;
};

constexpr std::array kTexts{
    LanguageEntry{TextId::InvalidInputMessage, u"Ungültige Eingabe", u"Invalid input"},
    LanguageEntry{TextId::NoCalculationMessage,
                  u"Keine Berechnung vorhanden! Aktivieren Sie den Bearbeitungsmodus und geben Sie "
                  u"eine Berechnung ein",
                  u"No calculation found! Activate edit mode and enter a calculation"},
    LanguageEntry{TextId::ConvertErrorMessage, u"Konvertierungsfehler!", u"Convert error!"},
    LanguageEntry{TextId::TaxLabelVatFromNet, u"Umsatzsteuer", u"Sales taxes"},
    LanguageEntry{TextId::TaxLabelVatFromGross, u"UST", u"Tax"},
    LanguageEntry{TextId::VatCloseButton, u"Schliessen", u"Close"},
    LanguageEntry{TextId::VatCopyButton, u"Kopieren", u"Copy"},
    LanguageEntry{TextId::SubtotalCaption, u"Zwischensumme", u"Subtotal"},
};

constexpr bool tableFollowsEnum()
{
    for (std::size_t i = 0; i < kTexts.size(); ++i)
        if (kTexts[i].id != TextId(i))
            return false;
    return kTexts.size() == std::size_t(TextId::Count);
}
static_assert(tableFollowsEnum(), "kTexts must list every TextId in enum order");

} // namespace

QString languageText(TextId id, Language language)
{
    const LanguageEntry& entry = kTexts[std::size_t(id)];
    const QStringView text = language == Language::German ? entry.german : entry.english;
    // The texts are literals that live as long as the program: the QString
    // refers to them instead of copying.
    return QString::fromRawData(text.data(), text.size());
}

} // namespace numra
