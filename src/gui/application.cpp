// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/application.h"

#include "gui/errorguard.h"

// The pictures. Q_INIT_RESOURCE must be used outside any
// namespace.
static void loadNumraResources()
{
    Q_INIT_RESOURCE(numra);
}

namespace numra {

NumraApplication::NumraApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Numra"));
    // Ties the window to the installed desktop entry (icon, name in the dock).
    setDesktopFileName(QStringLiteral("org.example.Numra"));
    loadNumraResources();
}

bool NumraApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showErrorBox(activeWindow(), error);
    } catch (...) {
        showUnknownErrorBox(activeWindow());
    }
    return false;
}

} // namespace numra
