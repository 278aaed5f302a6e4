// SPDX-License-Identifier: GPL-3.0-or-later
// The secondary windows and message boxes as the calculator window uses them.

#include "gui/guitest.h"

#include "gui/placement.h"
#include "gui/visualstyle.h"
#include "eval/errors.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
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

class Windows : public ::testing::Test, public NumraFixture {
protected:
    const Calculator& core() { return mainWindow.calculator(); }
    void press(std::initializer_list<Key> keys)
    {
        for (Key key : keys)
            mainWindow.clickKey(key);
    }
    // "Ust+" on 12,5 typed on the keypad as 12.5; the answers for the modal
    // windows are queued before.
    void vatOnTwelveFifty() { press({Key::Digit1, Key::Digit2, Key::Point, Key::Digit5, Key::VatFromNet}); }
    VatWindow& vat() { return windows.vatWindow(); }
};

TEST_F(Windows, VatWindowShowsTheAmountsAndCopiesTheChosenOne)
{
    QString net, tax, gross, label, copyCaption, entryMeanwhile;
    ShownMessage notice;
    ModalScript modals;
    modals.then([&](QWidget&) {
        entryMeanwhile = mainWindow.entryField()->text();
        net = vat().netField()->text();
        tax = vat().taxField()->text();
        gross = vat().grossField()->text();
        label = vat().taxLabel()->text();
        copyCaption = vat().copyButton()->text();
        vat().copyButton()->click();
    });
    modals.then([&](QWidget& chooser) {
        EXPECT_EQ(&chooser, &windows.copyChooser());
        windows.copyChooser().group()->button(int(VatField::Net))->click();
        windows.copyChooser().okButton()->click();
    });
    modals.then(acknowledge(notice));
    vatOnTwelveFifty();

    EXPECT_EQ(entryMeanwhile, QStringLiteral("14,88")) << "the calculator shows the gross amount behind the window";
    EXPECT_EQ(net, QStringLiteral("12,50"));
    EXPECT_EQ(tax, QStringLiteral("2,38"));
    EXPECT_EQ(gross, QStringLiteral("14,88"));
    EXPECT_EQ(label, QStringLiteral("Umsatzsteuer 19 %"));
    EXPECT_EQ(copyCaption, QStringLiteral("Kopieren"));
    EXPECT_EQ(notice.text, QStringLiteral("Wert kopiert: 12,50"));
    EXPECT_EQ(notice.icon, QMessageBox::NoIcon);
    EXPECT_EQ(notice.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("12,50"));
    EXPECT_EQ(core().state().memory.state, MemoryRegister::State::Text);
    EXPECT_EQ(core().state().memory.text, QStringLiteral("12,50"));
    EXPECT_FALSE(vat().isVisible());
    EXPECT_TRUE(vat().netField()->text().isEmpty() && vat().taxField()->text().isEmpty() && vat().grossField()->text().isEmpty());
    EXPECT_EQ(mainWindow.entryField()->text(), QStringLiteral("14,88"));
}

TEST_F(Windows, CancelledChooserCopiesNothingAndKeepsItsChoice)
{
    ModalScript modals;
    modals.then([&](QWidget&) { vat().copyButton()->click(); });
    modals.then([&](QWidget&) {
        windows.copyChooser().group()->button(int(VatField::Gross))->click();
        windows.copyChooser().cancelButton()->click();
    });
    vatOnTwelveFifty();
    EXPECT_FALSE(vat().isVisible());
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
    EXPECT_EQ(core().state().memory.state, MemoryRegister::State::Empty);

    int checkedAtNextShowing = -1;
    modals.then([&](QWidget&) { vat().copyButton()->click(); });
    modals.then([&](QWidget&) {
        checkedAtNextShowing = windows.copyChooser().group()->checkedId();
        windows.copyChooser().cancelButton()->click();
    });
    press({Key::ClearEntry, Key::Digit1, Key::VatFromNet});
    EXPECT_EQ(checkedAtNextShowing, int(VatField::Gross));
}

