// SPDX-License-Identifier: GPL-3.0-or-later
// The tape window beside the calculator: opening and following, what a
// double-click and the context menu do, export and print, and keeping the
// tape between runs.

#include "gui/guitest.h"
#include "support/rootrights.h"

#include "core/tapefile.h"
#include "files/datafolder.h"
#include "eval/errors.h"
#include "gui/printdialog.h"
#include "gui/tapekeeping.h"
#include "gui/tapeprinting.h"
#include "support/testfiles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

using namespace numra;
using namespace numra::testing;

namespace {

class TapeWindowTest : public ::testing::Test, public NumraFixture {
protected:
    // What the window does right after its first paint is done before the
    // test begins.
    TapeWindowTest() { processEvents(); }

    const Calculator& core() { return mainWindow.calculator(); }
    TapeWindow& tapeWindow() { return windows.tapeWindow(); }
    QTableView& view() { return *tapeWindow().rows(); }

    void press(std::initializer_list<Key> keys)
    {
        for (Key key : keys)
            mainWindow.clickKey(key);
    }
    // 12+5*2 = 22 and 7- (a subtotal), typed on the keypad.
    void calculateTwoRows()
    {
        press({Key::Digit1, Key::Digit2, Key::Plus, Key::Digit5, Key::Multiply, Key::Digit2, Key::Equals,
               Key::ClearEntry, Key::Digit7, Key::Minus, Key::Equals});
        windows.formulaWindow().hide();
    }
    void openTape()
    {
        if (!tapeWindow().isVisible())
            mainWindow.toggleTapeWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tapeWindow()));
    }
    void openContextMenuAt(QPoint at)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view().viewport()->mapToGlobal(at));
        QApplication::sendEvent(view().viewport(), &event);
    }
    QPoint cellCentre(int row, TapeColumn column)
    {
        return view().visualRect(core().tape().index(row, int(column))).center();
    }
    // The events of a double-click as the window system delivers them;
    // QTest::mouseDClick does not make the item view report one here.
    void doubleClick(int row, TapeColumn column)
    {
        QWidget* target = view().viewport();
        const QPoint at = cellCentre(row, column);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
            QApplication::sendEvent(target, &event);
        }
    }
};

TEST_F(TapeWindowTest, F4ShowsItBesideTheCalculatorAndItFollows)
{
    const QPoint besideGap(9, 0); // the frames 8 pixels apart
    mainWindow.move(20, 80);
    processEvents();
    sendKey(Qt::Key_F4);
    ASSERT_TRUE(tapeWindow().isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&tapeWindow())) << "F4 puts the keyboard into the tape";
    EXPECT_TRUE(mainWindow.menuItem(MenuItem::Tape)->isChecked());
    EXPECT_EQ(tapeWindow().frameGeometry().topLeft(), mainWindow.frameGeometry().topRight() + besideGap);

    mainWindow.move(40, 120);
    processEvents();
    EXPECT_EQ(tapeWindow().frameGeometry().topLeft(), mainWindow.frameGeometry().topRight() + besideGap);

    const QRect screen = mainWindow.screen()->availableGeometry();
    mainWindow.move(screen.right() + 1 - mainWindow.width(), 120);
    processEvents();
    EXPECT_EQ(tapeWindow().frameGeometry().topRight(), mainWindow.frameGeometry().topLeft() - besideGap)
        << "no room on the right: on the left";

    sendKey(Qt::Key_F4);
    EXPECT_FALSE(tapeWindow().isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&mainWindow)) << "and F4 there gives it back";
    mainWindow.menuItem(MenuItem::Tape)->trigger();
    EXPECT_TRUE(tapeWindow().isVisible());
    QTest::keyClick(&view(), Qt::Key_Escape);
    EXPECT_FALSE(tapeWindow().isVisible());
    EXPECT_FALSE(mainWindow.menuItem(MenuItem::Tape)->isChecked());
}

