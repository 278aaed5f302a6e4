// SPDX-License-Identifier: GPL-3.0-or-later
// The line buffer on real files: encodings, marks, line breaks and the errors
// of reading and writing.

#include "eval/errors.h"
#include "files/calculationfile.h"
#include "files/datafolder.h"
#include "files/linebuffer.h"
#include "support/errorof.h"
#include "support/rootrights.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace numra;
using numra::testing::errorOf;
using numra::testing::WithoutRootRights;

namespace {

QByteArray bytes(std::string_view raw) { return QByteArray(raw.data(), static_cast<qsizetype>(raw.size())); }

class LineBufferFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString path(const QString& name) const { return dir_.filePath(name); }

    QString write(const QString& name, const QByteArray& content) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path(name);
    }

    static QByteArray read(const QString& file)
    {
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file.toStdString();
        return f.readAll();
    }

    // Saves one formula the way the save command does and returns the bytes.
    QByteArray save(LineBuffer& buffer, const QString& formula) const
    {
        buffer.clear();
        buffer.addLine(formula);
        buffer.saveToFile(path("saved.clc"));
        return read(path("saved.clc"));
    }


    QTemporaryDir dir_;
};

TEST_F(LineBufferFiles, FirstSaveIsAnsiWithoutMark)
{
    LineBuffer buffer;
    EXPECT_EQ(save(buffer, "12+5"), bytes("\x31\x32\x2B\x35\x0D\x0A"));
    EXPECT_EQ(save(buffer, u"5€+ä"_qs), bytes("5\x80+\xE4\r\n"));
}

struct EncodingCase {
    const char* name;
    TextEncoding encoding;
    std::string_view file;  // "1€ä" and a line break
    std::string_view saved; // "ü" saved after reading it
};

void PrintTo(const EncodingCase& c, std::ostream* os) { *os << c.name; }

class EncodingRoundTrip : public LineBufferFiles, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(EncodingRoundTrip, ReadsTextAndSavesInTheSameEncoding)
{
    const EncodingCase& c = GetParam();
    LineBuffer buffer;
    buffer.loadFromFile(write("in.clc", bytes(c.file)));
    EXPECT_EQ(buffer.text(), u"1€ä\r\n"_qs);
    EXPECT_EQ(buffer.encoding(), c.encoding);
    EXPECT_EQ(save(buffer, u"ü"_qs), bytes(c.saved));
}

