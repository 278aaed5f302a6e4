// SPDX-License-Identifier: GPL-3.0-or-later
// Saving and loading through the calculator core, with the fake UI answering
// the formula window and the file dialogs.

#include "eval/errors.h"
#include "core/calculationfiles.h"
#include "support/fakeui.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <initializer_list>

using namespace numra;
using numra::testing::FakeUi;

namespace {

class CalculationFilesFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        calculator.start(dataFolder());
    }

    QString dataFolder() const { return dir.path() + "/morvane/"; }
    QString path(const QString& name) const { return dir.filePath(name); }

    void press(std::initializer_list<Key> keys)
    {
        for (Key key : keys)
            calculator.press(key);
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
        ui.saveFileNames.push_back(path(name));
        files.save();
    }

    void loadFrom(const QString& file)
    {
        ui.openFileNames.push_back(file);
        files.load();
    }

    void switchToEditModeWithEntry(const QString& text)
    {
        press({Key::Edit});
        calculator.setEntryText(text);
    }

    template <typename F>
    static QString errorOf(F f)
    {
        try {
            f();
        } catch (const Error& e) {
            return e.message();
        }
        ADD_FAILURE() << "no error";
        return {};
    }

    QTemporaryDir dir;
    FakeUi ui;
    Calculator calculator{ui, u','};
    CalculationFiles files{calculator, ui};
};

TEST_F(CalculationFilesFlow, SavesThePendingFormulaNotTheOperandBeingTyped)
{
    press({Key::Digit1, Key::Digit2, Key::Plus, Key::Digit5});
    saveAs("a.clc");

    EXPECT_EQ(ui.confirmCandidates, std::vector<QString>{"12+"});
    EXPECT_EQ(ui.lastSaveStartFolder, dataFolder());
    EXPECT_EQ(read("a.clc"), "12+\r\n");
    EXPECT_EQ(calculator.formula(), "12+");
    EXPECT_EQ(calculator.display().entryText, "5");
    EXPECT_EQ(calculator.inputMode(), InputMode::Keypad);
}

TEST_F(CalculationFilesFlow, OffersTheEntryTrimmedWhenNothingIsPending)
{
    switchToEditModeWithEntry(" 2^3\t");
    saveAs("a.clc");

    EXPECT_EQ(ui.confirmCandidates, std::vector<QString>{"2^3"});
    EXPECT_EQ(read("a.clc"), "2^3\r\n");
    EXPECT_EQ(calculator.display().entryText, " 2^3\t");
}

TEST_F(CalculationFilesFlow, PendingFormulaIsOfferedUntrimmedAndSavedTrimmed)
{
    switchToEditModeWithEntry(" 2^3 ");
    press({Key::Equals}); // the power formula stays pending in edit mode
    ASSERT_EQ(calculator.formula(), " 2^3 ");
    saveAs("a.clc");

    EXPECT_EQ(ui.confirmCandidates, std::vector<QString>{" 2^3 "});
    EXPECT_EQ(read("a.clc"), "2^3\r\n");
}

