// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windowactivation.h"

#include "platform/x11display.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QWindow>

#include <cstring>
#include <optional>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace numra::platform {

namespace {

constexpr long kSourceApplication = 1; // _NET_ACTIVE_WINDOW: asked for by an application

// The startup-notification token ends in "_TIME" and the X server time of
// the user's action.
std::optional<unsigned long> timeOfToken(const QString& token)
{
    static const QRegularExpression time(QStringLiteral("_TIME(\\d+)$"));
    const QRegularExpressionMatch match = time.match(token);
    bool ok = false;
    const unsigned long value = match.hasMatch() ? match.captured(1).toULong(&ok) : 0;
    return ok ? std::optional(value) : std::nullopt;
}

// The message "remove: ID=..." of the startup-notification protocol, which
// tells the desktop that the start it launched is done: sent to the root
// window in pieces of 20 bytes, the first of type _NET_STARTUP_INFO_BEGIN.
void endStartupNotification(::Display* display, Window window, const QString& token)
{
    QByteArray id = token.toUtf8();
    id.replace('\\', "\\\\").replace('"', "\\\"");
    const QByteArray message = "remove: ID=\"" + id + '"';
    const Atom begin = XInternAtom(display, "_NET_STARTUP_INFO_BEGIN", False);
    const Atom more = XInternAtom(display, "_NET_STARTUP_INFO", False);
    const Window root = DefaultRootWindow(display);
    // With its terminating NUL.
    for (qsizetype at = 0; at <= message.size(); at += 20) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.display = display;
        event.xclient.window = window;
        event.xclient.message_type = at == 0 ? begin : more;
        event.xclient.format = 8;
        const qsizetype piece = std::min<qsizetype>(20, message.size() + 1 - at);
        std::memcpy(event.xclient.data.b, message.constData() + at, std::size_t(piece));
        XSendEvent(display, root, False, PropertyChangeMask, &event);
    }
}

void askForFrontWithTime(::Display* display, Window window, unsigned long time)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.display = display;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = kSourceApplication;
    event.xclient.data.l[1] = long(time);
    event.xclient.data.l[2] = 0;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
}

} // namespace

QString activationTokenOfThisStart()
{
    const QString wayland = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    return wayland.isEmpty() ? qEnvironmentVariable("DESKTOP_STARTUP_ID") : wayland;
}

void activateWithToken(QWindow& window, const QString& token)
{
    if (window.windowStates().testFlag(Qt::WindowMinimized))
        window.setWindowStates(window.windowStates() & ~Qt::WindowMinimized);
    if (!window.isVisible())
        window.setVisible(true);
    window.raise();
    ::Display* display = x11Display();
    if (display && !token.isEmpty()) {
        const Window id = Window(window.winId());
        endStartupNotification(display, id, token);
        if (const std::optional<unsigned long> time = timeOfToken(token)) {
            askForFrontWithTime(display, id, *time);
            XFlush(display);
            return;
        }
        XFlush(display);
    } else if (!display && !token.isEmpty()) {
        // Qt's Wayland windows take the token from here when they ask for
        // the front.
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    }
    window.requestActivate();
}

} // namespace numra::platform
