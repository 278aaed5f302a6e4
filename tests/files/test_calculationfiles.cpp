// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and loading through the calculator core, with the fake user
// answering the formula window and the file dialogs.

#include "support/fakeuser.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <initializer_list>

using namespace numra;
using numra::testing::FakeUser;

namespace {

class CalculationFilesFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        user.take(calculator.start(dataFolder()));
    }

    QString dataFolder() const { return dir.path() + "/morvane/"; }
    QString path(const QString& name) const { return dir.filePath(name); }

    void press(std::initializer_list<Key> keys)
    {
        for (Key key : keys)
            user.take(calculator.press(key));
    }

    QString write(const QString& name, const QByteArray& content) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path(name);
    }

    QByteArray read(const QString& name) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return file.readAll();
    }

    // Saves with the save dialog answering the given name.
    void saveAs(const QString& name)
    {
        user.saveFileNames.push_back(path(name));
        user.take(calculator.save());
    }

    void loadFrom(const QString& file)
    {
        user.openFileNames.push_back(file);
        user.take(calculator.load());
    }

    void switchToEditModeWithEntry(const QString& text)
    {
        press({Key::Edit});
        calculator.setEntryText(text);
    }

    // The error box the last step showed.
    QString lastError() const
    {
        const std::vector<QString> errors = user.messageTexts(MessageKind::Error);
        return errors.empty() ? QStringLiteral("(no error)") : errors.back();
    }

    QTemporaryDir dir;
    Calculator calculator{u','};
    FakeUser user{calculator};
};

TEST_F(CalculationFilesFlow, SavesThePendingFormulaNotTheOperandBeingTyped)
{
    press({Key::Digit1, Key::Digit2, Key::Plus, Key::Digit5});
    saveAs("a.clc");

    EXPECT_EQ(user.confirmCandidates, std::vector<QString>{"12+"});
    EXPECT_EQ(user.lastSaveStartFolder, dataFolder());
    EXPECT_EQ(read("a.clc"), "12+\r\n");
    EXPECT_EQ(calculator.state().formula, "12+");
    EXPECT_EQ(calculator.state().display.entryText, "5");
    EXPECT_EQ(calculator.state().inputMode, InputMode::Keypad);
}

TEST_F(CalculationFilesFlow, OffersTheEntryTrimmedWhenNothingIsPending)
{
    switchToEditModeWithEntry(" 2^3\t");
    saveAs("a.clc");

    EXPECT_EQ(user.confirmCandidates, std::vector<QString>{"2^3"});
    EXPECT_EQ(read("a.clc"), "2^3\r\n");
    EXPECT_EQ(calculator.state().display.entryText, " 2^3\t");
}

TEST_F(CalculationFilesFlow, PendingFormulaIsOfferedUntrimmedAndSavedTrimmed)
{
    switchToEditModeWithEntry(" 2^3 ");
    press({Key::Equals}); // the power formula stays pending in edit mode
    ASSERT_EQ(calculator.state().formula, " 2^3 ");
    saveAs("a.clc");

    EXPECT_EQ(user.confirmCandidates, std::vector<QString>{" 2^3 "});
    EXPECT_EQ(read("a.clc"), "2^3\r\n");
}

TEST_F(CalculationFilesFlow, NothingToSaveShowsTheInformationBoxOnly)
{
    for (const QString& entry : {QString(), QStringLiteral(" \t ")}) {
        Calculator fresh(u',');
        FakeUser freshUser(fresh);
        fresh.press(Key::Edit);
        fresh.setEntryText(entry);
        freshUser.take(fresh.save());

        EXPECT_EQ(freshUser.messages,
                  (std::vector<Message>{{MessageKind::Information, fresh.text(TextId::NoCalculationMessage)}}))
            << entry.toStdString();
        EXPECT_TRUE(freshUser.confirmCandidates.empty());
        EXPECT_EQ(freshUser.saveDialogs, 0);
    }
    EXPECT_TRUE(calculator.text(TextId::NoCalculationMessage).startsWith("Keine Berechnung vorhanden!"));
}