INSTANTIATE_TEST_SUITE_P(Marks, EncodingRoundTrip, ::testing::Values(
    EncodingCase{"ansi", TextEncoding::Ansi, "1\x80\xE4\r\n", "\xFC\r\n"},
    EncodingCase{"utf8", TextEncoding::Utf8, "\xEF\xBB\xBF" "1\xE2\x82\xAC\xC3\xA4\r\n",
                 "\xEF\xBB\xBF\xC3\xBC\r\n"},
    EncodingCase{"utf16le", TextEncoding::Utf16LE, std::string_view("\xFF\xFE" "1\0\xAC\x20\xE4\0\r\0\n\0", 12),
                 std::string_view("\xFF\xFE\xFC\0\r\0\n\0", 8)},
    EncodingCase{"utf16be", TextEncoding::Utf16BE, std::string_view("\xFE\xFF\0" "1\x20\xAC\0\xE4\0\r\0\n", 12),
                 std::string_view("\xFE\xFF\0\xFC\0\r\0\n", 8)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LineBufferFiles, FileWithoutMarkSwitchesSavingBackToAnsi)
{
    LineBuffer buffer;
    buffer.loadFromFile(write("utf8.clc", bytes("\xEF\xBB\xBF" "1")));
    buffer.loadFromFile(write("plain.clc", bytes("2")));
    EXPECT_EQ(save(buffer, "3"), bytes("3\r\n"));
}

TEST_F(LineBufferFiles, EveryLineBreakBecomesCrLf)
{
    LineBuffer buffer;
    buffer.loadFromFile(write("mixed.clc", bytes("a\nb\rc\r\nd\n\re\r\r\nf")));
    EXPECT_EQ(buffer.text(), u"a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\nf"_qs);

    buffer.loadFromFile(write("mixed16.clc", bytes(std::string_view("\xFF\xFE" "1\0\n\0" "2\0\r\0", 10))));
    EXPECT_EQ(buffer.text(), u"1\r\n2\r\n"_qs);
}

TEST_F(LineBufferFiles, InvalidUtf8ReadsAsEmptyTextButKeepsTheEncoding)
{
    const std::string_view invalid[] = {
        "1+\xC3",             // cut-off sequence at the end
        "1\x80+2",            // lone continuation byte
        "\xC0\xB1",           // overlong "1"
        "\xED\xA0\x80",       // encoded surrogate
        "\xF4\x90\x80\x80",   // beyond U+10FFFF
    };
    for (std::string_view body : invalid) {
        LineBuffer buffer;
        buffer.loadFromFile(write("bad.clc", bytes("\xEF\xBB\xBF") + bytes(body)));
        EXPECT_EQ(buffer.text(), QString()) << ::testing::PrintToString(body);
        EXPECT_EQ(buffer.encoding(), TextEncoding::Utf8) << ::testing::PrintToString(body);
    }
}

TEST_F(LineBufferFiles, CharactersOutsideTheCodePageAreSavedAsQuestionMarks)
{
    LineBuffer buffer;
    // Greek, a Hungarian letter, a sign, a character beyond the BMP, U+0080.
    EXPECT_EQ(save(buffer, u"1Ω+ő≈😀\u0080"_qs), bytes("1?+????\r\n"));
}

TEST_F(LineBufferFiles, TheRange80To9FFollowsWindows1252BothWays)
{
    QByteArray high;
    for (int b = 0x80; b <= 0x9F; ++b)
        high += static_cast<char>(b);
    const QString expected =
        u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ"_qs;

    LineBuffer buffer;
    buffer.loadFromFile(write("high.clc", high));
    EXPECT_EQ(buffer.text(), expected);
    EXPECT_EQ(save(buffer, expected), high + "\r\n");
}

TEST_F(LineBufferFiles, MissingFileIsReportedWithPathAndReason)
{
    LineBuffer buffer;
    buffer.addLine("1");
    const QString missing = path("nicht-da.clc");
    EXPECT_EQ(errorOf([&] { buffer.loadFromFile(missing); }),
              "Datei " + missing + " kann nicht geöffnet werden. No such file or directory");
    EXPECT_EQ(buffer.text(), u"1\r\n"_qs) << "a failed load changes nothing";
}

TEST_F(LineBufferFiles, FileThatCannotBeCreatedIsReportedWithPathAndReason)
{
    LineBuffer buffer;
    buffer.addLine("1");
    const QString inMissingFolder = path("fehlt/x.clc");
    EXPECT_EQ(errorOf([&] { buffer.saveToFile(inMissingFolder); }),
              "Datei \"" + inMissingFolder + "\" kann nicht erstellt werden. No such file or directory");

    const QString belowAFile = write("datei", "x") + "/x.clc";
    EXPECT_EQ(errorOf([&] { buffer.saveToFile(belowAFile); }),
              "Datei \"" + belowAFile + "\" kann nicht erstellt werden. Not a directory");
}

TEST_F(LineBufferFiles, FilesAboveOneMebibyteAreRefusedUnread)
{
    LineBuffer buffer;
    const QByteArray largest(kMaxCalculationFileSize, '1');
    buffer.loadFromFile(write("largest.clc", largest));
    EXPECT_EQ(buffer.text().size(), kMaxCalculationFileSize);

    const QString tooLarge = write("large.clc", largest + "1");
    EXPECT_EQ(errorOf([&] { buffer.loadFromFile(tooLarge); }),
              "Datei " + tooLarge + " ist zu groß für eine Berechnung (mehr als 1 MiB).");
    EXPECT_EQ(errorOf([&] { buffer.loadFromFile("/dev/zero"); }),
              "Datei /dev/zero ist zu groß für eine Berechnung (mehr als 1 MiB).");
}

TEST_F(LineBufferFiles, SavingOverAFileReplacesIt)
{
    const QString target = write("old.clc", "1+2+3+4+5+6+7\r\n");
    LineBuffer buffer;
    buffer.addLine("9");
    buffer.saveToFile(target);
    EXPECT_EQ(read(target), "9\r\n");
}

// Lowers the largest file this process may write, the way a full disk stops a
// write halfway; root is not exempt. The signal that would end the process is
// ignored, so the write fails with EFBIG instead.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    void (*oldHandler_)(int);
};

TEST_F(LineBufferFiles, FailedWriteLeavesTheExistingFileIntact)
{
    const QByteArray old = bytes("\xEF\xBB\xBF" "1+1\r\n");
    const QString target = write("keep.clc", old);
    LineBuffer buffer;
    buffer.addLine("12345678901234567890");

    QString message;
    {
        FileSizeLimit limit(8);
        message = errorOf([&] { buffer.saveToFile(target); });
    }
    EXPECT_EQ(message, "Datei \"" + target + "\" kann nicht erstellt werden. File too large");
    EXPECT_EQ(read(target), old);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"keep.clc"}) << "no half-written file left";
}

// The new text is renamed over the old file when it is complete; when the
// renaming fails, the save is an error and the old file stays. In a folder
// whose sticky bit keeps users from replacing each other's files, nobody can
// write the new text beside root's file but cannot put it in its place.
TEST_F(LineBufferFiles, AReplacementThatCannotBePutInPlaceIsAnError)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    const QString sticky = path("sticky");
    ASSERT_TRUE(QDir().mkdir(sticky));
    ASSERT_EQ(chmod(QFile::encodeName(dir_.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(sticky).constData(), 01777), 0);
    const QString target = sticky + "/root.clc";
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("1+1\r\n");
        file.setPermissions(file.permissions() | QFileDevice::WriteOther | QFileDevice::ReadOther);
    }
    LineBuffer buffer;
    buffer.addLine("2+2");
    QString message;
    {
        WithoutRootRights nobody;
        message = errorOf([&] { buffer.saveToFile(target); });
    }
    EXPECT_TRUE(message.startsWith("Datei \"" + target + "\" kann nicht erstellt werden. ")) << message.toStdString();
    EXPECT_EQ(read(target), "1+1\r\n");
    EXPECT_EQ(QDir(sticky).entryList(QDir::Files), QStringList{"root.clc"}) << "no replacement left behind";
}

TEST(DataFolder, IsTheApplicationDataFolderWithMorvaneAndIsNotCreated)
{
    QTemporaryDir home;
    const QByteArray oldXdg = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", (home.path() + "/share/").toUtf8());
    const QString folder = dataFolder();
    if (oldXdg.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", oldXdg);

    EXPECT_EQ(folder, home.path() + "/share/morvane/");
    EXPECT_FALSE(QDir(folder).exists());
}

} // namespace