// The window shows the three amounts it is given as they are, with no
// conversion of its own.
TEST_F(Windows, VatWindowShowsTheAmountsAsGivenInEnglish)
{
    QStringList shown;
    ModalScript modals;
    modals.then([&](QWidget&) {
        shown << vat().closeButton()->text() << vat().copyButton()->text() << vat().netField()->text()
              << vat().taxField()->text() << vat().grossField()->text() << vat().taxLabel()->text();
        vat().closeButton()->click();
    });
    VatCalculation input;
    input.language = Language::English;
    input.amounts = {QStringLiteral("1234567,89"), QStringLiteral("234567,90"), QStringLiteral("abc")};
    input.taxCaption = QStringLiteral("Sales taxes");
    input.rateText = QStringLiteral("7 %");
    vat().open(input);
    EXPECT_FALSE(vat().isVisible());
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Close"), QStringLiteral("Copy"), QStringLiteral("1234567,89"),
                                  QStringLiteral("234567,90"), QStringLiteral("abc"), QStringLiteral("Sales taxes 7 %")}));
}

TEST(Placement, BesideTheCalculatorWhereTheScreenHasRoomAndAlwaysOnIt)
{
    const QRect screen(0, 0, 1280, 1024);
    const QSize window(250, 150);
    const struct {
        const char* name;
        QRect calculator;
        QRect screen;
        QPoint expected;
        QRect keepClear{}; // the tape window
    } cases[] = {
        {"room on the right", {500, 300, 266, 333}, screen, {774, 300}},
        {"at the right edge: left of it", {1014, 300, 266, 333}, screen, {756, 300}},
        {"half below the screen: moved up onto it", {500, 900, 266, 333}, screen, {774, 874}},
        {"above the screen: moved down onto it", {500, -40, 266, 333}, screen, {774, 0}},
        {"on the second of two screens", {1380, 0, 266, 333}, {1280, 0, 1280, 1024}, {1654, 0}},
        {"no room on either side: below it", {100, 0, 266, 333}, {0, 0, 500, 800}, {100, 341}},
        {"no room below either: above it", {100, 400, 266, 333}, {0, 0, 500, 800}, {100, 242}},
        {"no room anywhere: over its right side, on the screen", {100, 0, 266, 333}, {0, 0, 500, 400}, {250, 0}},
        {"the tape on the right: left of it", {500, 300, 266, 333}, screen, {242, 300}, {774, 300, 400, 333}},
        {"the tape on the right at the left edge: below it", {0, 300, 266, 333}, screen, {0, 641},
         {274, 300, 400, 333}},
        {"no place clear of the tape: over it, not over the keys", {100, 0, 266, 333}, {0, 0, 500, 800}, {100, 341},
         {100, 341, 266, 459}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(besideCalculator(c.calculator, window, c.screen, c.keepClear), c.expected) << c.name;
}

QRect keysOnScreen(const MainWindow& window)
{
    QRect keys;
    for (const KeyInfo& key : keyTable())
        keys |= QRect(window.mapToGlobal(key.geometry.topLeft()), key.geometry.size());
    return keys;
}

TEST_F(Windows, SubtotalAndVatWindowsOpenBesideTheCalculatorOnItsScreen)
{
    // The left screen is 1280 x 1024 and the calculator's; another lies right of it.
    const QRect screen = QGuiApplication::screens().constFirst()->availableGeometry();
    const QSize calculator = mainWindow.frameGeometry().size();
    const struct {
        const char* where;
        QPoint topLeft;
        bool toTheRight;
    } places[] = {
        {"centred, where it starts", mainWindow.frameGeometry().topLeft(), true},
        {"at the right edge", {screen.right() + 1 - calculator.width(), 300}, false},
        {"in the bottom left corner", {0, screen.bottom() + 1 - calculator.height()}, true},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(place.where);
        mainWindow.move(place.topLeft);
        processEvents();
        QRect vatShown;
        ModalScript modals;
        modals.then([&](QWidget& window) {
            vatShown = window.frameGeometry();
            vat().closeButton()->click();
        });
        press({Key::ClearEntry, Key::Digit5, Key::Plus, Key::Equals, Key::ClearEntry});
        vatOnTwelveFifty();
        ASSERT_TRUE(windows.formulaWindow().isVisible());
        const QRect subtotalShown = windows.formulaWindow().frameGeometry();
        windows.formulaWindow().hide();

        for (const auto& [name, shown] : {std::pair{"subtotal", subtotalShown}, std::pair{"VAT", vatShown}}) {
            EXPECT_FALSE(shown.intersects(keysOnScreen(mainWindow))) << name << " over the keys";
            EXPECT_TRUE(screen.contains(shown)) << name << " off the calculator's screen";
            EXPECT_EQ(shown.left() > mainWindow.frameGeometry().right(), place.toTheRight) << name;
        }
    }
}

// The windows the calculator opens, its menu included: built when first used.
QList<QWidget*> builtWindowsOf(MainWindow& mainWindow)
{
    QList<QWidget*> windows;
    for (QWidget* child : mainWindow.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isWindow())
            windows << child;
    return windows;
}

TEST_F(Windows, OtherWindowsAreBuiltOnFirstUseOnlyAndKept)
{
    EXPECT_TRUE(builtWindowsOf(mainWindow).isEmpty()) << "the calculator's first picture needs none of them";
    ModalScript modals;
    modals.then([&](QWidget& shown) {
        EXPECT_EQ(builtWindowsOf(mainWindow), QList<QWidget*>{&shown}) << "the VAT window, without its copy chooser";
        vat().closeButton()->click();
    });
    vatOnTwelveFifty();
    modals.then([&](QWidget& shown) {
        EXPECT_EQ(&shown, &vat()) << "the same window again";
        vat().closeButton()->click();
    });
    press({Key::VatFromNet});
    EXPECT_EQ(builtWindowsOf(mainWindow).size(), 1);
}

TEST_F(Windows, SecondaryWindowsAskForATitleBarWithNothingInIt)
{
    // The tape window is a tool window: it stays with the calculator.
    const std::pair<const QWidget*, Qt::WindowType> secondary[] = {
        {&windows.aboutWindow(), Qt::Dialog},   {&windows.vatWindow(), Qt::Dialog},   {&windows.helpWindow(), Qt::Dialog},
        {&windows.formulaWindow(), Qt::Dialog}, {&windows.copyChooser(), Qt::Dialog}, {&windows.tapeWindow(), Qt::Tool}};
    const Qt::WindowFlags buttons = Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
        | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint;
    for (const auto& [window, type] : secondary) {
        SCOPED_TRACE(window->objectName().toStdString());
        EXPECT_EQ(window->windowType(), type);
        EXPECT_TRUE(window->windowFlags().testFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint));
        EXPECT_FALSE(window->windowFlags() & buttons);
        EXPECT_TRUE(window->windowTitle().isEmpty());
    }
    press({Key::Digit5, Key::Plus, Key::Equals});
    ASSERT_NE(windows.formulaWindow().windowHandle(), nullptr);
    EXPECT_EQ(windows.formulaWindow().windowHandle()->transientParent(), mainWindow.windowHandle())
        << "the window manager is told whose window it is";
}

TEST_F(Windows, SubtotalWindowStaysOpenAndIsUpdated)
{
    FormulaWindow& formula = windows.formulaWindow();
    press({Key::Digit5, Key::Plus, Key::Equals});
    ASSERT_TRUE(formula.isVisible());
    EXPECT_FALSE(formula.isModal());
    EXPECT_EQ(formula.caption()->text(), QStringLiteral("Zwischensumme"));
    EXPECT_EQ(formula.field()->text(), QStringLiteral("5,00"));

    press({Key::Digit7, Key::Multiply, Key::Equals});
    EXPECT_TRUE(formula.isVisible());
    EXPECT_EQ(formula.field()->text(), QStringLiteral("7,00"));
    EXPECT_EQ(QApplication::focusWidget(), mainWindow.entryField()) << "the calculator keeps the keyboard";

    formula.saveButton()->click();
    EXPECT_FALSE(formula.isVisible()) << "Speichern only hides the subtotal";
    EXPECT_EQ(formula.field()->text(), QStringLiteral("7,00"));
}

TEST_F(Windows, SaveRoleReturnsTheEditedFormulaOrNothing)
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

// Runs the application's event loop until something ends it; 1 when the
// watchdog had to.
int runEventLoopAfter(const std::function<void()>& action)
{
    QTimer::singleShot(0, action);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(3000);
    return QCoreApplication::exec();
}

TEST_F(Windows, QuitButtonAndBeendenEndTheEventLoop)
{
    EXPECT_EQ(runEventLoopAfter([&] { mainWindow.menuItem(MenuItem::Quit)->trigger(); }), 0)
        << "Beenden closes the window, which ends the program";
    EXPECT_EQ(runEventLoopAfter([&] { static_cast<QAbstractButton*>(mainWindow.control(WindowControl::QuitButton))->click(); }), 0)
        << "the quit button";
    EXPECT_FALSE(mainWindow.isVisible());
    // (Beenden goes first: once exec() has been ended by quit(), Qt does not
    // quit a later exec() when its last window closes.)
}

TEST_F(Windows, SaveAndLoadThroughTheMenu)
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

TEST_F(Windows, QtsOwnTextsAreGermanAndEnglishWithTheLanguage)
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

TEST_F(Windows, OpenDialogTakesAnyNameAndLoadingReportsAMissingFile)
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
TEST_F(Windows, SavingWhileTheSubtotalIsShownReportsTheWindowError)
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
    EXPECT_EQ(windows.formulaWindow().field()->text(), QStringLiteral("7+"));

    windows.formulaWindow().closeButton()->click(); // the user closes it; saving works again
    modals.then([&](QWidget&) { windows.formulaWindow().closeButton()->click(); });
    mainWindow.menuItem(MenuItem::Save)->trigger();
}