// On a 1280 x 1024 screen the tape takes the right of the centred calculator
// and the subtotal and VAT windows its left, whichever opens first.
TEST_F(TapeWindowTest, SubtotalAndVatWindowsLeaveTheTapeUncovered)
{
    const QRect screen = QGuiApplication::screens().constFirst()->availableGeometry();
    QRect centred = mainWindow.frameGeometry();
    centred.moveCenter(screen.center());
    mainWindow.move(centred.topLeft());
    processEvents();
    const QRect calculator = mainWindow.frameGeometry();

    for (const bool tapeFirst : {true, false}) {
        SCOPED_TRACE(tapeFirst ? "the tape opened first" : "the subtotal open before the tape");
        if (tapeFirst)
            openTape();
        press({Key::ClearEntry, Key::Digit5, Key::Plus, Key::Equals, Key::ClearEntry});
        ASSERT_TRUE(windows.formulaWindow().isVisible());
        if (!tapeFirst)
            openTape();
        QRect vatShown;
        ModalScript modals;
        modals.then([&](QWidget& window) {
            vatShown = window.frameGeometry();
            windows.vatWindow().closeButton()->click();
        });
        press({Key::Digit1, Key::Digit2, Key::VatFromNet});

        const QRect tape = tapeWindow().frameGeometry();
        EXPECT_GT(tape.left(), calculator.right());
        for (const auto& [name, shown] :
             {std::pair{"subtotal", windows.formulaWindow().frameGeometry()}, std::pair{"VAT", vatShown}}) {
            EXPECT_FALSE(shown.intersects(tape)) << name;
            EXPECT_LT(shown.right(), calculator.left()) << name;
            EXPECT_TRUE(screen.contains(shown)) << name;
        }
        windows.formulaWindow().hide();
        tapeWindow().hide();
    }
}

TEST_F(TapeWindowTest, ShowsTheRowsTheNewestInSightAndTheTotal)
{
    openTape();
    press({Key::Edit});
    for (int i = 1; i <= 300; ++i) {
        mainWindow.setEntryText(QString::number(i));
        press({Key::Equals});
    }
    processEvents();
    const QModelIndex newest = core().tape().index(299, 0);
    EXPECT_EQ(newest.data().toString(), QStringLiteral("300"));
    EXPECT_TRUE(view().viewport()->rect().contains(view().visualRect(newest)));
    EXPECT_EQ(tapeWindow().summary()->text(), QStringLiteral("Summe: 45.150 · 300 Posten")); // thousands points on
    EXPECT_FALSE(tapeWindow().summary()->accessibleName().isEmpty());
    EXPECT_FALSE(view().accessibleName().isEmpty());

    tapeWindow().button(TapeWindow::Button::RecallTotal)->click();
    EXPECT_EQ(mainWindow.entryField()->text(), QStringLiteral("30045150")) << "edit mode: appended";
}

TEST_F(TapeWindowTest, DoubleClickLoadsAFormulaIntoEditModeAndAppendsAResult)
{
    calculateTwoRows();
    openTape();
    doubleClick(0, TapeColumn::Formula);
    EXPECT_EQ(core().state().inputMode, InputMode::Edit);
    EXPECT_FALSE(mainWindow.entryField()->isReadOnly());
    EXPECT_EQ(mainWindow.entryField()->text(), QStringLiteral("12+5*2"));

    mainWindow.setEntryText(QStringLiteral("2*"));
    doubleClick(0, TapeColumn::Result);
    EXPECT_EQ(mainWindow.entryField()->text(), QStringLiteral("2*22"));

    view().setFocus();
    view().setCurrentIndex(core().tape().index(1, int(TapeColumn::Result)));
    QTest::keyClick(&view(), Qt::Key_Return);
    EXPECT_EQ(mainWindow.entryField()->text(), QStringLiteral("2*227,00")) << "Return does what a double-click does";
}

TEST_F(TapeWindowTest, ContextMenuCopiesAndDeletesTheRowUnderTheCursor)
{
    calculateTwoRows();
    openTape();
    openContextMenuAt(cellCentre(1, TapeColumn::Formula));
    ASSERT_TRUE(tapeWindow().contextMenu()->isVisible());
    tapeWindow().contextMenu()->hide();
    EXPECT_EQ(view().currentIndex().row(), 1);

    tapeWindow().action(TapeWindow::Action::CopyRow)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("7-\t7,00\tZwischensumme"));
    tapeWindow().action(TapeWindow::Action::CopyResult)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("7,00"));

    tapeWindow().action(TapeWindow::Action::DeleteRow)->trigger();
    ASSERT_EQ(core().tape().size(), 1);
    EXPECT_EQ(core().tape().row(0).formula, QStringLiteral("12+5*2"));
    EXPECT_EQ(tapeWindow().summary()->text(), QStringLiteral("Summe: 22 · 1 Posten"));

    openContextMenuAt(QPoint(5, view().viewport()->height() - 2)); // below the rows
    tapeWindow().contextMenu()->hide();
    EXPECT_FALSE(tapeWindow().action(TapeWindow::Action::DeleteRow)->isEnabled());
    EXPECT_TRUE(tapeWindow().action(TapeWindow::Action::ClearTape)->isEnabled());
    tapeWindow().action(TapeWindow::Action::ClearTape)->trigger();
    EXPECT_EQ(core().tape().size(), 0);
    EXPECT_EQ(tapeWindow().summary()->text(), QStringLiteral("Summe: 0 · 0 Posten"));
}