TEST_F(CalculationFilesFlow, TheConfirmedTextDecidesWhatIsSaved)
{
    struct Case {
        const char* name;
        std::optional<QString> answer; // nullopt: "Speichern" on the offered text
        int saveDialogs;
        const char* saved;
    };
    const Case cases[] = {
        {"Speichern keeps the candidate", std::nullopt, 1, "7*6\r\n"},
        {"edited formula", QStringLiteral(" 3*4 "), 1, "3*4\r\n"},
        {"Schliessen empties the field", QString(), 0, nullptr},
        {"field emptied to blanks", QStringLiteral("  "), 0, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path("a.clc"));
        user.saveDialogs = 0;
        switchToEditModeWithEntry("7*6");
        user.confirmAnswers.push_back(c.answer);
        saveAs("a.clc");
        user.saveFileNames.clear();

        EXPECT_EQ(user.saveDialogs, c.saveDialogs);
        if (c.saved)
            EXPECT_EQ(read("a.clc"), c.saved);
        else
            EXPECT_FALSE(QFile::exists(path("a.clc")));
        press({Key::Edit});
    }
}

TEST_F(CalculationFilesFlow, CancelledSaveDialogWritesNothing)
{
    switchToEditModeWithEntry("1+1");
    user.take(calculator.save());

    EXPECT_EQ(user.saveDialogs, 1);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_FALSE(QDir(dataFolder()).exists()) << "the data folder is never created";
}

TEST_F(CalculationFilesFlow, SavingOverAnExistingFileReplacesIt)
{
    write("a.clc", "100*200*300\r\n");
    switchToEditModeWithEntry("1");
    saveAs("a.clc");

    EXPECT_EQ(read("a.clc"), "1\r\n");
}

TEST_F(CalculationFilesFlow, FileThatCannotBeCreatedIsAnErrorWithItsPath)
{
    switchToEditModeWithEntry("1");
    const QString target = path("fehlt/a.clc");
    user.saveFileNames.push_back(target);
    user.take(calculator.save());

    EXPECT_EQ(lastError(), "Datei \"" + target + "\" kann nicht erstellt werden. No such file or directory.");
}

// The formula window cannot confirm while it shows a subtotal: it shows the
// candidate under "Formula" instead, and saving stops with the toolkit's
// error.
TEST_F(CalculationFilesFlow, SavingWhileTheSubtotalWindowIsOpenFailsBeforeTheDialog)
{
    press({Key::Digit5, Key::Plus, Key::Equals, Key::Digit1, Key::Plus});
    ASSERT_TRUE(calculator.state().subtotal.open);
    user.take(calculator.save());

    EXPECT_EQ(lastError(), "Sichtbares Fenster kann nicht in modales geändert werden.");
    EXPECT_TRUE(user.confirmCandidates.empty());
    EXPECT_EQ(calculator.state().subtotal.caption, "Formula");
    EXPECT_EQ(calculator.state().subtotal.text, "5+1+") << "a subtotal leaves its formula pending";
    EXPECT_EQ(user.saveDialogs, 0);
    EXPECT_EQ(calculator.state().formula, "5+1+");
}

// Edit mode shows the pending formula in the field, which the file's text
// then replaces: nothing stays pending out of sight.
TEST_F(CalculationFilesFlow, LoadingSwitchesToEditModeAndTheFileTakesTheField)
{
    press({Key::Digit7, Key::Plus});
    loadFrom(write("a.clc", "12+5\r\n"));

    EXPECT_EQ(calculator.state().inputMode, InputMode::Edit);
    EXPECT_FALSE(calculator.state().display.entryReadOnly);
    EXPECT_TRUE(calculator.state().display.editIndicatorVisible);
    EXPECT_EQ(calculator.state().display.entryText, "12+5\r\n");
    EXPECT_EQ(calculator.state().formula, "");
}

TEST_F(CalculationFilesFlow, LoadingInEditModeReplacesTheEntryWithoutTogglingTheMode)
{
    switchToEditModeWithEntry("9");
    loadFrom(write("a.clc", "1\n2"));

    EXPECT_EQ(calculator.state().inputMode, InputMode::Edit);
    EXPECT_EQ(calculator.state().display.entryText, "1\r\n2");
}

