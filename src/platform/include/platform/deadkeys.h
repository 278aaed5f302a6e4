// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dead keys as key presses. Qt's default input context on X11 ("compose")
// swallows a dead key such as the German "^" and composes it with the next
// key ("^" then "3" gives "³"), so the calculator window would never see it;
// Numra wants it at once (x^n in keypad mode, "^" appended in edit mode).
// Without an input context the dead key arrives as Qt::Key_Dead_Circumflex.
// An input method the user has chosen (QT_IM_MODULE set) is left alone.

namespace numra::platform {

class DeadKeysAsKeyPresses {
public:
    // Before the application object is created.
    DeadKeysAsKeyPresses();
    // After it: Qt has read the choice, and programs that Numra starts (the
    // web browser of the about window) keep their input method.
    void applicationCreated();

private:
    bool chosenHere_ = false;
};

} // namespace numra::platform
