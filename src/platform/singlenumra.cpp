// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singlenumra.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace numra::platform {

namespace {

using Clock = std::chrono::steady_clock;

const QString kSocketName = QStringLiteral("org.example.Numra.socket");
const QString kLockName = QStringLiteral("org.example.Numra.lock");
constexpr std::size_t kLongestSocketPath = sizeof(sockaddr_un::sun_path) - 1;
constexpr auto kRetryPause = std::chrono::milliseconds(20);

// A folder of the user's that nobody else can enter; with `repair`, one of
// the user's with wider rights is narrowed to the user alone.
bool isPrivateFolder(const QString& path, bool repair)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info{};
    if (::lstat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return false;
    if ((info.st_mode & 077) == 0)
        return true;
    return repair && ::chmod(name.constData(), 0700) == 0;
}

bool socketPathFits(const QString& folder)
{
    return std::size_t(QFile::encodeName(handOverSocketPath(folder)).size()) <= kLongestSocketPath;
}

int remainingMs(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::max<long long>(0, left));
}

// Waits until the socket is ready for `events`; false at the deadline.
bool waitFor(int socket, short events, Clock::time_point deadline)
{
    for (;;) {
        pollfd poller{socket, events, 0};
        const int ready = ::poll(&poller, 1, remainingMs(deadline));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

class SocketHandle {
public:
    SocketHandle() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)) {}
    ~SocketHandle()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool sendAll(int socket, QByteArrayView bytes, Clock::time_point deadline)
{
    qsizetype sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(socket, bytes.data() + sent, std::size_t(bytes.size() - sent), MSG_NOSIGNAL);
        if (n > 0)
            sent += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n < 0 && errno == EAGAIN && waitFor(socket, POLLOUT, deadline))
            continue;
        else
            return false;
    }
    return true;
}

// One answer line for each line sent.
bool receiveAnswers(int socket, std::size_t expected, Clock::time_point deadline)
{
    std::size_t answered = 0;
    char buffer[256];
    while (answered < expected) {
        const ssize_t n = ::recv(socket, buffer, sizeof buffer, 0);
        if (n > 0)
            answered += std::size_t(std::count(buffer, buffer + n, '\n'));
        else if (n < 0 && errno == EINTR)
            continue;
        else if (n < 0 && errno == EAGAIN && waitFor(socket, POLLIN, deadline))
            continue;
        else
            return false; // closed early, or the deadline
    }
    return true;
}

} // namespace

std::optional<QString> handOverFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.startsWith(u'/') && isPrivateFolder(runtime, false) && socketPathFits(runtime))
        return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/numra-%1").arg(::geteuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    if (isPrivateFolder(own, true) && socketPathFits(own))
        return own;
    return std::nullopt;
}

QString handOverSocketPath(const QString& folder)
{
    return folder + u'/' + kSocketName;
}

QString handOverLockPath(const QString& folder)
{
    return folder + u'/' + kLockName;
}

Delivery deliverHandOvers(const QString& socketPath, const std::vector<HandOver>& handOvers,
                          std::chrono::milliseconds patience)
{
    const Clock::time_point deadline = Clock::now() + patience;
    const QByteArray name = QFile::encodeName(socketPath);
    const SocketHandle socket;
    if (socket.fd() < 0 || std::size_t(name.size()) > kLongestSocketPath)
        return Delivery::NobodyListens;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    if (::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        // A full backlog (EAGAIN): someone listens, but takes nothing.
        return errno == EAGAIN ? Delivery::NoAnswer : Delivery::NobodyListens;
    QByteArray lines;
    for (const HandOver& handOver : handOvers)
        lines += handOverLine(handOver);
    if (!sendAll(socket.fd(), lines, deadline) || !receiveAnswers(socket.fd(), handOvers.size(), deadline))
        return Delivery::NoAnswer;
    return Delivery::Taken;
}

SingleNumra::SingleNumra(const std::optional<QString>& folder, const std::vector<HandOver>& handOvers,
                         bool handOverWanted, std::chrono::milliseconds patience)
{
    if (!folder) {
        qWarning("numra: no private folder for the socket of the running Numra; this window runs alone");
        return;
    }
    folder_ = *folder;
    const QByteArray lockPath = QFile::encodeName(handOverLockPath(folder_));
    lockFile_ = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lockFile_ < 0) {
        qWarning("numra: cannot open %s (%s); this window runs alone", lockPath.constData(), std::strerror(errno));
        return;
    }
    const Clock::time_point deadline = Clock::now() + patience;
    for (;;) {
        if (takeLock()) {
            role_ = Role::First;
            return;
        }
        if (!handOverWanted)
            return;
        const auto left = std::chrono::milliseconds(remainingMs(deadline));
        switch (deliverHandOvers(handOverSocketPath(folder_), handOvers, left)) {
        case Delivery::Taken:
            role_ = Role::HandedOver;
            return;
        case Delivery::NoAnswer:
            qWarning("numra: the running Numra does not answer; this window runs alone");
            return;
        case Delivery::NobodyListens:
            break; // starting, or ending: try again
        }
        if (Clock::now() + kRetryPause >= deadline) {
            qWarning("numra: the running Numra does not listen; this window runs alone");
            return;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
}

SingleNumra::~SingleNumra()
{
    if (lockFile_ >= 0)
        ::close(lockFile_); // the lock goes with it
}

bool SingleNumra::takeLock()
{
    while (::flock(lockFile_, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

} // namespace numra::platform
