// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// SIGTERM, SIGINT and SIGHUP (kill, Ctrl+C in a terminal, the session ending)
// end the event loop like the quit button, so that start-up's last step, the
// warning beep switched on again, runs on these ways out too. While an
// object of this class lives.

#include <QObject>

class QSocketNotifier;

namespace numra::platform {

class QuitOnTerminationSignals : public QObject {
public:
    QuitOnTerminationSignals();
    ~QuitOnTerminationSignals() override;
    QuitOnTerminationSignals(const QuitOnTerminationSignals&) = delete;
    QuitOnTerminationSignals& operator=(const QuitOnTerminationSignals&) = delete;

private:
    int sockets_[2] = {-1, -1}; // the handler writes to [1]; [0] is read here
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace numra::platform