TEST_F(CalculationFilesFlow, NothingToSaveShowsTheInformationBoxOnly)
{
    for (const QString& entry : {QString(), QStringLiteral(" \t ")}) {
        FakeUi freshUi;
        Calculator fresh(freshUi, u',');
        CalculationFiles freshFiles(fresh, freshUi);
        fresh.press(Key::Edit);
        fresh.setEntryText(entry);
        freshFiles.save();

        EXPECT_EQ(freshUi.messages, (std::vector<numra::testing::RecordedMessage>{
                                        {MessageKind::Information, fresh.text(TextId::NoCalculationMessage)}}))
            << entry.toStdString();
        EXPECT_TRUE(freshUi.confirmCandidates.empty());
        EXPECT_EQ(freshUi.saveDialogs, 0);
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
        ui.saveDialogs = 0;
        switchToEditModeWithEntry("7*6");
        ui.confirmAnswers.push_back(c.answer);
        saveAs("a.clc");
        ui.saveFileNames.clear();

        EXPECT_EQ(ui.saveDialogs, c.saveDialogs);
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
    files.save();

    EXPECT_EQ(ui.saveDialogs, 1);
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
    ui.saveFileNames.push_back(target);

    EXPECT_EQ(errorOf([&] { files.save(); }),
              "Datei \"" + target + "\" kann nicht erstellt werden. No such file or directory");
}

TEST_F(CalculationFilesFlow, SavingWhileTheSubtotalWindowIsOpenFailsBeforeTheDialog)
{
    ui.subtotalVisible = true;
    press({Key::Digit1, Key::Plus});

    EXPECT_EQ(errorOf([&] { files.save(); }), "Sichtbares Fenster kann nicht in modales geändert werden");
    EXPECT_EQ(ui.confirmCandidates, std::vector<QString>{"1+"});
    EXPECT_EQ(ui.subtotalLabel, "Formula");
    EXPECT_EQ(ui.saveDialogs, 0);
    EXPECT_EQ(calculator.formula(), "1+");
}

TEST_F(CalculationFilesFlow, LoadingSwitchesToEditModeAndKeepsThePendingFormula)
{
    press({Key::Digit7, Key::Plus});
    loadFrom(write("a.clc", "12+5\r\n"));

    EXPECT_EQ(calculator.inputMode(), InputMode::Edit);
    EXPECT_FALSE(calculator.display().entryReadOnly);
    EXPECT_TRUE(calculator.display().editIndicatorVisible);
    EXPECT_EQ(calculator.display().entryText, "12+5\r\n");
    EXPECT_EQ(calculator.formula(), "7+");
}

TEST_F(CalculationFilesFlow, LoadingInEditModeReplacesTheEntryWithoutTogglingTheMode)
{
    switchToEditModeWithEntry("9");
    loadFrom(write("a.clc", "1\n2"));

    EXPECT_EQ(calculator.inputMode(), InputMode::Edit);
    EXPECT_EQ(calculator.display().entryText, "1\r\n2");
}

TEST_F(CalculationFilesFlow, LoadingWithPowerPendingInEditModeSwitchesEditModeOff)
{
    switchToEditModeWithEntry("2");
    press({Key::Power});
    ASSERT_EQ(calculator.inputMode(), InputMode::Power);
    loadFrom(write("a.clc", "3*3\r\n"));

    EXPECT_EQ(calculator.inputMode(), InputMode::Keypad);
    EXPECT_TRUE(calculator.display().entryReadOnly);
    EXPECT_EQ(calculator.display().entryText, "3*3\r\n");
}

TEST_F(CalculationFilesFlow, CancellingTheOpenDialogLeavesEditModeOnWithAnEmptyEntry)
{
    press({Key::Digit1, Key::Digit2});
    files.load();

    EXPECT_EQ(ui.openDialogs, 1);
    EXPECT_EQ(calculator.inputMode(), InputMode::Edit);
    EXPECT_EQ(calculator.display().entryText, "");
    EXPECT_EQ(files.lineBuffer().text(), "");
}

TEST_F(CalculationFilesFlow, FileThatCannotBeOpenedIsAnErrorAndLeavesEditModeOn)
{
    const QString missing = path("nicht-da.clc");

    EXPECT_EQ(errorOf([&] { loadFrom(missing); }),
              "Datei " + missing + " kann nicht geöffnet werden. No such file or directory");
    EXPECT_EQ(calculator.inputMode(), InputMode::Edit);
    EXPECT_EQ(calculator.display().entryText, "");
}

TEST_F(CalculationFilesFlow, NextSaveUsesTheEncodingOfTheFileLoadedLast)
{
    loadFrom(write("utf8.clc", "\xEF\xBB\xBF" "1+\xC3\xA4"));
    ASSERT_EQ(calculator.display().entryText, u"1+ä"_qs);
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

    EXPECT_TRUE(calculator.subtotalShown());
    EXPECT_EQ(ui.subtotals, std::vector<QString>{"17,00"});
    EXPECT_EQ(ui.subtotalLabel, "Zwischensumme");
    EXPECT_EQ(calculator.display().entryText, "12+5\r\n");
}

TEST_F(CalculationFilesFlow, LoadedSumOfAHundredThousandAmountsEvaluates)
{
    loadFrom(write("sum.clc", QByteArray("1,5") + QByteArray("+1,5").repeated(99'999)));
    press({Key::Equals});
    EXPECT_EQ(calculator.display().entryText, "150000");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CalculationFilesFlow, ResultOfEqualsIsOfferedWhenTheFormulaIsDone)
{
    press({Key::Digit1, Key::Digit2, Key::Plus, Key::Digit5, Key::Equals});
    saveAs("a.clc");

    EXPECT_EQ(ui.confirmCandidates, std::vector<QString>{"17"});
    EXPECT_EQ(read("a.clc"), "17\r\n");
}

TEST_F(CalculationFilesFlow, SavingWorksAgainOnceTheSubtotalWindowIsHidden)
{
    press({Key::Digit5, Key::Plus, Key::Equals, Key::Digit3});
    ASSERT_TRUE(ui.subtotalVisible);
    EXPECT_EQ(errorOf([&] { saveAs("a.clc"); }), "Sichtbares Fenster kann nicht in modales geändert werden");
    EXPECT_FALSE(QFile::exists(path("a.clc")));

    ui.subtotalVisible = false;
    saveAs("a.clc");
    EXPECT_EQ(read("a.clc"), "3\r\n");
}

} // namespace
