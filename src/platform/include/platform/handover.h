// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a start of numra hands over to the Numra that already runs, one line
// per command on a local socket: a plain start (the window to the front),
// "--zeigen", "--zwischenablage" and a file to open. Each line carries the
// activation token the desktop gave the start, so that the running window
// may take the front in its place.
//
// A line is UTF-8 and ends in LF: the protocol's name and version, the
// command, the token and the file, separated by tabs, with backslash, tab,
// LF and CR written "\\", "\t", "\n" and "\r" inside the fields:
//     numra-1 <TAB> clipboard <TAB> openbox-12-host-numra-0_TIME4242 <TAB> LF
// A line that is not of this form is malformed: the receiver ignores it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace numra::platform {

enum class HandOverCommand {
    Front,      // a plain start: the window to the front, with the keyboard
    ShowOrHide, // "--zeigen": to the front, or minimised when it is the active window
    Clipboard,  // "--zwischenablage": compute what the clipboard holds
    Open,       // a calculation file or a tape document
};

struct HandOver {
    HandOverCommand command = HandOverCommand::Front;
    QString activationToken; // empty when the start had none
    QString file;            // Open: an absolute path; empty otherwise
    bool operator==(const HandOver&) const = default;
};

// No line is longer (the LF not counted): a path has at most 4096 bytes, and
// escaping at most doubles it.
inline constexpr qsizetype kLongestHandOverLine = 64 * 1024;

QByteArray handOverLine(const HandOver& handOver);

// A line without its LF. A malformed one gives nothing, and why in `problem`.
std::optional<HandOver> readHandOverLine(QByteArrayView line, QString* problem = nullptr);

} // namespace numra::platform
