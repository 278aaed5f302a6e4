// SPDX-License-Identifier: GPL-3.0-or-later
// Numra: start-up. The command line comes first, so that --help and
// --version answer without a display; then a Numra that runs already takes
// over this start's commands, and this start ends. Otherwise the style is
// requested, the calculator window is built (the windows it opens are
// created on their first use) and shown, later starts are listened for,
// and the event loop runs; the warning beep is switched
// on again however the program ends (quit button, "Beenden", the window
// closed, or a termination signal). A file-size limit makes writes fail
// with the ordinary error message instead of ending the program.

#include "core/settings.h"
#include "gui/application.h"
#include "gui/commandline.h"
#include "gui/handoverqueue.h"
#include "gui/mainwindow.h"
#include "gui/startupprobe.h"
#include "gui/visualstyle.h"
#include "eval/numbertext.h"
#include "platform/deadkeys.h"
#include "platform/filesizelimit.h"
#include "platform/handoverserver.h"
#include "platform/singlenumra.h"
#include "platform/terminationsignals.h"
#include "platform/warningbeep.h"
#include "platform/windowactivation.h"

#include <cstdio>

namespace {

using numra::platform::HandOver;
using numra::platform::HandOverCommand;

// A Numra starting meanwhile gets this long to listen; one that takes the
// commands answers at once.
constexpr auto kPatience = std::chrono::milliseconds(3000);

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// "Nur ein Fenster" off: a plain start and a file open a window of their
// own; the commands meant for the shortcut keys still go to the Numra that
// runs.
bool handOverWanted(const std::vector<HandOver>& handOvers)
{
    for (const HandOver& handOver : handOvers)
        if (handOver.command == HandOverCommand::ShowOrHide || handOver.command == HandOverCommand::Clipboard)
            return true;
    return numra::Settings().singleWindow();
}

int printOut(std::FILE* stream, const QString& text, int status)
{
    const QByteArray bytes = text.toLocal8Bit();
    const bool written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream) == std::size_t(bytes.size())
        && std::fflush(stream) == 0;
    return written ? status : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const numra::CommandLine commandLine =
        numra::readCommandLine(argumentsOf(argc, argv), numra::platform::activationTokenOfThisStart());
    switch (commandLine.action) {
    case numra::CommandLine::Action::Help:
        return printOut(stdout, numra::commandLineHelp(), 0);
    case numra::CommandLine::Action::Version:
        return printOut(stdout, numra::commandLineVersion(), 0);
    case numra::CommandLine::Action::UsageError:
        printOut(stderr, QStringLiteral("numra: %1\nMehr mit \u201Enumra --help\u201C.\n").arg(commandLine.error), 2);
        return 2;
    case numra::CommandLine::Action::Run:
        break;
    }
    const numra::platform::SingleNumra single(numra::platform::handOverFolder(), commandLine.handOvers,
                                              handOverWanted(commandLine.handOvers), kPatience);
    if (single.role() == numra::platform::SingleNumra::Role::HandedOver)
        return 0;

    numra::platform::reportFileSizeLimitAsWriteError();
    numra::platform::DeadKeysAsKeyPresses deadKeys;
    numra::NumraApplication app(argc, argv);
    deadKeys.applicationCreated();
    numra::applyVisualStyle(app, numra::defaultStyleName);

    numra::platform::WarningBeep beep;
    const numra::platform::QuitOnTerminationSignals quitOnSignals;
    numra::MainWindow window(beep, numra::systemDecimalSeparator());
    numra::HandOverQueue handOvers(window);
    numra::platform::HandOverServer server([&handOvers](const HandOver& handOver) { handOvers.receive(handOver); });
    if (single.role() == numra::platform::SingleNumra::Role::First && !server.listen(single.folder()))
        qWarning("numra: cannot listen for later starts: %s", qPrintable(server.errorText()));
    window.show();
    handOvers.takeOwn(commandLine.handOvers);
    numra::reportStartupIfAsked(window);
    const int result = app.exec();
    beep.restore();
    return result;
}
