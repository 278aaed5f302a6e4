// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numra's windows, created once, hidden, in their fixed order: the calculator
// window first (the program's main window), then about, VAT, help, formula
// window, copy chooser and tape window. They live until the program ends.

#include "gui/mainwindow.h"
#include "gui/copychooser.h"
#include "gui/vatwindow.h"
#include "gui/aboutwindow.h"
#include "gui/formulawindow.h"
#include "gui/helpwindow.h"
#include "gui/tapewindow.h"

namespace numra {

struct NumraWindows {
    NumraWindows(platform::WarningBeep& beep, QChar decimalSeparator);

    MainWindow mainWindow;
    AboutWindow aboutWindow;
    VatWindow vatWindow;
    HelpWindow helpWindow;
    FormulaWindow formulaWindow;
    CopyChooser copyChooser;
    TapeWindow tapeWindow;
};

} // namespace numra