TEST_F(TapeWindowTest, ExportThroughItsDialogWritesCsvOrText)
{
    calculateTwoRows();
    QTemporaryDir folder;
    QString chosen;
    ModalScript modals;
    auto choose = [&](QWidget& window) {
        auto* dialog = qobject_cast<QFileDialog*>(&window);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(chosen);
        static_cast<QDialog*>(dialog)->accept();
    };
    chosen = folder.filePath(QStringLiteral("streifen.csv"));
    modals.then(choose);
    tapeWindow().button(TapeWindow::Button::Export)->click();
    EXPECT_EQ(contentsOf(chosen), QByteArray("\xEF\xBB\xBF" "Formel;Ergebnis;Art\r\n12+5*2;22;Ergebnis\r\n"
                                             "7-;7,00;Zwischensumme\r\n"));

    chosen = folder.filePath(QStringLiteral("streifen.txt"));
    modals.then(choose);
    tapeWindow().button(TapeWindow::Button::Export)->click();
    EXPECT_EQ(contentsOf(chosen), QByteArray("12+5*2\t22\tErgebnis\n7-\t7,00\tZwischensumme\nSumme\t22\t1 Posten\n"));
}

TEST_F(TapeWindowTest, ExportIntoAReadOnlyFolderIsReportedAndLeavesTheOldFile)
{
    calculateTwoRows();
    QTemporaryDir scratch;
    const QString folder = scratch.filePath(QStringLiteral("nur-lesen"));
    const QString path = folder + QStringLiteral("/streifen.csv");
    writeFile(path, "alt");
    QFile::setPermissions(scratch.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                              | QFile::ExeOther);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);

    ShownMessage box;
    ModalScript modals;
    modals.then(acknowledge(box));
    {
        WithoutRootRights nobody;
        tapeWindow().exportTo(path);
    }
    EXPECT_EQ(box.caption, QStringLiteral("Fehler"));
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ").arg(path)))
        << box.text.toStdString();
    EXPECT_EQ(contentsOf(path), QByteArray("alt"));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// At the end of the program the calculator window goes, with the tape window
// still open and following the tape, which goes before it (a sanitizer
// build reports any use of the tape after it has gone).
TEST(TapeWindowAtExit, GoesWithTheCalculatorWindowWhileOpen)
{
    platform::WarningBeep beep;
    auto mainWindow = std::make_unique<MainWindow>(beep, u',');
    mainWindow->show();
    mainWindow->clickKey(Key::Digit7);
    mainWindow->clickKey(Key::Equals);
    mainWindow->toggleTapeWindow();
    ASSERT_TRUE(mainWindow->secondaryWindows().tapeWindow().isVisible());
    mainWindow.reset();
}

TEST(TapePrinting, PagesCarryTheDateAndTheirNumbers)
{
    const QDate date(2026, 3, 5);
    const std::vector<TapePage> pages = tapePages(10, 5, date);
    ASSERT_EQ(pages.size(), 3u) << "the total takes a line of its own";
    EXPECT_EQ(pages[0].header, QStringLiteral("Rechenstreifen vom 05.03.2026"));
    EXPECT_EQ(pages[1].footer, QStringLiteral("Seite 2 von 3"));
    EXPECT_EQ(pages[1].firstRow, 5);
    EXPECT_EQ(pages[1].rowCount, 5);
    EXPECT_FALSE(pages[1].withSummary);
    EXPECT_EQ(pages[2].rowCount, 0);
    EXPECT_TRUE(pages[2].withSummary);

    const std::vector<TapePage> empty = tapePages(0, 0, date);
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_TRUE(empty[0].withSummary);
}