TEST_F(Windows, MessageBoxesHaveGermanCaptionsAndOneOkButton)
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

TEST_F(Windows, EvaluatorErrorsGoToTheErrorBoxAndKeepTheState)
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
TEST_F(Windows, TheWindowShowsTheStateBeforeTheBoxOfTheSameKey)
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
TEST_F(Windows, FormulaTextInAnErrorBoxIsShownLiterallyAndOpensNothing)
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

TEST_F(Windows, LongFormulasStayWholeAndTheirErrorBoxesStayReadable)
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

TEST_F(Windows, NoExceptionCrossesTheEventLoop)
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

TEST_F(Windows, HintsAreGermanAndFollowTheLanguage)
{
    auto hint = [&](Key key) { return mainWindow.keyButton(key)->toolTip(); };
    auto controlHint = [&](WindowControl id) { return mainWindow.control(id)->toolTip(); };
    EXPECT_EQ(hint(Key::Percent), QStringLiteral("Prozent [F8]"));
    EXPECT_EQ(hint(Key::ClearEntry), QStringLiteral("Eingabe löschen [F9]"));
    EXPECT_EQ(hint(Key::Divide), QStringLiteral("Division"));
    EXPECT_EQ(hint(Key::MemoryClear), QStringLiteral("Speicher löschen"));
    EXPECT_EQ(hint(Key::VatFromNet), QStringLiteral("Umsatzsteuer 19% berechnen [F7]"));
    EXPECT_EQ(hint(Key::VatFromGross), QStringLiteral("Umsatzsteuer 19% berechnen [F6]"));
    EXPECT_EQ(controlHint(WindowControl::HelpButton), QStringLiteral("Hilfe anzeigen"));
    EXPECT_EQ(controlHint(WindowControl::MenuButton), QStringLiteral("Show about screen"));
    EXPECT_EQ(hint(Key::Clipboard), QStringLiteral("In Zwischewnablage kopieren"));
    EXPECT_EQ(hint(Key::Digit7), QString()) << "digits have no hint";

    mainWindow.menuItem(MenuItem::English)->trigger();
    EXPECT_EQ(hint(Key::Percent), QStringLiteral("Percent"));
    EXPECT_EQ(hint(Key::Equals), QStringLiteral("Calculate"));
    EXPECT_EQ(hint(Key::Divide), QStringLiteral("Division"));
    EXPECT_EQ(hint(Key::HexToInt), QStringLiteral("Edit-Mode aktivieren, um Hexzahl eizugeben. Dann umrechnen zu Integer"));
    mainWindow.menuItem(MenuItem::German)->trigger();
    EXPECT_EQ(hint(Key::Percent), QStringLiteral("Prozent [F8]"));
}

