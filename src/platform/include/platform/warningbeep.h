// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system warning beep, switched off while Numra runs. The destructor puts
// the previous volume back, so every way out of the program restores it.

namespace numra::platform {

class WarningBeep {
public:
    WarningBeep() = default;
    ~WarningBeep() { restore(); }
    WarningBeep(const WarningBeep&) = delete;
    WarningBeep& operator=(const WarningBeep&) = delete;

    void switchOff();
    void restore();

private:
    int savedPercent_ = -1; // -1: nothing switched off
};

} // namespace numra::platform
