// SPDX-License-Identifier: GPL-3.0-or-later
// Builds Numra's windows as the program does, drives a few keys and saves
// pictures of the windows for a person to look at (scripts/screenshots.sh):
// each window on its own, and the screen around the calculator where the
// window manager's frames and the placement beside the calculator show, also
// with the tape window open.
// Not a test: it checks nothing itself.

#include "gui/application.h"
#include "gui/copychooser.h"
#include "gui/formulawindow.h"
#include "gui/mainwindow.h"
#include "gui/ownratedialog.h"
#include "gui/tapeprinting.h"
#include "gui/tapewindow.h"
#include "gui/vatwindow.h"
#include "gui/visualstyle.h"
#include "platform/warningbeep.h"
#include "platform/x11display.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QTableView>
#include <QPdfWriter>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

#include <X11/Xlib.h>

using namespace numra;

namespace {

QString folder;

void saveGrab(QWidget& widget, const QString& name)
{
    widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

void saveScreen(const QString& name)
{
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// A grey desktop, against which a window without an edge would vanish.
void paintDesktopGrey()
{
    ::Display* display = platform::x11Display();
    if (!display)
        return;
    const ::Window root = DefaultRootWindow(display);
    XSetWindowBackground(display, root, 0x808080);
    XClearWindow(display, root);
    XFlush(display);
}

// Runs `action` on the next modal window as soon as it is showing.
void onNextModal(std::function<void(QWidget&)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        QTimer::singleShot(300, modal, [modal, action] { action(*modal); });
    });
    timer->start();
}

void settle(int ms = 300)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void press(MainWindow& window, std::initializer_list<Key> keys)
{
    for (Key key : keys)
        window.clickKey(key);
}

// "Ust+" on 12,5: the VAT window, its screen and the copy chooser.
void pictureVatWindow(MainWindow& mainWindow, const QString& name)
{
    SecondaryWindows& windows = mainWindow.secondaryWindows();
    press(mainWindow, {Key::ClearEntry, Key::Digit1, Key::Digit2, Key::Point, Key::Digit5});
    onNextModal([&windows, name](QWidget& vat) {
        saveGrab(vat, name);
        saveScreen(name + QStringLiteral("-screen"));
        onNextModal([&windows](QWidget& chooser) {
            saveGrab(chooser, QStringLiteral("chooser"));
            windows.copyChooser().cancelButton()->click();
        });
        windows.vatWindow().copyButton()->click();
    });
    mainWindow.clickKey(Key::VatFromNet);
    settle();
}

// The VAT window with its rate box open.
void pictureRateList(MainWindow& mainWindow)
{
    SecondaryWindows& windows = mainWindow.secondaryWindows();
    press(mainWindow, {Key::ClearEntry, Key::Digit1, Key::Digit0, Key::Digit0});
    onNextModal([&windows](QWidget&) {
        QComboBox* rates = windows.vatWindow().rateBox();
        rates->showPopup();
        settle();
        saveScreen(QStringLiteral("vat-rates-open-screen"));
        const QRect list = rates->view()->window()->frameGeometry();
        std::fprintf(stderr, "rate list %d,%d %dx%d\n", list.x(), list.y(), list.width(), list.height());
        rates->hidePopup();
        windows.vatWindow().closeButton()->click();
    });
    mainWindow.clickKey(Key::VatFromNet);
    settle();
}

// A few office calculations on the tape (the VAT amounts and the subtotal of
// the pictures before are on it already), and the tape window beside the
// calculator.
void pictureTapeWindow(MainWindow& mainWindow)
{
    SecondaryWindows& windows = mainWindow.secondaryWindows();
    press(mainWindow, {Key::ClearEntry, Key::Digit1, Key::Digit2, Key::Point, Key::Digit5, Key::Digit0, Key::Plus,
                       Key::Digit8, Key::Point, Key::Digit9, Key::Digit9, Key::Plus, Key::Digit1, Key::Digit0,
                       Key::Digit4, Key::Equals, Key::ClearEntry, Key::Digit2, Key::Digit0, Key::Digit0, Key::Plus,
                       Key::Digit1, Key::Digit0, Key::Percent, Key::Edit});
    for (const char* formula : {"19,99*3", "(120+80)*0,97", "1500/12", "2^10"}) {
        mainWindow.setEntryText(QString::fromUtf8(formula));
        mainWindow.clickKey(Key::Equals);
    }
    mainWindow.clickKey(Key::Edit);
    mainWindow.toggleTapeWindow();
    settle();
    saveGrab(windows.tapeWindow(), QStringLiteral("tape"));
    saveScreen(QStringLiteral("tape-screen"));
}

// A cell of the tape edited as the user does: the editor opened, a text,
// Return.
void editTapeCell(TapeWindow& tape, qsizetype row, bool note, const QString& text)
{
    tape.editCell(row, note);
    settle(50);
    auto* editor = tape.rows()->viewport()->findChild<QLineEdit*>();
    if (!editor)
        return;
    editor->setText(text);
    // What Return in the editor does (Xlib.h here takes the name of the key event).
    QAbstractItemDelegate* delegate = tape.rows()->itemDelegate();
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::SubmitModelCache);
    settle(50);
}

