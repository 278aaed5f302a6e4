// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files Numra keeps for the user without being asked each time (the
// settings, the kept tape): a write that fails is said in one message box
// that names the file and the reason and what holds meanwhile; the same
// failure again is not said again, until a write of that file succeeds.

#include <QString>
#include <functional>
#include <map>

class QWidget;

namespace numra {

class WriteFailures {
public:
    enum class File { Settings, Tape };

    explicit WriteFailures(QWidget& boxParent) : boxParent_(boxParent) {}

    // Runs write; the Error it throws is said unless it was said last.
    // True when the write succeeded.
    bool attempt(File file, const std::function<void()>& write);

private:
    QWidget& boxParent_;
    std::map<File, QString> said_; // the failure last said of each file
};

} // namespace numra