TEST_F(Windows, PopupMenuShowsItsVisibleItemsAtTheFramePlusOffset)
{
    QStringList visible;
    for (QAction* action : mainWindow.popupMenu()->actions())
        if (action->isVisible())
            visible << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(visible, (QStringList{QStringLiteral("Sprache"), QStringLiteral("-"),
                                    QStringLiteral("Berechnung speichern"), QStringLiteral("Berechnung laden"),
                                    QStringLiteral("-"), QStringLiteral("Rechenstreifen"),
                                    QStringLiteral("Rechenstreifen behalten"), QStringLiteral("-"),
                                    QStringLiteral("Umsatzsteuersatz"), QStringLiteral("Genau rechnen (dezimal)"),
                                    QStringLiteral("Immer im Vordergrund"),
                                    QStringLiteral("-"), QStringLiteral("Hilfe"), QStringLiteral("Info"),
                                    QStringLiteral("-"), QStringLiteral("Beenden")}));
    QStringList languages;
    for (QAction* action : mainWindow.menuItem(MenuItem::LanguageMenu)->menu()->actions())
        languages << action->text();
    EXPECT_EQ(languages, (QStringList{QStringLiteral("Deutsch"), QStringLiteral("Englisch")}));

    mainWindow.move(123, 77);
    static_cast<QAbstractButton*>(mainWindow.control(WindowControl::MenuButton))->click();
    ASSERT_TRUE(mainWindow.popupMenu()->isVisible());
    EXPECT_EQ(mainWindow.popupMenu()->pos(), mainWindow.frameGeometry().topLeft() + QPoint(10, 50));
    mainWindow.popupMenu()->hide();
}