// The tape as a worksheet: notes, a row corrected (the rows after it follow),
// a row with an error selected, so that the status line names it, and then
// another row; and the tape printed to PDF.
void pictureWorksheet(MainWindow& mainWindow)
{
    TapeWindow& tape = mainWindow.secondaryWindows().tapeWindow();
    const Tape& rows = mainWindow.calculator().tape();
    const qsizetype last = rows.size() - 1;
    editTapeCell(tape, 0, true, QStringLiteral("Rechnung 2026-117"));
    editTapeCell(tape, 1, true, QStringLiteral("Miete"));
    editTapeCell(tape, last - 3, false, QStringLiteral("19,99*4"));
    editTapeCell(tape, last - 3, true, QStringLiteral("korrigiert: 4 Stück"));
    editTapeCell(tape, last - 1, false, QStringLiteral("1500/0"));
    tape.showRow(last - 1);
    settle();
    saveGrab(tape, QStringLiteral("tape-worksheet"));
    saveScreen(QStringLiteral("tape-worksheet-screen"));
    tape.showRow(0); // the error row in its own colours
    settle();
    saveGrab(tape, QStringLiteral("tape-worksheet-error-row"));
    QPdfWriter pdf(QDir(folder).filePath(tapePdfName(QDate::currentDate())));
    printTape(rows, pdf, QDate::currentDate());
}

// In each corner of the screen: the tape and subtotal windows, and the VAT
// window, beside the calculator.
void pictureCorners(MainWindow& mainWindow)
{
    SecondaryWindows& windows = mainWindow.secondaryWindows();
    if (!windows.isTapeWindowVisible())
        mainWindow.toggleTapeWindow();
    if (mainWindow.calculator().state().inputMode == InputMode::Edit)
        mainWindow.clickKey(Key::Edit);
    press(mainWindow, {Key::ClearEntry, Key::Digit5, Key::Plus, Key::Equals});
    const QRect area = mainWindow.screen()->availableGeometry();
    const QSize size = mainWindow.frameGeometry().size();
    const struct {
        const char* name;
        QPoint at;
    } corners[] = {
        {"top-left", area.topLeft()},
        {"top-right", QPoint(area.right() + 1 - size.width(), area.top())},
        {"bottom-left", QPoint(area.left(), area.bottom() + 1 - size.height())},
        {"bottom-right", area.bottomRight() + QPoint(1, 1) - QPoint(size.width(), size.height())},
    };
    for (const auto& corner : corners) {
        mainWindow.move(corner.at);
        settle();
        const QString name = QStringLiteral("corner-%1-screen").arg(QString::fromUtf8(corner.name));
        press(mainWindow, {Key::Digit1, Key::Digit0, Key::Digit0});
        onNextModal([&windows, name](QWidget&) {
            saveScreen(name);
            windows.vatWindow().closeButton()->click();
        });
        mainWindow.clickKey(Key::VatFromNet);
        settle();
    }
    windows.formulaWindow().closeButton()->click();
    mainWindow.toggleTapeWindow();
}

// The open menu with its rate submenu beside it.
void pictureRateMenu(MainWindow& mainWindow)
{
    QMenu* menu = mainWindow.popupMenu();
    QAction* rates = mainWindow.menuItem(MenuItem::VatRateMenu);
    menu->setActiveAction(rates);
    rates->menu()->popup(menu->mapToGlobal(menu->actionGeometry(rates).topRight()));
    settle();
    saveScreen(QStringLiteral("menu-rates-screen"));
    rates->menu()->hide();
}

// A rate of the menu's rate submenu, as the user chooses it.
void chooseRate(MainWindow& mainWindow, const QString& caption)
{
    QMenu* rates = mainWindow.menuItem(MenuItem::VatRateMenu)->menu();
    emit mainWindow.popupMenu()->aboutToShow(); // the items show the rates as the menu opens
    for (QAction* item : rates->actions())
        if (item->isVisible() && QString(item->text()).remove(u'&') == caption)
            item->trigger();
    settle();
}

void pictureModal(const QString& name, const std::function<void()>& open)
{
    onNextModal([name](QWidget& window) {
        saveGrab(window, name);
        static_cast<QDialog&>(window).reject();
    });
    open();
    settle();
}

} // namespace

