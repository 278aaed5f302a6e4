// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files for the tests that read and write them: whole contents, and a user
// without root's rights.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <gtest/gtest.h>
#include <unistd.h>

namespace numra::testing {

inline QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Creates the folder when it is missing.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Root writes into read-only folders; while this lives, the process acts as
// the user "nobody", for whom they are read-only too. The group keeps root's:
// a folder must grant its group what "nobody" needs.
class WithoutRootRights {
public:
    WithoutRootRights() : wasRoot_(geteuid() == 0)
    {
        if (wasRoot_) {
            EXPECT_EQ(seteuid(65534), 0);
        }
    }
    ~WithoutRootRights()
    {
        if (wasRoot_) {
            EXPECT_EQ(seteuid(0), 0);
        }
    }
    WithoutRootRights(const WithoutRootRights&) = delete;
    WithoutRootRights& operator=(const WithoutRootRights&) = delete;

private:
    bool wasRoot_;
};

} // namespace numra::testing
