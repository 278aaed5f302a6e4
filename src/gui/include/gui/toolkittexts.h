// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own texts (file dialogs, standard buttons, the fields' context menu)
// in the calculator's language: German from the Debian translations of Qt
// (qt6-translations-l10n), whatever the system's locale says, and Qt's
// built-in English when the language is switched to English. Without the
// translations installed they stay English.

#include "core/languagetable.h"

#include <QTranslator>

namespace numra {

class ToolkitTexts {
public:
    ToolkitTexts();
    ToolkitTexts(const ToolkitTexts&) = delete;
    ToolkitTexts& operator=(const ToolkitTexts&) = delete;

    void follow(Language language);

private:
    QTranslator german_;
    bool installed_ = false;
};

} // namespace numra
