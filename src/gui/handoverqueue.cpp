// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/handoverqueue.h"

#include "gui/mainwindow.h"

#include <QApplication>

namespace numra {

namespace {

using platform::HandOver;
using platform::HandOverCommand;

constexpr int kRetryMs = 100;     // while a modal window is open
constexpr int kKeyboardPollMs = 20;
constexpr int kKeyboardTries = 15; // 300 ms for the window manager to give the keyboard

} // namespace

HandOverQueue::HandOverQueue(MainWindow& window) : window_(window)
{
    retry_.setSingleShot(true);
    connect(&retry_, &QTimer::timeout, this, &HandOverQueue::runNext);
}

void HandOverQueue::receive(const HandOver& handOver)
{
    switch (handOver.command) {
    case HandOverCommand::Front:
        window_.bringToFront(handOver.activationToken);
        return;
    case HandOverCommand::ShowOrHide:
        window_.showOrHide(handOver.activationToken);
        return;
    case HandOverCommand::Clipboard:
    case HandOverCommand::Open:
        window_.bringToFront(handOver.activationToken);
        queue(handOver);
        return;
    }
}

void HandOverQueue::takeOwn(const std::vector<HandOver>& handOvers)
{
    for (const HandOver& handOver : handOvers)
        if (handOver.command == HandOverCommand::Clipboard || handOver.command == HandOverCommand::Open)
            queue(handOver);
}

void HandOverQueue::queue(const HandOver& handOver)
{
    waiting_.push_back(handOver);
    QTimer::singleShot(0, this, &HandOverQueue::runNext);
}

// A modal window runs an event loop of its own, in which more commands
// arrive: they wait for it to close, as they wait for the one running.
bool HandOverQueue::mayRunNow() const
{
    return !running_ && !QApplication::activeModalWidget() && !QApplication::activePopupWidget();
}

void HandOverQueue::runNext()
{
    if (waiting_.empty())
        return;
    if (!mayRunNow()) {
        if (!running_)
            retry_.start(kRetryMs);
        return;
    }
    const HandOver handOver = waiting_.front();
    waiting_.pop_front();
    running_ = true;
    if (handOver.command == HandOverCommand::Clipboard)
        waitForKeyboardThenRun(handOver, kKeyboardTries);
    else
        carryOut(handOver);
}

void HandOverQueue::waitForKeyboardThenRun(const HandOver& handOver, int triesLeft)
{
    if (window_.isActiveWindow() || triesLeft <= 0) {
        carryOut(handOver);
        return;
    }
    QTimer::singleShot(kKeyboardPollMs, this,
                       [this, handOver, triesLeft] { waitForKeyboardThenRun(handOver, triesLeft - 1); });
}

// The next waits until this one is done, also when it asks the user (the
// column of amounts) and also when it fails.
void HandOverQueue::carryOut(const HandOver& handOver)
{
    struct NextAfterwards {
        HandOverQueue& queue;
        ~NextAfterwards()
        {
            queue.running_ = false;
            QTimer::singleShot(0, &queue, &HandOverQueue::runNext);
        }
    } next{*this};
    if (handOver.command == HandOverCommand::Clipboard)
        window_.computeClipboard();
    else
        window_.openFile(handOver.file);
}

} // namespace numra
