#pragma once
// Dead keys as key presses. Qt's default input context on X11 ("compose")
// swallows a dead key such as the German "^" until the next key, so the
// calculator window would never see it; Numra wants it at once (x^n in
// keypad mode, "^" appended in edit mode). Without an input context the dead
// key arrives as Qt::Key_Dead_Circumflex. An input method the user has chosen
// (QT_IM_MODULE set) is left alone. Call before the application object is
// created.

namespace numra::platform {

void deliverDeadKeysAsKeyPresses();

} // namespace numra::platform
