// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/startupprobe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>

namespace numra {

namespace {

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

long long cpuMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto us = [](const timeval& t) { return t.tv_sec * 1000000LL + t.tv_usec; };
    return us(usage.ru_utime) + us(usage.ru_stime);
}

class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            // After this paint has reached the screen.
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("shown_ns %lld rss_kib %ld cpu_us %lld\n",
                            static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                            residentKiB(), cpuMicroseconds());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool reported_ = false;
};

} // namespace

void reportStartupIfAsked(QWidget& window)
{
    if (qEnvironmentVariableIsEmpty("NUMRA_STARTUP_PROBE"))
        return;
    window.installEventFilter(new FirstPaintProbe(&window));
}

} // namespace numra
