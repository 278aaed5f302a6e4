// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What later starts of numra hand over to the running window, and what the
// start of this window was given itself, carried out in order. Bringing the
// window up happens at once, with the start's activation token, which does
// not keep. The clipboard and files wait their turn: one at a time, and not
// while a modal window (a question, a file dialog) waits for the user; the
// clipboard is read once the window has the keyboard (Wayland gives the
// clipboard to the window with the keyboard only), or after a short wait
// when the window manager keeps it from the window.

#include "platform/handover.h"

#include <QObject>
#include <QTimer>
#include <deque>

namespace numra {

class MainWindow;

class HandOverQueue : public QObject {
public:
    explicit HandOverQueue(MainWindow& window);

    // From another start.
    void receive(const platform::HandOver& handOver);
    // This start's own commands: the window has just come up, so a plain
    // start or "--zeigen" asks nothing more of it.
    void takeOwn(const std::vector<platform::HandOver>& handOvers);

    bool idle() const { return waiting_.empty() && !running_; }

private:
    void queue(const platform::HandOver& handOver);
    void runNext();
    bool mayRunNow() const;
    void waitForKeyboardThenRun(const platform::HandOver& handOver, int triesLeft);
    void carryOut(const platform::HandOver& handOver);

    MainWindow& window_;
    std::deque<platform::HandOver> waiting_;
    bool running_ = false;
    QTimer retry_;
};

} // namespace numra
