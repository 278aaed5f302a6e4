// SPDX-License-Identifier: GPL-3.0-or-later
// The modal windows the calculator asks the user in: the formula window's
// save role and the file dialogs, and the message boxes with one caption for
// every error, the window showing the state of the key behind its box, the
// place of a formula's error marked, texts shown as they are.

#include "gui/guitest.h"

#include "eval/errors.h"
#include "gui/formulawindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace numra;
using namespace numra::testing;

namespace {

class Dialogs : public ::testing::Test, public NumraFixture {
protected:
    const Calculator& core() { return mainWindow.calculator(); }
    void press(std::initializer_list<Key> keys)
    {
        for (Key key : keys)
            mainWindow.clickKey(key);
    }
};

TEST_F(Dialogs, SaveRoleReturnsTheEditedFormulaOrNothing)
{
    FormulaWindow& formula = windows.formulaWindow();
    ModalScript modals;
    modals.then([&](QWidget&) {
        EXPECT_EQ(formula.caption()->text(), QStringLiteral("Formula"));
        formula.field()->setText(QStringLiteral("1+2+3"));
        formula.saveButton()->click();
    });
    EXPECT_EQ(formula.confirm(QStringLiteral("1+2")), QStringLiteral("1+2+3"));
    modals.then([&](QWidget&) { formula.closeButton()->click(); });
    EXPECT_EQ(formula.confirm(QStringLiteral("1+2")), QString());
    modals.then([&](QWidget& window) { window.close(); }); // the platform's close command
    EXPECT_EQ(formula.confirm(QStringLiteral("4*5")), QStringLiteral("4*5")) << "closing keeps the text";
}

TEST_F(Dialogs, SaveAndLoadThroughTheMenu)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("rechnung.clc"));
    auto chooseFile = [&](QWidget& window) {
        auto* dialog = qobject_cast<QFileDialog*>(&window);
        ASSERT_NE(dialog, nullptr) << window.objectName().toStdString();
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    };
    ModalScript modals;
    modals.then([&](QWidget&) {
        EXPECT_EQ(windows.formulaWindow().field()->text(), QStringLiteral("12+5"));
        windows.formulaWindow().saveButton()->click();
    });
    modals.then(chooseFile);
    press({Key::Digit1, Key::Digit2, Key::Plus, Key::Digit5, Key::Equals});
    press({Key::Edit});
    mainWindow.setEntryText(QStringLiteral("12+5"));
    press({Key::Equals});
    mainWindow.menuItem(MenuItem::Save)->trigger();
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), QByteArray("12+5\r\n"));

    press({Key::Edit}); // back to keypad mode; loading switches to edit mode
    modals.then(chooseFile);
    mainWindow.menuItem(MenuItem::Load)->trigger();
    EXPECT_EQ(core().state().inputMode, InputMode::Edit);
    EXPECT_FALSE(mainWindow.entryField()->isReadOnly());
    EXPECT_TRUE(mainWindow.entryField()->text().startsWith(QStringLiteral("12+5")));
}

// The buttons of a file dialog as the user reads them, without the marks of
// their shortcut keys.
QStringList fileDialogButtons(QWidget& window)
{
    QStringList texts;
    for (QDialogButtonBox* box : window.findChildren<QDialogButtonBox*>())
        for (QAbstractButton* button : box->buttons())
            texts << button->text().remove(u'&');
    return texts;
}

TEST_F(Dialogs, QtsOwnTextsAreGermanAndEnglishWithTheLanguage)
{
    QStringList german, english;
    ModalScript modals;
    modals.then([&](QWidget&) { windows.formulaWindow().saveButton()->click(); });
    modals.then([&](QWidget& dialog) {
        german = fileDialogButtons(dialog);
        clickButton(dialog, QStringLiteral("Abbrechen"));
    });
    press({Key::Digit1, Key::Plus});
    mainWindow.menuItem(MenuItem::Save)->trigger();
    EXPECT_EQ(german, (QStringList{QStringLiteral("Speichern"), QStringLiteral("Abbrechen")}));

    mainWindow.menuItem(MenuItem::English)->trigger();
    modals.then([&](QWidget& dialog) {
        english = fileDialogButtons(dialog);
        clickButton(dialog, QStringLiteral("Cancel"));
    });
    mainWindow.menuItem(MenuItem::Load)->trigger();
    EXPECT_EQ(english, (QStringList{QStringLiteral("Open"), QStringLiteral("Cancel")}));
    mainWindow.menuItem(MenuItem::German)->trigger();
}

