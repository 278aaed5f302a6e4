// SPDX-License-Identifier: GPL-3.0-or-later
// What later starts of numra ask of the running window: the command line,
// the clipboard computed (quick repeats in order, also while a question is
// open), files from the file manager, show and hide; the menu items "Nur
// ein Fenster" and "Tastenkürzel einrichten …".

#include "gui/commandline.h"
#include "gui/handoverqueue.h"
#include "gui/pendinglineview.h"
#include "gui/shortcutsdialog.h"
#include "guitest.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;
using platform::HandOver;
using platform::HandOverCommand;

namespace {

TEST(CommandLine, ReadsTheOptionsAndLeavesQtItsOwn)
{
    const QString here = QDir::currentPath();
    const struct {
        QStringList arguments;
        CommandLine::Action action;
        std::vector<HandOver> handOvers;
    } cases[] = {
        {{}, CommandLine::Action::Run, {{HandOverCommand::Front, u"T"_qs, {}}}},
        {{u"--zeigen"_qs}, CommandLine::Action::Run, {{HandOverCommand::ShowOrHide, u"T"_qs, {}}}},
        {{u"-platform"_qs, u"xcb"_qs, u"--zwischenablage"_qs, u"-reverse"_qs},
         CommandLine::Action::Run,
         {{HandOverCommand::Clipboard, u"T"_qs, {}}}},
        {{u"Rechnung.clc"_qs, u"/tmp/a.rstr"_qs, u"file:///tmp/b%20c.clc"_qs},
         CommandLine::Action::Run,
         {{HandOverCommand::Open, u"T"_qs, here + u"/Rechnung.clc"_qs},
          {HandOverCommand::Open, u"T"_qs, u"/tmp/a.rstr"_qs},
          {HandOverCommand::Open, u"T"_qs, u"/tmp/b c.clc"_qs}}},
        {{u"--"_qs, u"--zeigen"_qs}, CommandLine::Action::Run, {{HandOverCommand::Open, u"T"_qs, here + u"/--zeigen"_qs}}},
        {{u"--zeigen"_qs, u"--help"_qs}, CommandLine::Action::Help, {}},
        {{u"--version"_qs}, CommandLine::Action::Version, {}},
        {{u"--zeige"_qs}, CommandLine::Action::UsageError, {}},
        {{u""_qs}, CommandLine::Action::UsageError, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CommandLine line = readCommandLine(c.arguments, u"T"_qs);
        EXPECT_EQ(line.action, c.action);
        if (c.action == CommandLine::Action::Run) {
            EXPECT_EQ(line.handOvers, c.handOvers);
        }
        EXPECT_EQ(line.error.isEmpty(), c.action != CommandLine::Action::UsageError);
    }
    EXPECT_TRUE(commandLineHelp().contains(u"--zwischenablage"_qs));
    EXPECT_TRUE(commandLineHelp().contains(u"--zeigen"_qs));
}

class HandOvers : public ::testing::Test, public NumraFixture {
protected:
    void receive(HandOverCommand command, const QString& file = QString())
    {
        queue.receive({command, QString(), file});
    }
    void waitUntilIdle()
    {
        for (int i = 0; i < 200 && !queue.idle(); ++i)
            processEvents(10);
        EXPECT_TRUE(queue.idle());
    }
    QString tapeRow(qsizetype index) const
    {
        const TapeRow& row = mainWindow.calculator().tape().row(index);
        return row.formula + u'|' + row.result + u'|' + row.note;
    }
    QString pendingLineText() const
    {
        return static_cast<PendingLineView*>(mainWindow.control(WindowControl::PendingLine))->formula()->text();
    }

    HandOverQueue queue{mainWindow};
};

TEST_F(HandOvers, QuickRepeatsOfTheClipboardAreComputedInOrder)
{
    QApplication::clipboard()->setText(u"12+5*2"_qs);
    receive(HandOverCommand::Clipboard);
    receive(HandOverCommand::Clipboard);
    waitUntilIdle();
    ASSERT_EQ(mainWindow.calculator().tape().size(), 2);
    EXPECT_EQ(tapeRow(0), u"12+5*2|22|Zwischenablage"_qs);
    EXPECT_EQ(tapeRow(1), u"22|22|Zwischenablage"_qs) << "the second read what the first put back";
    EXPECT_EQ(QApplication::clipboard()->text(), u"22"_qs);
    EXPECT_EQ(mainWindow.entryField()->text(), u"22"_qs);
    EXPECT_EQ(pendingLineText(), u"22 kopiert"_qs);
}

// The column's question runs an event loop of its own: a command that
// arrives meanwhile waits for the answer.
TEST_F(HandOvers, ACommandWaitsWhileTheColumnsQuestionIsOpen)
{
    QApplication::clipboard()->setText(u"1\n2\n3"_qs);
    ModalScript script;
    script.then([&](QWidget& box) {
        receive(HandOverCommand::Clipboard);
        processEvents(50);
        EXPECT_EQ(mainWindow.calculator().tape().size(), 0) << "the second went ahead of the answer";
        clickButton(box, u"Ja"_qs);
    });
    receive(HandOverCommand::Clipboard);
    waitUntilIdle();
    ASSERT_EQ(mainWindow.calculator().tape().size(), 4);
    EXPECT_EQ(tapeRow(2), u"3|3|Zwischenablage"_qs);
    EXPECT_EQ(tapeRow(3), u"6|6|Zwischenablage"_qs);
}

TEST_F(HandOvers, ATwoWayAmountIsRefusedAndTheClipboardStays)
{
    QApplication::clipboard()->setText(u"1,234.56"_qs);
    ShownMessage shown;
    ModalScript script;
    script.then(acknowledge(shown));
    receive(HandOverCommand::Clipboard);
    waitUntilIdle();
    EXPECT_EQ(shown.caption, u"Fehler"_qs);
    EXPECT_TRUE(shown.text.contains(u"kein eindeutiger Betrag"_qs)) << shown.text.toStdString();
    EXPECT_EQ(QApplication::clipboard()->text(), u"1,234.56"_qs);
    EXPECT_EQ(mainWindow.calculator().tape().size(), 0);
}

TEST_F(HandOvers, FilesFromTheFileManagerAreOpened)
{
    QTemporaryDir folder;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    receive(HandOverCommand::Open, write(u"miete.rstr"_qs,
                                         "Numra-Rechenstreifen-Dokument 1\nDezimaltrennzeichen\t,\n"
                                         "Art\tFormel\tErgebnis\tNotiz\tRunden\tSatz\tBezug\n"
                                         "Ergebnis\t12+3\t15\tMiete\t\t\t\n"));
    waitUntilIdle();
    ASSERT_EQ(mainWindow.calculator().tape().size(), 1);
    EXPECT_EQ(tapeRow(0), u"12+3|15|Miete"_qs);
    EXPECT_TRUE(windows.isTapeWindowVisible());

    // A tape document by its first line, whatever its name.
    receive(HandOverCommand::Open, write(u"ohne-endung"_qs,
                                         "Numra-Rechenstreifen-Dokument 1\nDezimaltrennzeichen\t,\n"
                                         "Art\tFormel\tErgebnis\tNotiz\tRunden\tSatz\tBezug\n"
                                         "Ergebnis\t2*3\t6\t\t\t\t\n"));
    waitUntilIdle();
    EXPECT_EQ(tapeRow(0), u"2*3|6|"_qs);

    receive(HandOverCommand::Open, write(u"rechnung.clc"_qs, "19,99*3\r\n"));
    waitUntilIdle();
    EXPECT_EQ(mainWindow.calculator().state().inputMode, InputMode::Edit);
    EXPECT_EQ(mainWindow.entryField()->text(), u"19,99*3\r\n"_qs);

    ShownMessage shown;
    ModalScript script;
    script.then(acknowledge(shown));
    receive(HandOverCommand::Open, folder.path());
    waitUntilIdle();
    EXPECT_TRUE(shown.text.contains(u"ist keine Datei"_qs)) << shown.text.toStdString();
}

TEST_F(HandOvers, ZeigenHidesTheActiveWindowAndBringsItBack)
{
    mainWindow.showOrHide(QString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return mainWindow.isMinimized(); }));
    mainWindow.showOrHide(QString());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !mainWindow.isMinimized() && mainWindow.isActiveWindow(); }));
}

