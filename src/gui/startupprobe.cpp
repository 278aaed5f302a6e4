// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/startupprobe.h"

#include "platform/x11display.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QSet>
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

void report()
{
    platform::waitForX11Server(); // the frame handed to it has been drawn
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("painted_ns %lld rss_kib %ld cpu_us %lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()),
                residentKiB(), cpuMicroseconds());
    std::fflush(stdout);
    QCoreApplication::quit();
}

// Watches the paint events of the whole application. Qt paints a frame in
// one go, the window first, and hands it to the window system right after;
// so at the first paint of a frame a check is queued for the event loop's
// next turn, ahead of anything the window queues when it is painted. The
// frame reported is the first after which the window and each visible
// widget in it have been painted.
class FirstFrameProbe : public QObject {
public:
    explicit FirstFrameProbe(QWidget& window) : QObject(&window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint || done_ || !watched->isWidgetType())
            return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->window() != &window_)
            return false;
        painted_.insert(widget);
        if (!checkQueued_) {
            checkQueued_ = true;
            QTimer::singleShot(0, this, [this] {
                checkQueued_ = false;
                done_ = everyVisibleWidgetPainted();
                if (done_)
                    report();
            });
        }
        return false;
    }

private:
    bool everyVisibleWidgetPainted() const
    {
        if (!painted_.contains(&window_))
            return false;
        const QList<QWidget*> widgets = window_.findChildren<QWidget*>();
        for (QWidget* widget : widgets)
            if (!widget->isWindow() && widget->isVisible() && !painted_.contains(widget))
                return false;
        return true;
    }

    QWidget& window_;
    QSet<const QWidget*> painted_;
    bool checkQueued_ = false;
    bool done_ = false;
};

} // namespace

void reportStartupIfAsked(QWidget& window)
{
    if (qEnvironmentVariableIsEmpty("NUMRA_STARTUP_PROBE"))
        return;
    QCoreApplication::instance()->installEventFilter(new FirstFrameProbe(window));
}

} // namespace numra
