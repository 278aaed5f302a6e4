// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/writefailures.h"

#include "eval/errors.h"
#include "gui/messagebox.h"

#include <QWidget>

namespace numra {

namespace {

QString whatHolds(WriteFailures::File file)
{
    switch (file) {
    case WriteFailures::File::Settings:
        return QStringLiteral("Die Einstellung gilt, bis Numra beendet wird.");
    case WriteFailures::File::Tape:
        return QStringLiteral("Der Rechenstreifen bleibt erhalten, bis Numra beendet wird.");
    }
    return QString();
}

} // namespace

bool WriteFailures::attempt(File file, const std::function<void()>& write)
{
    try {
        write();
        said_.erase(file);
        return true;
    } catch (const std::exception& error) {
        const QString text = errorBoxTextOf(error) + u'\n' + whatHolds(file);
        if (said_[file] != text) {
            said_[file] = text;
            showMessageBox(&boxParent_, MessageKind::Error, text);
            boxParent_.activateWindow(); // not every window manager hands the keyboard back
        }
        return false;
    }
}

} // namespace numra
