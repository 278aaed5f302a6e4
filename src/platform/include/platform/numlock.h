// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Switches NumLock on so that the numeric keypad types digits. Silent where
// the platform gives no access to the keyboard's lock state.

namespace numra::platform {

void switchNumLockOn();

} // namespace numra::platform
