// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application object: Numra's name and resources, and the safety net
// that keeps any exception a handler lets through from crossing the Qt event
// loop (it is shown in the default error box instead).

#include <QApplication>

namespace numra {

class NumraApplication : public QApplication {
public:
    NumraApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace numra
