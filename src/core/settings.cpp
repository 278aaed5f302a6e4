// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings.h"

namespace numra {

namespace {

const QString kKeepTape = QStringLiteral("tape/keep");

} // namespace

Settings::Settings()
    : store_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("numra"), QStringLiteral("numra"))
{
}

Settings::Settings(const QString& fileName) : store_(fileName, QSettings::IniFormat) {}

// Only "true" and "1" read as on; anything else a hand or a broken disk left
// there is the default.
bool Settings::keepTape() const
{
    const QString value = store_.value(kKeepTape).toString();
    return value == u"true" || value == u"1";
}

void Settings::setKeepTape(bool keep)
{
    store_.setValue(kKeepTape, keep);
    store_.sync();
}

} // namespace numra