TEST_F(CalculationFilesFlow, LoadingWithPowerPendingInEditModeSwitchesEditModeOff)
{
    switchToEditModeWithEntry("2");
    press({Key::Power});
    ASSERT_EQ(calculator.state().inputMode, InputMode::Power);
    loadFrom(write("a.clc", "3*3\r\n"));

    EXPECT_EQ(calculator.state().inputMode, InputMode::Keypad);
    EXPECT_TRUE(calculator.state().display.entryReadOnly);
    EXPECT_EQ(calculator.state().display.entryText, "3*3\r\n");
}

TEST_F(CalculationFilesFlow, CancellingTheOpenDialogLeavesEditModeOnWithTheFormulaInTheField)
{
    press({Key::Digit1, Key::Digit2, Key::Plus, Key::Digit3});
    user.take(calculator.load());

    EXPECT_EQ(user.openDialogs, 1);
    EXPECT_EQ(calculator.state().inputMode, InputMode::Edit);
    EXPECT_EQ(calculator.state().display.entryText, "12+3");
    EXPECT_EQ(calculator.lineBuffer().text(), "");
}

TEST_F(CalculationFilesFlow, FileThatCannotBeOpenedIsAnErrorAndLeavesEditModeOn)
{
    const QString missing = path("nicht-da.clc");

    loadFrom(missing);
    EXPECT_EQ(lastError(), "Datei " + missing + " kann nicht geöffnet werden. No such file or directory.");
    EXPECT_EQ(calculator.state().inputMode, InputMode::Edit);
    EXPECT_EQ(calculator.state().display.entryText, "");
}

TEST_F(CalculationFilesFlow, NextSaveUsesTheEncodingOfTheFileLoadedLast)
{
    loadFrom(write("utf8.clc", "\xEF\xBB\xBF" "1+\xC3\xA4"));
    ASSERT_EQ(calculator.state().display.entryText, u"1+ä"_qs);
    saveAs("b.clc");
    EXPECT_EQ(read("b.clc"), "\xEF\xBB\xBF" "1+\xC3\xA4\r\n");

    loadFrom(write("ansi.clc", "2+\xE4"));
    saveAs("c.clc");
    EXPECT_EQ(read("c.clc"), "2+\xE4\r\n");
}

// These need the script interpreter behind "=".
TEST_F(CalculationFilesFlow, LoadedFormulaEndingInALineBreakIsShownAsASubtotal)
{
    switchToEditModeWithEntry("12+5");
    saveAs("a.clc");
    ASSERT_EQ(read("a.clc"), "\x31\x32\x2B\x35\x0D\x0A");
    press({Key::Edit});

    loadFrom(path("a.clc"));
    press({Key::Equals});

    EXPECT_TRUE(calculator.state().lastWasSubtotal);
    EXPECT_EQ(user.subtotals, std::vector<QString>{"17,00"});
    EXPECT_EQ(calculator.state().subtotal.caption, "Zwischensumme");
    EXPECT_EQ(calculator.state().display.entryText, "12+5\r\n");
}

TEST_F(CalculationFilesFlow, LoadedSumOfAHundredThousandAmountsEvaluates)
{
    loadFrom(write("sum.clc", QByteArray("1,5") + QByteArray("+1,5").repeated(99'999)));
    press({Key::Equals});
    EXPECT_EQ(calculator.state().display.entryText, "150000");
    EXPECT_TRUE(user.messages.empty());
}

TEST_F(CalculationFilesFlow, ResultOfEqualsIsOfferedWhenTheFormulaIsDone)
{
    press({Key::Digit1, Key::Digit2, Key::Plus, Key::Digit5, Key::Equals});
    saveAs("a.clc");

    EXPECT_EQ(user.confirmCandidates, std::vector<QString>{"17"});
    EXPECT_EQ(read("a.clc"), "17\r\n");
}

TEST_F(CalculationFilesFlow, SavingWorksAgainOnceTheSubtotalWindowIsHidden)
{
    press({Key::Digit5, Key::Plus, Key::Equals, Key::Digit3});
    ASSERT_TRUE(calculator.state().subtotal.open);
    saveAs("a.clc");
    EXPECT_EQ(lastError(), "Sichtbares Fenster kann nicht in modales geändert werden.");
    EXPECT_FALSE(QFile::exists(path("a.clc")));

    user.take(calculator.closeSubtotalWindow());
    saveAs("a.clc");
    EXPECT_EQ(read("a.clc"), "5+\r\n") << "the subtotal left its formula pending";
}

} // namespace
