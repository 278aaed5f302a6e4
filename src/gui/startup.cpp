// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/startup.h"

namespace numra {

NumraWindows::NumraWindows(platform::WarningBeep& beep, QChar decimalSeparator)
    : mainWindow(beep, decimalSeparator),
      aboutWindow(&mainWindow),
      vatWindow(&mainWindow),
      helpWindow(&mainWindow),
      formulaWindow(&mainWindow),
      copyChooser(&mainWindow),
      tapeWindow(&mainWindow, mainWindow.calculator().tape())
{
    mainWindow.attach({&aboutWindow, &vatWindow, &helpWindow, &formulaWindow, &copyChooser, &tapeWindow});
}

} // namespace numra
