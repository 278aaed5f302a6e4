// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's shortcut keys: a key combination as GNOME writes it and as
// the user reads it, GSettings' lists, and GNOME's custom shortcuts written
// through a stand-in for gsettings that keeps what it is told.

#include "platform/desktopshortcuts.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace numra::platform;

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

TEST(DesktopKey, NamesTheKeysAsGnomeAndTheUserDo)
{
    const struct {
        QKeyCombination keys;
        const char* gnome;
        const char* shown;
    } cases[] = {
        {QKeyCombination(Qt::MetaModifier, Qt::Key_NumLock), "<Super>Num_Lock", "Super+Num"},
        {QKeyCombination(Qt::MetaModifier | Qt::ShiftModifier | Qt::KeypadModifier, Qt::Key_NumLock),
         "<Super><Shift>Num_Lock", "Super+Umschalt+Num"},
        {QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_C), "<Primary><Alt>c", "Strg+Alt+C"},
        {QKeyCombination(Qt::MetaModifier | Qt::KeypadModifier, Qt::Key_5), "<Super>KP_5", "Super+5 (Ziffernblock)"},
        {QKeyCombination(Qt::MetaModifier | Qt::KeypadModifier, Qt::Key_Enter), "<Super>KP_Enter",
         "Super+Enter (Ziffernblock)"},
        {QKeyCombination(Qt::Key_F12), "F12", "F12"},
        {QKeyCombination(Qt::Key_Calculator), "XF86Calculator", "Rechner"},
    };
    for (const auto& c : cases) {
        const std::optional<DesktopKey> key = desktopKey(c.keys);
        ASSERT_TRUE(key.has_value()) << c.gnome;
        EXPECT_EQ(key->gnome, QString::fromUtf8(c.gnome));
        EXPECT_EQ(key->shown, QString::fromUtf8(c.shown));
    }
    EXPECT_FALSE(desktopKey(QKeyCombination(Qt::ShiftModifier, Qt::Key_Exclam)).has_value());
    EXPECT_FALSE(desktopKey(QKeyCombination(Qt::MetaModifier, Qt::Key_Meta)).has_value());
}

TEST(GSettingsList, IsReadAndWrittenBack)
{
    EXPECT_EQ(readStringList(u"@as []"_qs), QStringList());
    EXPECT_EQ(readStringList(u"['/a/', \"/b/\"]"_qs), (QStringList{u"/a/"_qs, u"/b/"_qs}));
    EXPECT_EQ(readStringList(u"['it\\'s', 'back\\\\slash']"_qs), (QStringList{u"it's"_qs, u"back\\slash"_qs}));
    for (const QString& bad : {u"['/a/'"_qs, u"nonsense"_qs, u"['/a/' '/b/']"_qs, u"['/a/]"_qs})
        EXPECT_EQ(readStringList(bad), std::nullopt) << bad.toStdString();
    const QStringList list{u"/a/"_qs, u"it's \\ here"_qs};
    EXPECT_EQ(readStringList(writtenStringList(list)), list);
    EXPECT_EQ(writtenStringList({}), u"[]"_qs);
}

// A stand-in for gsettings in a folder of its own: it logs every call and
// keeps the list of custom shortcuts in a file.
class FakeGSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        write(u"list"_qs, "['/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom0/']\n");
        write(u"gsettings"_qs, "#!/bin/sh\n"
                               "here=$(dirname \"$0\")\n"
                               "printf '%s|' \"$@\" >> \"$here/log\"; echo >> \"$here/log\"\n"
                               "case \"$1\" in\n"
                               "  writable) echo true ;;\n"
                               "  get) cat \"$here/list\" ;;\n"
                               "  set) [ \"$3\" = custom-keybindings ] && printf '%s\\n' \"$4\" > \"$here/list\" ;;\n"
                               "esac\n"
                               "exit 0\n");
        QFile::setPermissions(program(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    void write(const QString& name, const QByteArray& text)
    {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray read(const QString& name) const
    {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString program() const { return folder.filePath(u"gsettings"_qs); }

    QTemporaryDir folder;
};

TEST_F(FakeGSettings, SetsUpTheShortcutsBesideTheUsersOwn)
{
    const GnomeShortcuts gnome(program());
    ASSERT_TRUE(gnome.available());
    const std::vector<CustomShortcut> shortcuts{
        {u"numra-zeigen"_qs, u"Numra zeigen oder verbergen"_qs, u"numra --zeigen"_qs, u"<Super>Num_Lock"_qs},
        {u"numra-zwischenablage"_qs, u"Numra's Zwischenablage"_qs, u"numra --zwischenablage"_qs,
         u"<Super><Shift>Num_Lock"_qs}};
    EXPECT_EQ(gnome.install(shortcuts), std::nullopt);
    EXPECT_EQ(gnome.install(shortcuts), std::nullopt) << "a second time changes nothing more";

    const QString folderPath = u"/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/"_qs;
    EXPECT_EQ(readStringList(QString::fromUtf8(read(u"list"_qs))),
              (QStringList{folderPath + u"custom0/"_qs, folderPath + u"numra-zeigen/"_qs,
                           folderPath + u"numra-zwischenablage/"_qs}));
    const QByteArray log = read(u"log"_qs);
    EXPECT_TRUE(log.contains("set|org.gnome.settings-daemon.plugins.media-keys.custom-keybinding:/org/gnome/"
                             "settings-daemon/plugins/media-keys/custom-keybindings/numra-zeigen/|binding|"
                             "'<Super>Num_Lock'|"));
    EXPECT_TRUE(log.contains("|name|'Numra\\'s Zwischenablage'|")) << log.toStdString();
}

TEST_F(FakeGSettings, AFailureIsSaidAndNoGnomeIsNotOffered)
{
    write(u"gsettings"_qs, "#!/bin/sh\necho 'Schema nicht vorhanden' >&2\nexit 1\n");
    const GnomeShortcuts gnome(program());
    EXPECT_FALSE(gnome.available());
    EXPECT_EQ(gnome.install({}), u"Schema nicht vorhanden"_qs);
    EXPECT_FALSE(GnomeShortcuts(folder.filePath(u"missing"_qs)).available());
}

} // namespace
