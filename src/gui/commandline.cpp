// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/commandline.h"

#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <array>

namespace numra {

namespace {

using platform::HandOver;
using platform::HandOverCommand;

// Qt's options that take a value, which must not be read as a file.
constexpr std::array<QStringView, 20> kQtOptionsWithValue{
    u"-platform", u"-platformpluginpath", u"-platformtheme", u"-plugin",  u"-qwindowgeometry",
    u"-qwindowicon", u"-qwindowtitle", u"-display", u"-geometry", u"-title", u"-name", u"-style",
    u"-stylesheet", u"-session", u"-visual", u"-ncols", u"-fn", u"-font", u"-im", u"-inputstyle"};

QString absoluteFile(const QString& argument)
{
    const QUrl url(argument);
    const QString path = argument.startsWith(QLatin1StringView("file:")) && url.isLocalFile() ? url.toLocalFile()
                                                                                              : argument;
    return QFileInfo(path).absoluteFilePath();
}

CommandLine usageError(const QString& error)
{
    CommandLine line;
    line.action = CommandLine::Action::UsageError;
    line.error = error;
    return line;
}

} // namespace

CommandLine readCommandLine(const QStringList& arguments, const QString& token)
{
    CommandLine line;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded || !argument.startsWith(u'-') || argument == u"-") {
            if (argument.isEmpty())
                return usageError(QStringLiteral("Ein leerer Dateiname ist keine Datei."));
            line.handOvers.push_back({HandOverCommand::Open, token, absoluteFile(argument)});
        } else if (argument == u"--") {
            optionsEnded = true;
        } else if (argument == u"--help" || argument == u"-h") {
            line.action = CommandLine::Action::Help;
            return line;
        } else if (argument == u"--version") {
            line.action = CommandLine::Action::Version;
            return line;
        } else if (argument == u"--zeigen") {
            line.handOvers.push_back({HandOverCommand::ShowOrHide, token, QString()});
        } else if (argument == u"--zwischenablage") {
            line.handOvers.push_back({HandOverCommand::Clipboard, token, QString()});
        } else if (argument.startsWith(u"--")) {
            return usageError(QStringLiteral("Unbekannte Option \u201E%1\u201C.").arg(argument));
        } else if (std::ranges::find(kQtOptionsWithValue, QStringView(argument)) != kQtOptionsWithValue.end()) {
            ++i; // Qt's, with its value
        }
        // Any other single-dash option is Qt's to judge.
    }
    if (line.handOvers.empty())
        line.handOvers.push_back({HandOverCommand::Front, token, QString()});
    return line;
}

QString commandLineHelp()
{
    return QStringLiteral(R"HELP(Aufruf: numra [OPTION] [DATEI...]
Numra, der Taschenrechner, der die ganze Rechnung als Formel behält.

Läuft Numra schon, übernimmt das laufende Fenster den Aufruf: Es kommt nach
vorn, und der Aufruf endet sofort (abschaltbar im Menü mit "Nur ein Fenster").

  --zeigen          Numra nach vorn holen oder starten; ist Numra schon das
                    aktive Fenster, wird es minimiert (eine Taste zum Zeigen
                    und Verbergen)
  --zwischenablage  den Inhalt der Zwischenablage ausrechnen (einen Betrag,
                    eine Formel oder eine Spalte von Beträgen) und das
                    Ergebnis in die Zwischenablage legen; der Rechenstreifen
                    bekommt die Zeile mit der Notiz "Zwischenablage"
  DATEI             eine Berechnung (.clc) laden oder einen Rechenstreifen
                    (.rstr) öffnen
  -h, --help        diese Hilfe zeigen und beenden
      --version     die Version zeigen und beenden

Die beiden Optionen lassen sich auf Tastenkombinationen des Desktops legen:
im Menü unter "Tastenkürzel einrichten …". Die Optionen von Qt (etwa
-platform) gelten wie immer.

Rückgabewert: 0, wenn Numra lief oder den Aufruf übernommen hat; 2 bei
einem Fehler im Aufruf.
)HELP");
}

// GNU form, as numra-eval's.
QString commandLineVersion()
{
    return QStringLiteral("numra (Numra) " NUMRA_VERSION "\nCopyright (C) 2026 Numra\n");
}

} // namespace numra