TEST_F(TapeWindowTest, PrintsToPdf)
{
    QTemporaryDir folder;
    auto pagesPrinted = [&](int rows) {
        Tape tape(u',');
        for (int i = 0; i < rows; ++i)
            tape.add({TapeRowKind::Result, QString::number(i), QString::number(i)});
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("streifen.pdf")));
        printTape(tape, printer, QDate(2026, 3, 5));
        const QByteArray pdf = contentsOf(printer.outputFileName());
        EXPECT_TRUE(pdf.startsWith("%PDF"));
        return pdf.count("/Type /Page\n");
    };
    EXPECT_EQ(pagesPrinted(3), 1);
    const qsizetype full = pagesPrinted(400);
    EXPECT_GT(full, 3) << "400 rows take several pages";
    EXPECT_LT(full, 40);
}

// "Drucken…" asks through Qt's print dialog, which comes from a module that
// is loaded on first use; cancelled, it gives no printer. A module that is
// not found is an error, for the default error box.
TEST_F(TapeWindowTest, PrintDialogComesFromItsModule)
{
    QString title;
    ModalScript modals;
    modals.then([&](QWidget& dialog) {
        title = dialog.windowTitle();
        static_cast<QDialog&>(dialog).reject();
    });
    EXPECT_EQ(askForPrinter(&tapeWindow(), QStringLiteral("Rechenstreifen drucken"), QString(),
                            QStringLiteral(NUMRA_PRINT_MODULE_FOLDER)),
              nullptr);
    EXPECT_EQ(title, QStringLiteral("Rechenstreifen drucken"));

    QTemporaryDir empty;
    EXPECT_THROW(askForPrinter(&tapeWindow(), QString(), QString(), empty.path()), Error);
}

// A formula is the user's text, never markup, also where the mouse rests on
// its cell: as rich text its <img src> would read any file.
TEST_F(TapeWindowTest, ATooltipShowsTheRowLiterally)
{
    // Markup in a comment: the formula is 1, and its row keeps the text.
    const QString formula = QStringLiteral("{<b>x</b><img src=\"/nonexistent/bild.png\">}1");
    press({Key::Edit});
    mainWindow.setEntryText(formula);
    press({Key::Equals});
    ASSERT_EQ(core().tape().size(), 1);
    openTape();
    const QPoint at = cellCentre(0, TapeColumn::Formula);
    QHelpEvent event(QEvent::ToolTip, at, view().viewport()->mapToGlobal(at));
    QApplication::sendEvent(view().viewport(), &event);

    ASSERT_TRUE(QToolTip::isVisible());
    QTextDocument shown;
    shown.setHtml(QToolTip::text()); // as the tooltip renders it
    EXPECT_EQ(shown.toPlainText(), formula) << QToolTip::text().toStdString();
    QToolTip::hideText();
}

TEST_F(TapeWindowTest, KeepTapeWritesTheFileAfterAChangeAndRemovesItWhenSwitchedOff)
{
    const QString path = keptTapeFile();
    QAction& keep = *mainWindow.menuItem(MenuItem::KeepTape);
    keep.trigger();
    ASSERT_TRUE(keep.isChecked());
    EXPECT_TRUE(Settings().keepTape());
    EXPECT_EQ(decodeTapeFile(contentsOf(path)), std::vector<TapeRow>()) << "written at once";

    calculateTwoRows();
    processEvents(800);
    ASSERT_EQ(core().tape().size(), 2);
    EXPECT_EQ(decodeTapeFile(contentsOf(path)), (std::vector<TapeRow>{core().tape().row(0), core().tape().row(1)}));

    // Switching it off asks first; "Abbrechen" keeps the file and the setting.
    ShownMessage question;
    ModalScript modals;
    modals.then([&](QWidget& box) {
        question = readMessageBox(box);
        clickButton(box, QStringLiteral("Abbrechen"));
    });
    keep.trigger();
    EXPECT_EQ(question.buttons, (QStringList{QStringLiteral("Löschen"), QStringLiteral("Abbrechen")}));
    EXPECT_TRUE(keep.isChecked());
    EXPECT_TRUE(QFile::exists(path));

    modals.then([](QWidget& box) { clickButton(box, QStringLiteral("Löschen")); });
    keep.trigger();
    EXPECT_FALSE(Settings().keepTape());
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
