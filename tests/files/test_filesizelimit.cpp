// SPDX-License-Identifier: GPL-3.0-or-later
// A file-size limit (ulimit -f) is a write error like a full disk: the old
// file stays and the message says why, instead of SIGXFSZ ending the program.

#include "eval/errors.h"
#include "files/wholefile.h"
#include "platform/filesizelimit.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace numra;

namespace {

// Lowers the soft limit while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit lowered = saved_;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

TEST(FileSizeLimit, AWriteBeyondItFailsWithTheMessageAndKeepsTheOldFile)
{
    platform::reportFileSizeLimitAsWriteError();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("formel.clc"));
    writeWholeFile(path, "12+5\r\n");

    try {
        const FileSizeLimit limit(4096);
        writeWholeFile(path, QByteArray(64 * 1024, '1'));
        ADD_FAILURE() << "written beyond the limit";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(path)))
            << error.what();
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("12+5\r\n"));
}

} // namespace