TEST_F(Dialogs, OpenDialogTakesAnyNameAndLoadingReportsAMissingFile)
{
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("fehlt.clc"));
    ShownMessage box;
    ModalScript modals;
    modals.then([&](QWidget& window) {
        auto* dialog = qobject_cast<QFileDialog*>(&window);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(missing);
        static_cast<QDialog*>(dialog)->accept();
    });
    modals.then(acknowledge(box));
    mainWindow.menuItem(MenuItem::Load)->trigger();
    EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(missing)))
        << box.text.toStdString();
    EXPECT_EQ(core().state().inputMode, InputMode::Edit);
    EXPECT_EQ(mainWindow.entryField()->text(), QString());
}

// The formula window cannot confirm while it shows a subtotal: it shows the
// formula under "Formula" instead, and saving stops with the toolkit's error.
TEST_F(Dialogs, SavingWhileTheSubtotalIsShownReportsTheWindowError)
{
    press({Key::Digit5, Key::Plus, Key::Equals, Key::Digit7, Key::Plus});
    ASSERT_TRUE(windows.formulaWindow().isVisible());
    ShownMessage box;
    ModalScript modals;
    modals.then(acknowledge(box));
    mainWindow.menuItem(MenuItem::Save)->trigger();
    EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
    EXPECT_EQ(box.text, QStringLiteral("Sichtbares Fenster kann nicht in modales geändert werden."));
    EXPECT_EQ(windows.formulaWindow().caption()->text(), QStringLiteral("Formula"));
    EXPECT_EQ(windows.formulaWindow().field()->text(), QStringLiteral("5+7+"));

    windows.formulaWindow().closeButton()->click(); // the user closes it; saving works again
    modals.then([&](QWidget&) { windows.formulaWindow().closeButton()->click(); });
    mainWindow.menuItem(MenuItem::Save)->trigger();
}

TEST_F(Dialogs, MessageBoxesHaveGermanCaptionsAndOneOkButton)
{
    ShownMessage invalid, empty, copied;
    ModalScript modals;
    modals.then(acknowledge(invalid)).then(acknowledge(empty)).then(acknowledge(copied));
    press({Key::VatFromNet});
    press({Key::Clipboard});
    press({Key::Digit1, Key::Digit4, Key::Clipboard});
    EXPECT_EQ(invalid.caption, QStringLiteral("Fehler"));
    EXPECT_EQ(invalid.text, QStringLiteral("Ungültige Eingabe"));
    EXPECT_EQ(empty.caption, QStringLiteral("Fehler"));
    EXPECT_EQ(empty.text, QStringLiteral("Ergebnisfeld ist leer!"));
    EXPECT_EQ(empty.icon, QMessageBox::Critical);
    EXPECT_EQ(copied.caption, QStringLiteral("Informationen"));
    EXPECT_EQ(copied.text, QStringLiteral("Daten kopiert. Einfügen mit STRG+V"));
    EXPECT_EQ(copied.icon, QMessageBox::Information);
    EXPECT_EQ(copied.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("14"));
}

TEST_F(Dialogs, EvaluatorErrorsGoToTheErrorBoxAndKeepTheState)
{
    ShownMessage box;
    ModalScript modals;
    modals.then(acknowledge(box));
    press({Key::Digit1, Key::Divide, Key::Digit0, Key::Equals});
    EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
    EXPECT_EQ(box.text, QStringLiteral("Gleitkommadivision durch Null."));
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(core().state().formula, QStringLiteral("1/0")) << "the failed formula stays pending";
    EXPECT_EQ(mainWindow.entryField()->text(), QStringLiteral("0"));
}

