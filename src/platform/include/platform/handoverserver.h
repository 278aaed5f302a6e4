// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first Numra listens at the socket in the user's runtime folder
// (platform/singlenumra.h) for the lines that later starts send
// (platform/handover.h). Each well-formed line is answered "ok" and given
// to the receiver in the order it came; a malformed one is answered
// "ignored" and logged on standard error, and the connection goes on; a
// line longer than any ends its connection. A plain socket read by the
// event loop: the program's start does not wait for a network library.

#include "platform/handover.h"

#include <QObject>
#include <QString>
#include <functional>
#include <list>

namespace numra::platform {

class HandOverServer : public QObject {
public:
    using Receiver = std::function<void(const HandOver&)>;
    explicit HandOverServer(Receiver receiver);
    ~HandOverServer() override;
    HandOverServer(const HandOverServer&) = delete;
    HandOverServer& operator=(const HandOverServer&) = delete;

    // Only while this process holds the lock (SingleNumra::First): a socket
    // left there by a Numra that ended without removing it is replaced.
    // The socket is removed again when the server ends.
    bool listen(const QString& folder);
    const QString& errorText() const { return error_; }

private:
    struct Connection;
    void accept();
    void readFrom(Connection& connection);
    // False when the connection is to end: a line longer than any.
    bool takeLines(Connection& connection);
    void close(Connection& connection);

    Receiver receiver_;
    int listening_ = -1;
    QString path_;
    QString error_;
    std::list<Connection> connections_;
};

} // namespace numra::platform
