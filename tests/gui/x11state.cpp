// SPDX-License-Identifier: GPL-3.0-or-later
// Helper of the X server tests: reads and sets the keyboard settings that
// Numra changes while it runs, types keys and clicks, reads the clipboard.
//   x11state              prints "bell <percent> numlock <0|1>"
//   x11state bell <n>     sets the bell volume first
//   x11state numlock <b>  switches NumLock off (0) or on (1) first
//   x11state hold         stays connected until killed (keeps the server
//                         from resetting its settings between clients)
//   x11state input <event>...  keycodes to type ("50+16" holds keycode 50
//                         while typing 16) and clicks on a key of the
//                         calculator window ("key:Edit", by its caption)
//   x11state clipboard    prints the clipboard's text

// Qt's headers before X11's, whose macros clash with Qt's names.
#include "core/keys.h"

#include <QString>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <unistd.h>

namespace {

// The calculator window: the one whose title is "Numra" (its other windows
// have none).
std::optional<Window> calculatorWindow(Display* display, Window parent)
{
    Window root = 0, ignored = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &ignored, &children, &count))
        return std::nullopt;
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(display, children[i], &name) && name && std::strcmp(name, "Numra") == 0)
            found = children[i];
        XFree(name);
        if (!found)
            found = calculatorWindow(display, children[i]);
    }
    XFree(children);
    return found;
}

// The middle of a key of the calculator window on the screen.
bool keyOnScreen(Display* display, const char* caption, int& x, int& y)
{
    const std::optional<numra::Key> key = numra::keyByCaption(QString::fromUtf8(caption));
    const std::optional<Window> window = calculatorWindow(display, DefaultRootWindow(display));
    if (!key || !window)
        return false;
    const QPoint middle = numra::keyInfo(*key).geometry.center();
    Window child = 0;
    return XTranslateCoordinates(display, *window, DefaultRootWindow(display), middle.x(), middle.y(), &x, &y, &child);
}

void tap(Display* display, unsigned int keycode, bool press)
{
    XTestFakeKeyEvent(display, keycode, press, 0);
}

// Each event as the user would make it, with a pause for the program to
// react (a modal window may open).
void input(Display* display, int count, char** events)
{
    for (int i = 0; i < count; ++i) {
        int x = 0, y = 0;
        unsigned int held = 0, key = 0;
        if (std::strncmp(events[i], "key:", 4) == 0) {
            if (!keyOnScreen(display, events[i] + 4, x, y)) {
                std::fprintf(stderr, "no key %s in a window \"Numra\"\n", events[i] + 4);
                std::exit(1);
            }
            XTestFakeMotionEvent(display, -1, x, y, 0);
            XTestFakeButtonEvent(display, 1, True, 0);
            XTestFakeButtonEvent(display, 1, False, 0);
        } else if (std::sscanf(events[i], "%u+%u", &held, &key) == 2) {
            tap(display, held, true);
            tap(display, key, true);
            tap(display, key, false);
            tap(display, held, false);
        } else {
            key = static_cast<unsigned int>(std::atoi(events[i]));
            tap(display, key, true);
            tap(display, key, false);
        }
        XSync(display, False);
        usleep(200000);
    }
}

int printClipboard(Display* display)
{
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    const Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom target = XInternAtom(display, "X11STATE_CLIP", False);
    XConvertSelection(display, clipboard, utf8, target, window, CurrentTime);
    XFlush(display);
    for (int waited = 0; waited < 300; ++waited) {
        XEvent event;
        while (XPending(display)) {
            XNextEvent(display, &event);
            if (event.type != SelectionNotify)
                continue;
            if (event.xselection.property == None)
                return 1;
            Atom type;
            int format;
            unsigned long items, remaining;
            unsigned char* data = nullptr;
            XGetWindowProperty(display, window, target, 0, 4096, False, AnyPropertyType, &type, &format, &items,
                               &remaining, &data);
            std::printf("%.*s\n", static_cast<int>(items), data ? reinterpret_cast<char*>(data) : "");
            XFree(data);
            return 0;
        }
        usleep(10000);
    }
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 2;
    if (argc > 1 && std::strcmp(argv[1], "hold") == 0) {
        for (;;)
            pause();
    }
    if (argc > 1 && std::strcmp(argv[1], "input") == 0) {
        input(display, argc - 2, argv + 2);
        XCloseDisplay(display);
        return 0;
    }
    if (argc > 1 && std::strcmp(argv[1], "clipboard") == 0)
        return printClipboard(display);
    if (argc > 2 && std::strcmp(argv[1], "bell") == 0) {
        XKeyboardControl control{};
        control.bell_percent = std::atoi(argv[2]);
        XChangeKeyboardControl(display, KBBellPercent, &control);
        XSync(display, False);
    }
    const unsigned int numLock = XkbKeysymToModifiers(display, XK_Num_Lock);
    if (argc > 2 && std::strcmp(argv[1], "numlock") == 0) {
        XkbLockModifiers(display, XkbUseCoreKbd, numLock, std::atoi(argv[2]) ? numLock : 0);
        XSync(display, False);
    }
    XKeyboardState keyboard{};
    XGetKeyboardControl(display, &keyboard);
    XkbStateRec state{};
    XkbGetState(display, XkbUseCoreKbd, &state);
    std::printf("bell %d numlock %d\n", keyboard.bell_percent, (state.locked_mods & numLock) ? 1 : 0);
    XCloseDisplay(display);
    return 0;
}