TEST_F(HandOvers, NurEinFensterIsOnAndKept)
{
    QAction* single = mainWindow.menuItem(MenuItem::SingleWindow);
    emit mainWindow.popupMenu()->aboutToShow();
    EXPECT_TRUE(single->isChecked());
    single->trigger();
    EXPECT_FALSE(Settings().singleWindow());
    single->trigger();
    EXPECT_TRUE(Settings().singleWindow());
}

TEST_F(HandOvers, TheShortcutsDialogCopiesTheCommandsAndOffersGnomeWhereItIs)
{
    QTemporaryDir folder;
    const QString fake = folder.filePath(u"gsettings"_qs);
    {
        QFile script(fake);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n[ \"$1\" = writable ] && echo true\nexit 0\n");
    }
    QFile::setPermissions(fake, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    for (const QString& program : {fake, folder.filePath(u"missing"_qs)}) {
        const bool gnome = program == fake;
        SCOPED_TRACE(gnome ? "with GNOME" : "without");
        ShortcutsDialog dialog(&mainWindow, u"numra"_qs, platform::GnomeShortcuts(program));
        ModalScript script;
        script.then([&](QWidget&) {
            EXPECT_EQ(dialog.gnomeButton()->isVisible(), gnome);
            dialog.copyButton(1)->click();
            EXPECT_EQ(QApplication::clipboard()->text(), u"numra --zwischenablage"_qs);
            if (gnome) {
                EXPECT_EQ(dialog.keyField(1)->text(), u"Super+Umschalt+Num"_qs);
                dialog.keyField(0)->setFocus();
                QTest::keyClick(dialog.keyField(0), Qt::Key_F9, Qt::MetaModifier | Qt::ShiftModifier);
                EXPECT_EQ(dialog.keyField(0)->text(), u"Super+Umschalt+F9"_qs);
                QTest::keyClick(dialog.keyField(0), Qt::Key_Exclam, Qt::ShiftModifier);
                EXPECT_EQ(dialog.keyField(0)->text(), u"Super+Umschalt+F9"_qs) << "a key GNOME has no name for";
                EXPECT_FALSE(dialog.status()->text().isEmpty());
            }
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        dialog.openDialog();
    }
}

} // namespace
