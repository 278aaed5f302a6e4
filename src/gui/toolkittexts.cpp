// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/toolkittexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace numra {

// qtbase alone holds every text of the widgets Numra uses; the meta catalogue
// qt_de would load the translations of modules it never shows.
ToolkitTexts::ToolkitTexts()
{
    (void)german_.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void ToolkitTexts::follow(Language language)
{
    const bool wanted = language == Language::German && !german_.isEmpty();
    if (wanted == installed_)
        return;
    if (wanted) {
        installed_ = QCoreApplication::installTranslator(&german_);
    } else {
        QCoreApplication::removeTranslator(&german_);
        installed_ = false;
    }
}

} // namespace numra
