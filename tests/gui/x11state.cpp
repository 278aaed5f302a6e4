// Helper of test_platform_x11.sh: reads (and sets) the X server's keyboard
// settings that Numra changes while it runs.
//   x11state              prints "bell <percent> numlock <0|1>"
//   x11state bell <n>     sets the bell volume first
//   x11state numlock <b>  switches NumLock off (0) or on (1) first
//   x11state hold         stays connected until killed (keeps the server
//                         from resetting its settings between clients)

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 2;
    if (argc > 1 && std::strcmp(argv[1], "hold") == 0) {
        for (;;)
            pause();
    }
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
