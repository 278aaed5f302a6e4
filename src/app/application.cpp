#include "app/application.h"

#include "app/errorguard.h"

#include <QFont>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initNumraResources()
{
    Q_INIT_RESOURCE(numra);
}

namespace numra {

void loadNumraResources()
{
    initNumraResources();
    // The layouts name Windows fonts; where they are missing, the nearest
    // fonts of a Debian desktop keep the texts within their controls.
    QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                               {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans Condensed")});
    QFont::insertSubstitutions(QStringLiteral("Century Gothic"),
                               {QStringLiteral("URW Gothic"), QStringLiteral("DejaVu Sans")});
}

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
    } catch (...) {
        showCaughtError(activeWindow());
        return false;
    }
}

} // namespace numra
