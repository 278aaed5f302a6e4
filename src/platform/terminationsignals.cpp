// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/terminationsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace numra::platform {

namespace {

constexpr std::array terminationSignals{SIGTERM, SIGINT, SIGHUP};

// A signal handler can reach nothing but process-wide state: the one place
// here that has to be global. It only passes the signal on to the event loop.
volatile sig_atomic_t signalSocket = -1;

extern "C" void passSignalOn(int signal)
{
    const char byte = static_cast<char>(signal);
    if (signalSocket >= 0)
        [[maybe_unused]] auto written = ::write(signalSocket, &byte, 1);
}

void setHandler(void (*handler)(int))
{
    struct sigaction action{};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : terminationSignals)
        sigaction(signal, &action, nullptr);
}

} // namespace

QuitOnTerminationSignals::QuitOnTerminationSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets_) != 0)
        return; // without the pair these signals end the program as before
    signalSocket = sockets_[1];
    notifier_ = new QSocketNotifier(sockets_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] auto read = ::read(sockets_[0], &byte, 1);
        QCoreApplication::quit();
    });
    setHandler(passSignalOn);
}

QuitOnTerminationSignals::~QuitOnTerminationSignals()
{
    if (sockets_[0] < 0)
        return;
    setHandler(SIG_DFL);
    signalSocket = -1;
    delete notifier_;
    ::close(sockets_[0]);
    ::close(sockets_[1]);
}

} // namespace numra::platform
