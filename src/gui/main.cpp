// SPDX-License-Identifier: GPL-3.0-or-later
// Numra: start-up. The style is requested, the calculator window is built
// (the windows it opens are created on their first use) and shown, the event
// loop runs; the warning beep is switched
// on again however the program ends (quit button, "Beenden", the window
// closed, or a termination signal). A file-size limit makes writes fail
// with the ordinary error message instead of ending the program.

#include "gui/application.h"
#include "gui/mainwindow.h"
#include "gui/startupprobe.h"
#include "gui/visualstyle.h"
#include "eval/numbertext.h"
#include "platform/deadkeys.h"
#include "platform/filesizelimit.h"
#include "platform/terminationsignals.h"
#include "platform/warningbeep.h"

int main(int argc, char** argv)
{
    numra::platform::reportFileSizeLimitAsWriteError();
    numra::platform::DeadKeysAsKeyPresses deadKeys;
    numra::NumraApplication app(argc, argv);
    deadKeys.applicationCreated();
    numra::applyVisualStyle(app, numra::defaultStyleName);

    numra::platform::WarningBeep beep;
    const numra::platform::QuitOnTerminationSignals quitOnSignals;
    numra::MainWindow window(beep, numra::systemDecimalSeparator());
    window.show();
    numra::reportStartupIfAsked(window);
    const int result = app.exec();
    beep.restore();
    return result;
}
