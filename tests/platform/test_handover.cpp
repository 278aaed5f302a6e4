// SPDX-License-Identifier: GPL-3.0-or-later
// A later start hands its commands to the Numra that runs: the lines of the
// protocol, the socket driven with every command, a malformed line (ignored
// and logged, and the connection goes on), and a socket left behind by a
// Numra that was killed (taken over at once, never waited for).

#include "platform/handoverserver.h"
#include "platform/singlenumra.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <future>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace numra::platform;
using namespace std::chrono_literals;

inline void PrintTo(const HandOver& h, std::ostream* os)
{
    *os << handOverLine(h).toStdString();
}

namespace {

QCoreApplication& application()
{
    static int argc = 1;
    static char name[] = "test_handover";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

const std::vector<HandOver> kEveryCommand{
    {HandOverCommand::Front, u"openbox-42-host-numra-0_TIME4711"_qs, QString()},
    {HandOverCommand::ShowOrHide, QString(), QString()},
    {HandOverCommand::Clipboard, u"wayland token\twith a tab"_qs, QString()},
    {HandOverCommand::Open, QString(), u"/home/anna/Büro/Rechnung 1\\2\n.clc"_qs},
};

TEST(HandOverLine, CarriesEveryCommandWhole)
{
    for (const HandOver& handOver : kEveryCommand) {
        const QByteArray line = handOverLine(handOver);
        ASSERT_TRUE(line.endsWith('\n'));
        EXPECT_EQ(line.count('\n'), 1) << "one line, whatever the fields hold";
        EXPECT_EQ(readHandOverLine(line.chopped(1)), handOver);
    }
    EXPECT_EQ(handOverLine(kEveryCommand[1]), "numra-1\tshow-or-hide\t\t\n");
}

TEST(HandOverLine, RefusesMalformedLines)
{
    const QByteArray tooLong = "numra-1\topen\t\t/" + QByteArray(kLongestHandOverLine, 'a');
    const std::vector<QByteArray> malformed{
        "",
        "numra-1\tfront\t",              // a field missing
        "numra-1\tfront\t\t\t",          // one too many
        "numra-2\tfront\t\t",            // another protocol
        "numra-1\tFRONT\t\t",            // no such command
        "numra-1\tfront\ttoken\\x\t",    // an escape that is none
        "numra-1\tfront\ttoken\\\t",     // a backslash at the end
        "numra-1\tfront\tto\x01ken\t",   // a bare control character
        "numra-1\tfront\t\xff\xfe\t",    // not UTF-8
        "numra-1\topen\t\t",             // nothing to open
        "numra-1\topen\t\tRechnung.clc", // not absolute
        "numra-1\tclipboard\t\t/a.clc",  // a file for a command without one
        tooLong,
    };
    for (const QByteArray& line : malformed) {
        QString problem;
        EXPECT_EQ(readHandOverLine(line, &problem), std::nullopt) << line.left(60).toStdString();
        EXPECT_FALSE(problem.isEmpty());
    }
}

// The warnings of the program, as its log shows them.
QStringList logged;
void keepWarning(QtMsgType, const QMessageLogContext&, const QString& message) { logged << message; }

// One user's runtime folder, the Numra that listens there, and later starts
// on other threads (a start waits for its answers, which come from this
// thread's event loop).
class RunningNumra : public ::testing::Test {
protected:
    void SetUp() override
    {
        application();
        ASSERT_TRUE(runtime.isValid());
        logged.clear();
        previousHandler = qInstallMessageHandler(keepWarning);
    }
    void TearDown() override { qInstallMessageHandler(previousHandler); }

    QString folder() const { return runtime.path(); }

    template <class Work>
    auto meanwhile(Work work)
    {
        std::future result = std::async(std::launch::async, work);
        while (result.wait_for(0ms) != std::future_status::ready)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return result.get();
    }

    SingleNumra::Role laterStart(const std::vector<HandOver>& handOvers, bool wanted,
                                 std::chrono::milliseconds patience = 5000ms)
    {
        return meanwhile([&] { return SingleNumra(folder(), handOvers, wanted, patience).role(); });
    }

    // Lines written as they are, and the answers until the connection ends.
    QByteArray sendRaw(const QByteArray& bytes)
    {
        return meanwhile([&] {
            const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            const QByteArray path = QFile::encodeName(handOverSocketPath(folder()));
            std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
            timeval wait{2, 0};
            ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
            QByteArray answers;
            if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
                ::send(socket, bytes.constData(), std::size_t(bytes.size()), MSG_NOSIGNAL);
                ::shutdown(socket, SHUT_WR);
                char buffer[64];
                for (ssize_t n; (n = ::recv(socket, buffer, sizeof buffer, 0)) > 0;)
                    answers.append(buffer, n);
            }
            ::close(socket);
            return answers;
        });
    }

    QTemporaryDir runtime;
    std::vector<HandOver> received;
    HandOverServer server{[this](const HandOver& handOver) { received.push_back(handOver); }};
    QtMessageHandler previousHandler = nullptr;
};

TEST_F(RunningNumra, TakesALaterStartsCommandsInOrder)
{
    const SingleNumra first(folder(), {}, true, 1000ms);
    ASSERT_EQ(first.role(), SingleNumra::Role::First);
    ASSERT_TRUE(server.listen(folder())) << server.errorText().toStdString();

    EXPECT_EQ(laterStart(kEveryCommand, true), SingleNumra::Role::HandedOver);
    EXPECT_EQ(received, kEveryCommand);

    // "Nur ein Fenster" off: a window of its own, nothing handed over.
    received.clear();
    EXPECT_EQ(laterStart({{HandOverCommand::Front, QString(), QString()}}, false), SingleNumra::Role::Alone);
    EXPECT_TRUE(received.empty());
}

TEST_F(RunningNumra, IgnoresAndLogsAMalformedLineAndGoesOn)
{
    const SingleNumra first(folder(), {}, true, 1000ms);
    ASSERT_TRUE(server.listen(folder()));
    const HandOver clipboard{HandOverCommand::Clipboard, QString(), QString()};

    EXPECT_EQ(sendRaw("numra-1\tfly\t\t\n" + handOverLine(clipboard)), "ignored\nok\n");
    EXPECT_EQ(received, std::vector{clipboard});
    ASSERT_EQ(logged.size(), 1);
    EXPECT_TRUE(logged.front().contains(u"ignored"_qs) && logged.front().contains(u"fly"_qs))
        << logged.front().toStdString();

    // A line longer than any ends its connection; the next start is heard.
    logged.clear();
    EXPECT_EQ(sendRaw(QByteArray(kLongestHandOverLine + 10, 'x')), QByteArray());
    EXPECT_EQ(logged.size(), 1);
    EXPECT_EQ(laterStart({clipboard}, true), SingleNumra::Role::HandedOver);
    EXPECT_EQ(received.size(), 2u);
}

// A Numra in a child process, as far as the socket goes: it holds the lock
// and listens, but takes no line; then it is killed, and its socket stays.
TEST_F(RunningNumra, ASocketLeftByAKilledNumraIsTakenOver)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const QByteArray lockPath = QFile::encodeName(handOverLockPath(folder()));
    const QByteArray socketPath = QFile::encodeName(handOverSocketPath(folder()));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const int lock = ::open(lockPath.constData(), O_RDWR | O_CREAT, 0600);
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, socketPath.constData(), std::size_t(socketPath.size()));
        const bool listening = ::flock(lock, LOCK_EX) == 0
            && ::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(socket, 8) == 0;
        [[maybe_unused]] auto written = ::write(ready[1], listening ? "y" : "n", 1);
        ::pause();
        ::_exit(0);
    }
    char listening = 0;
    ASSERT_EQ(::read(ready[0], &listening, 1), 1);
    ASSERT_EQ(listening, 'y');

    const HandOver front{HandOverCommand::Front, QString(), QString()};
    EXPECT_EQ(laterStart({front}, true, 300ms), SingleNumra::Role::Alone) << "a Numra that takes nothing is given up";
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_TRUE(QFile::exists(handOverSocketPath(folder()))) << "the killed Numra left its socket";

    // Were the socket waited for, this start would end alone after a minute.
    const SingleNumra next(folder(), {front}, true, 60000ms);
    EXPECT_EQ(next.role(), SingleNumra::Role::First);
    ASSERT_TRUE(server.listen(folder())) << server.errorText().toStdString();
    EXPECT_EQ(laterStart({front}, true), SingleNumra::Role::HandedOver);
    EXPECT_EQ(received, std::vector{front});
}

} // namespace
