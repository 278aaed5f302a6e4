// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// numra's command line, read before anything else starts, so that --help
// and --version answer without a display:
//   numra                     starts Numra, or brings the running one up
//   numra --zeigen            the same; the running one, when it is the
//                             active window, is minimised
//   numra --zwischenablage    computes the clipboard and puts the result back
//   numra FILE                opens a calculation file or a tape document
// Qt's own options (-platform xcb, -display :1) stay Qt's.

#include "platform/handover.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace numra {

struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    // In the order given; a plain start gives a single Front.
    std::vector<platform::HandOver> handOvers;
    QString error; // UsageError: what was wrong, in German
};

// The arguments after the program's name. Files are made absolute from the
// current folder, so that the running Numra finds them; a "file:" address
// (as some file managers give) is its local path. `token`: the activation
// token of this start, which every command carries.
CommandLine readCommandLine(const QStringList& arguments, const QString& token);

QString commandLineHelp();
QString commandLineVersion();

} // namespace numra
