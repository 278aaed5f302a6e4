// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace numra {

// The folder the save dialog starts in: the user's application-data folder
// (~/.local/share, or XDG_DATA_HOME) + "/morvane/"; "/morvane/" alone when
// that folder cannot be determined. The program never creates it.
QString dataFolder();

// The file of the tape kept between runs, in the sibling folder "numra" of
// the data folder, which saving the tape creates when it is missing.
QString keptTapeFile();

// The user's settings: ~/.config/numra/numra.conf, or below XDG_CONFIG_HOME.
QString settingsFile();

} // namespace numra
