// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One Numra for each user. The first start holds a lock beside a local
// socket in the user's runtime folder and listens there; a later start
// hands its commands over, line by line (platform/handover.h), waits until
// each is taken, and ends (the first listens with platform/handoverserver.h). The system frees the lock when the process ends,
// however it ends: a socket that a killed Numra left behind is replaced by
// the next start instead of blocking it.

#include "platform/handover.h"

#include <QString>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace numra::platform {

// $XDG_RUNTIME_DIR, or, when it is unset or unusable, a folder of the user's
// own under the temporary folder (made with rights for the user alone).
// Nothing when there is no folder that only the user can reach.
std::optional<QString> handOverFolder();
QString handOverSocketPath(const QString& folder);
QString handOverLockPath(const QString& folder);

// Takes the running Numra's answers to lines sent to its socket.
enum class Delivery {
    Taken,        // every line was answered
    NobodyListens, // no socket, or one that nobody listens at
    NoAnswer,     // connected, but the lines were not answered in time
};
Delivery deliverHandOvers(const QString& socketPath, const std::vector<HandOver>& handOvers,
                          std::chrono::milliseconds patience);

class SingleNumra {
public:
    enum class Role {
        First,      // holds the lock: listens once the application exists
        HandedOver, // the running Numra took the commands: this start ends
        Alone,      // a window of its own, without the socket
    };

    // Takes the lock; or, when it is held and a hand-over is wanted, hands
    // the commands over. A Numra that is only starting gets `patience` to
    // listen (and one that is ending, to let go of the lock); one that
    // takes the connection but does not answer in that time is given up,
    // and this start runs alone, as it does without a safe folder.
    SingleNumra(const std::optional<QString>& folder, const std::vector<HandOver>& handOvers, bool handOverWanted,
                std::chrono::milliseconds patience);
    ~SingleNumra();
    SingleNumra(const SingleNumra&) = delete;
    SingleNumra& operator=(const SingleNumra&) = delete;

    Role role() const { return role_; }
    const QString& folder() const { return folder_; }

private:
    bool takeLock();

    Role role_ = Role::Alone;
    QString folder_;
    int lockFile_ = -1;
};

} // namespace numra::platform