TEST_F(Windows, HelpButtonAndAboutItemShowTheirTexts)
{
    QString helpText, link;
    ModalScript modals;
    modals.then([&](QWidget&) {
        helpText = windows.helpWindow().text()->text();
        windows.helpWindow().okButton()->click();
    });
    static_cast<QAbstractButton*>(mainWindow.control(WindowControl::HelpButton))->click();
    EXPECT_TRUE(helpText.startsWith(QStringLiteral("Die Bedienung entspricht im Wesentlichen")));
    EXPECT_TRUE(helpText.endsWith(QStringLiteral("erst am Schluß einer Berechnung das Endergebnis runden.")));

    modals.then([&](QWidget&) {
        helpText = windows.helpWindow().text()->text();
        windows.helpWindow().okButton()->click();
    });
    windows.helpWindow().showHelp(Language::English);
    EXPECT_EQ(helpText.split(u'\n').size(), 2);
    EXPECT_TRUE(helpText.endsWith(QStringLiteral("These formulas can be saved to reloaded it later on.")));

    modals.then([&](QWidget& about) {
        link = windows.aboutWindow().link()->text();
        QTest::keyClick(&about, Qt::Key_Return); // Return presses the default "OK"
    });
    mainWindow.menuItem(MenuItem::About)->trigger();
    EXPECT_EQ(link, QStringLiteral("numra.example.org"));
    EXPECT_FALSE(windows.aboutWindow().isVisible());
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST_F(Windows, AboutLinkOpensTheMakersAddress)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    ModalScript modals;
    modals.then([&](QWidget& about) {
        QTest::mouseClick(windows.aboutWindow().link(), Qt::LeftButton);
        EXPECT_TRUE(about.isVisible()) << "the link leaves the window open";
        windows.aboutWindow().okButton()->click();
    });
    windows.aboutWindow().showAbout(Language::English);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(QStringLiteral("http://numra.example.com"))});
}

TEST_F(Windows, MissingStyleIsReported)
{
    ShownMessage box;
    ModalScript modals;
    modals.then([&](QWidget& window) {
        box = readMessageBox(window);
        clickButton(window, QStringLiteral("Schließen"));
    });
    EXPECT_FALSE(applyVisualStyle(*qApp, QStringLiteral("Morgenrot")));
    EXPECT_EQ(box.text, QStringLiteral("Stil 'Morgenrot' nicht gefunden"));
    EXPECT_EQ(box.buttons.size(), 1);
}

} // namespace

#include "test_windows.moc"
