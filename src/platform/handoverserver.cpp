// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/handoverserver.h"

#include "platform/singlenumra.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace numra::platform {

namespace {

constexpr int kBacklog = 16;

// A line as the log shows it: its start, without control characters that
// a terminal would act on.
QByteArray printable(QByteArrayView line)
{
    QByteArray shown = line.first(std::min<qsizetype>(line.size(), 200)).toByteArray();
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f')
            c = '?';
    return shown;
}

void answer(int socket, const char* text)
{
    // A few bytes into an empty buffer: the start waits for them.
    [[maybe_unused]] const ssize_t sent = ::send(socket, text, std::strlen(text), MSG_NOSIGNAL | MSG_DONTWAIT);
}

} // namespace

struct HandOverServer::Connection {
    int socket = -1;
    QSocketNotifier* readable = nullptr;
    QByteArray pending; // bytes of a line not yet complete
};

HandOverServer::HandOverServer(Receiver receiver) : receiver_(std::move(receiver)) {}

HandOverServer::~HandOverServer()
{
    while (!connections_.empty())
        close(connections_.front());
    if (listening_ >= 0) {
        ::close(listening_);
        ::unlink(QFile::encodeName(path_).constData());
    }
}

bool HandOverServer::listen(const QString& folder)
{
    path_ = handOverSocketPath(folder);
    const QByteArray name = QFile::encodeName(path_);
    sockaddr_un address{};
    if (std::size_t(name.size()) >= sizeof address.sun_path) {
        error_ = QStringLiteral("the socket's path is too long");
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    listening_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    ::unlink(name.constData());
    if (listening_ < 0 || ::bind(listening_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0
        || ::chmod(name.constData(), 0600) != 0 || ::listen(listening_, kBacklog) != 0) {
        error_ = QString::fromLocal8Bit(std::strerror(errno));
        if (listening_ >= 0)
            ::close(listening_);
        listening_ = -1;
        return false;
    }
    auto* acceptor = new QSocketNotifier(listening_, QSocketNotifier::Read, this);
    connect(acceptor, &QSocketNotifier::activated, this, &HandOverServer::accept);
    return true;
}

void HandOverServer::accept()
{
    for (;;) {
        const int socket = ::accept4(listening_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (socket < 0)
            return; // none waiting (EAGAIN), or one that went meanwhile
        Connection& connection = connections_.emplace_back();
        connection.socket = socket;
        connection.readable = new QSocketNotifier(socket, QSocketNotifier::Read, this);
        connect(connection.readable, &QSocketNotifier::activated, this,
                [this, &connection] { readFrom(connection); });
    }
}

void HandOverServer::readFrom(Connection& connection)
{
    char buffer[4096];
    bool open = true;
    for (;;) {
        const ssize_t n = ::recv(connection.socket, buffer, sizeof buffer, 0);
        if (n > 0) {
            connection.pending.append(buffer, n);
            if (!takeLines(connection)) {
                open = false;
                break;
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        open = n < 0 && errno == EAGAIN; // 0: the start closed its end
        break;
    }
    if (!open)
        close(connection);
}

// The answer goes out before the command is handed on, so that the start
// waiting for it ends at once.
bool HandOverServer::takeLines(Connection& connection)
{
    for (qsizetype end; (end = connection.pending.indexOf('\n')) >= 0;) {
        const QByteArray line = connection.pending.first(end);
        connection.pending.remove(0, end + 1);
        QString problem;
        const std::optional<HandOver> handOver = readHandOverLine(line, &problem);
        answer(connection.socket, handOver ? "ok\n" : "ignored\n");
        if (handOver)
            receiver_(*handOver);
        else
            qWarning("numra: ignored a line handed over by another start (%s): %s", qPrintable(problem),
                     printable(line).constData());
    }
    if (connection.pending.size() > kLongestHandOverLine) {
        qWarning("numra: ignored a line handed over by another start: longer than %lld bytes",
                 static_cast<long long>(kLongestHandOverLine));
        return false;
    }
    return true;
}

void HandOverServer::close(Connection& connection)
{
    connection.readable->setEnabled(false);
    connection.readable->deleteLater();
    ::close(connection.socket);
    connections_.remove_if([&connection](const Connection& c) { return &c == &connection; });
}

} // namespace numra::platform