int main(int argc, char** argv)
{
    // Pictures of a fresh start: no settings and no kept tape of the user.
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    NumraApplication app(argc, argv);
    folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    applyVisualStyle(app, defaultStyleName);
    paintDesktopGrey();

    platform::WarningBeep beep;
    MainWindow mainWindow(beep, QChar(u','));
    SecondaryWindows& windows = mainWindow.secondaryWindows();
    mainWindow.show();
    settle();
    saveGrab(mainWindow, QStringLiteral("main"));
    saveScreen(QStringLiteral("main-screen"));

    // "Genau rechnen (dezimal)" on, with a balance that comes out exactly.
    mainWindow.menuItem(MenuItem::ExactArithmetic)->trigger();
    mainWindow.clickKey(Key::Edit);
    mainWindow.setEntryText(QStringLiteral("86251,76-86250,82"));
    mainWindow.clickKey(Key::Equals);
    settle();
    saveGrab(mainWindow, QStringLiteral("main-exact"));
    mainWindow.menuItem(MenuItem::ExactArithmetic)->trigger();
    mainWindow.clickKey(Key::Edit);

    pictureVatWindow(mainWindow, QStringLiteral("vat"));
    pictureRateList(mainWindow);

    press(mainWindow, {Key::ClearEntry, Key::Digit5, Key::Plus, Key::Digit7, Key::Multiply, Key::Equals});
    settle();
    saveGrab(windows.formulaWindow(), QStringLiteral("subtotal"));
    saveScreen(QStringLiteral("subtotal-screen"));
    windows.formulaWindow().closeButton()->click();

    pictureModal(QStringLiteral("help"), [&] { mainWindow.showHelp(); });
    pictureModal(QStringLiteral("about"), [&] { mainWindow.menuItem(MenuItem::About)->trigger(); });
    pictureModal(QStringLiteral("message"), [&] { press(mainWindow, {Key::ClearEntry, Key::VatFromNet}); });
    // The save dialog comes once the formula window has confirmed "12+".
    press(mainWindow, {Key::ClearEntry, Key::Digit1, Key::Digit2, Key::Plus});
    onNextModal([&windows](QWidget&) {
        onNextModal([](QWidget& dialog) {
            saveGrab(dialog, QStringLiteral("save-dialog"));
            static_cast<QDialog&>(dialog).reject();
        });
        windows.formulaWindow().saveButton()->click();
    });
    mainWindow.menuItem(MenuItem::Save)->trigger();
    settle();
    pictureModal(QStringLiteral("open-dialog"), [&] { mainWindow.menuItem(MenuItem::Load)->trigger(); });
    mainWindow.clickKey(Key::Edit); // loading switched to edit mode

    // At the right edge of the screen the VAT window goes left of the calculator.
    const QRect screen = mainWindow.screen()->availableGeometry();
    mainWindow.move(screen.right() + 1 - mainWindow.frameGeometry().width(), mainWindow.y());
    settle();
    pictureVatWindow(mainWindow, QStringLiteral("vat-right-edge"));

    // With the tape right of the calculator, the VAT window goes elsewhere.
    mainWindow.move(40, 60);
    pictureTapeWindow(mainWindow);
    pictureWorksheet(mainWindow);
    pictureVatWindow(mainWindow, QStringLiteral("vat-beside-tape"));

    mainWindow.clickKey(Key::Edit);
    mainWindow.popupMenu()->popup(mainWindow.frameGeometry().topLeft() + QPoint(10, 50));
    settle();
    saveScreen(QStringLiteral("menu-screen"));
    pictureRateMenu(mainWindow);
    mainWindow.popupMenu()->hide();

    // At 7 %, and with an own rate on offer.
    chooseRate(mainWindow, QStringLiteral("7 %"));
    onNextModal([](QWidget& dialog) {
        static_cast<OwnRateDialog&>(dialog).field()->setText(QStringLiteral("16,5"));
        static_cast<OwnRateDialog&>(dialog).okButton()->click();
    });
    chooseRate(mainWindow, QStringLiteral("Eigener Satz …"));
    chooseRate(mainWindow, QStringLiteral("7 %"));
    mainWindow.toggleTapeWindow();
    pictureVatWindow(mainWindow, QStringLiteral("vat-7"));
    pictureCorners(mainWindow);

    // "Hoher Kontrast": the calculator with the keyboard on a key, its tape
    // and VAT window, help and a message.
    mainWindow.move(40, 60);
    mainWindow.menuItem(MenuItem::HighContrast)->trigger();
    mainWindow.keyButton(Key::Digit5)->setFocus(Qt::TabFocusReason);
    mainWindow.toggleTapeWindow();
    settle();
    saveGrab(mainWindow, QStringLiteral("contrast-main"));
    saveScreen(QStringLiteral("contrast-screen"));
    pictureVatWindow(mainWindow, QStringLiteral("contrast-vat"));
    pictureModal(QStringLiteral("contrast-help"), [&] { mainWindow.showHelp(); });
    pictureModal(QStringLiteral("contrast-message"), [&] { press(mainWindow, {Key::ClearEntry, Key::VatFromNet}); });
    mainWindow.menuItem(MenuItem::HighContrast)->trigger();

    // Zoomed, where the screen has room: the calculator, its tape and VAT
    // window, the menu.
    for (int percent : {200, 300}) {
        mainWindow.move(10, 10);
        mainWindow.setZoom(percent);
        if (mainWindow.zoom() != percent)
            continue;
        const QString name = QStringLiteral("zoom-%1").arg(percent);
        settle();
        saveGrab(mainWindow, name);
        pictureVatWindow(mainWindow, name + QStringLiteral("-vat"));
        mainWindow.popupMenu()->popup(mainWindow.frameGeometry().topLeft() + QPoint(10, 50));
        settle();
        saveScreen(name + QStringLiteral("-menu-screen"));
        mainWindow.popupMenu()->hide();
    }
    mainWindow.setZoom(100);
    return 0;
}