// A message box shows over the calculator as the key has left it: the box
// the key checked, the mode it switched to, the place of the error marked.
TEST_F(Dialogs, TheWindowShowsTheStateBeforeTheBoxOfTheSameKey)
{
    struct Seen {
        bool roundingChecked = false;
        bool entryEditable = false;
        QString entry;
        QString selected;
    };
    auto seeAndAcknowledge = [this](Seen& seen) {
        return [this, &seen](QWidget& box) {
            seen = {mainWindow.roundingBox()->isChecked(), !mainWindow.entryField()->isReadOnly(),
                    mainWindow.entryField()->text(), mainWindow.entryField()->selectedText()};
            clickButton(box, QStringLiteral("OK"));
        };
    };
    Seen vat, hex, formula;
    ModalScript modals;
    modals.then(seeAndAcknowledge(vat)).then(seeAndAcknowledge(hex)).then(seeAndAcknowledge(formula));
    mainWindow.setEntryText(QStringLiteral("x"));
    press({Key::VatFromNet});
    EXPECT_TRUE(vat.roundingChecked) << "Ust+ checks the box before it refuses the entry";
    processEvents(); // the calculator window is active again

    mainWindow.setEntryText(QStringLiteral("zz"));
    press({Key::HexToInt});
    EXPECT_TRUE(hex.entryEditable) << "Hex->Int switches to edit mode before its box";
    EXPECT_EQ(hex.entry, QStringLiteral("0"));
    processEvents();

    mainWindow.setEntryText(QStringLiteral("12+*3"));
    press({Key::Equals});
    EXPECT_EQ(formula.entry, QStringLiteral("12+*3"));
    EXPECT_EQ(formula.selected, QStringLiteral("*")) << "the error's place is marked";
    EXPECT_EQ(mainWindow.entryField()->selectedText(), QStringLiteral("*"));
    press({Key::Digit4});
    EXPECT_EQ(mainWindow.entryField()->selectedText(), QString()) << "the next key leaves no selection";
    EXPECT_EQ(mainWindow.entryField()->cursorPosition(), 6);
}

// A formula is the user's text, never markup: as rich text an <img src>
// naming a FIFO would block the window for good and one naming any file
// would read it. A helper thread frees a blocked window by opening the FIFO's
// other end, so the test fails instead of hanging.
TEST_F(Dialogs, FormulaTextInAnErrorBoxIsShownLiterallyAndOpensNothing)
{
    QTemporaryDir folder;
    const QString fifo = folder.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    std::atomic<bool> answered = false;
    std::atomic<bool> blocked = false;
    std::thread unblocker([&] {
        for (int waited = 0; waited < 5000 && !answered; waited += 10)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        // Rich text reads the picture more than once: free each read.
        for (; !answered; std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
            blocked = true;
            const int end = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
            if (end >= 0)
                ::close(end);
        }
    });

    const QString formula = QStringLiteral("begin '<b>x</b><img src=\"%1\"><a href=\"http://127.0.0.1:8765/x\">y</a>' end;").arg(fifo);
    ShownMessage box;
    bool plain = false;
    bool fifoOpened = true;
    ModalScript modals;
    modals.then([&](QWidget& window) {
        answered = true;
        auto* messageBox = qobject_cast<QMessageBox*>(&window);
        plain = messageBox && messageBox->textFormat() == Qt::PlainText;
        // Nobody holds the FIFO open for reading: a writer cannot open it.
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        fifoOpened = writer >= 0;
        if (writer >= 0)
            ::close(writer);
        acknowledge(box)(window);
    });
    press({Key::Edit});
    mainWindow.setEntryText(formula);
    press({Key::Equals});
    answered = true;
    unblocker.join();

    EXPECT_FALSE(blocked) << "the error box read the FIFO";
    EXPECT_FALSE(fifoOpened);
    EXPECT_TRUE(plain);
    EXPECT_TRUE(box.text.contains(QStringLiteral("<b>x</b><img src=\""))) << box.text.toStdString();
}

TEST_F(Dialogs, LongFormulasStayWholeAndTheirErrorBoxesStayReadable)
{
    press({Key::Edit});
    const QString formula = QString(40000, u'1') + QStringLiteral("^2");
    mainWindow.setEntryText(formula);
    EXPECT_EQ(mainWindow.entryField()->text(), formula) << "the field must not cut the formula";
    QTest::keyClick(mainWindow.entryField(), Qt::Key_End);
    QTest::keyClick(mainWindow.entryField(), Qt::Key_Space);
    EXPECT_EQ(core().state().display.entryText, formula + u' ') << "typing keeps the whole formula";

    ShownMessage box;
    ModalScript modals;
    modals.then(acknowledge(box));
    press({Key::Equals}); // the number is beyond the extended range and quoted in the message
    EXPECT_LT(box.text.size(), 2000);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("'1111")));
    EXPECT_TRUE(box.text.endsWith(QStringLiteral("1111' ist kein gültiger Gleitkommawert."))) << box.text.right(60).toStdString();
}

TEST_F(Dialogs, NoExceptionCrossesTheEventLoop)
{
    class Thrower : public QObject {
    protected:
        bool event(QEvent* event) override
        {
            if (event->type() == QEvent::User)
                throw Error(QStringLiteral("Type mismatch"));
            return QObject::event(event);
        }
    } thrower;
    ShownMessage box;
    ModalScript modals;
    modals.then(acknowledge(box));
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    processEvents(100);
    EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
    EXPECT_EQ(box.text, QStringLiteral("Type mismatch."));
}

} // namespace
