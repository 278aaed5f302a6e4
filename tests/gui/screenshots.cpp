// SPDX-License-Identifier: GPL-3.0-or-later
// Builds Numra's windows as the program does, drives a few keys and saves
// pictures of the windows for a person to look at (scripts/screenshots.sh).
// Not a test: it checks nothing itself.

#include "gui/application.h"
#include "gui/startup.h"
#include "gui/visualstyle.h"
#include "platform/warningbeep.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QMenu>
#include <QPushButton>
#include <QWindow>
#include <functional>

using namespace numra;

namespace {

void saveGrab(QWidget& widget, const QString& folder, const QString& name)
{
    widget.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

void saveScreen(const QString& folder, const QString& name)
{
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(folder).filePath(name + QStringLiteral(".png")));
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

} // namespace

int main(int argc, char** argv)
{
    // Pictures of a fresh start: no settings and no kept tape of the user.
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    NumraApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    applyVisualStyle(app, defaultStyleName);

    platform::WarningBeep beep;
    NumraWindows windows(beep, QChar(u','));
    MainWindow& mainWindow = windows.mainWindow;
    mainWindow.show();
    settle();
    saveGrab(mainWindow, folder, QStringLiteral("main"));

    for (Key key : {Key::Digit1, Key::Digit2, Key::Point, Key::Digit5})
        mainWindow.clickKey(key);
    onNextModal([&](QWidget& vat) {
        saveGrab(vat, folder, QStringLiteral("vat"));
        saveScreen(folder, QStringLiteral("vat-screen"));
        onNextModal([&](QWidget& chooser) {
            saveGrab(chooser, folder, QStringLiteral("chooser"));
            windows.copyChooser.cancelButton()->click();
        });
        windows.vatWindow.copyButton()->click();
    });
    mainWindow.clickKey(Key::VatFromNet);
    settle();

    for (Key key : {Key::ClearEntry, Key::Digit5, Key::Plus, Key::Digit7, Key::Multiply, Key::Equals})
        mainWindow.clickKey(key);
    settle();
    saveGrab(windows.formulaWindow, folder, QStringLiteral("subtotal"));
    saveScreen(folder, QStringLiteral("subtotal-screen"));
    windows.formulaWindow.closeButton()->click();

    // The tape beside the calculator after a few office calculations (the
    // VAT and the subtotal above are on it already).
    mainWindow.move(40, 60);
    for (Key key : {Key::ClearEntry, Key::Digit1, Key::Digit2, Key::Point, Key::Digit5, Key::Digit0, Key::Plus,
                    Key::Digit8, Key::Point, Key::Digit9, Key::Digit9, Key::Plus, Key::Digit1, Key::Digit0,
                    Key::Digit4, Key::Equals, Key::ClearEntry, Key::Digit2, Key::Digit0, Key::Digit0, Key::Plus,
                    Key::Digit1, Key::Digit0, Key::Percent, Key::Edit})
        mainWindow.clickKey(key);
    for (const char* formula : {"19,99*3", "(120+80)*0,97", "1500/12", "2^10"}) {
        mainWindow.setEntryText(QString::fromUtf8(formula));
        mainWindow.clickKey(Key::Equals);
    }
    mainWindow.clickKey(Key::Edit);
    mainWindow.toggleTapeWindow();
    settle();
    saveGrab(windows.tapeWindow, folder, QStringLiteral("tape"));
    saveScreen(folder, QStringLiteral("tape-screen"));

    onNextModal([&](QWidget& help) {
        saveGrab(help, folder, QStringLiteral("help"));
        windows.helpWindow.okButton()->click();
    });
    mainWindow.showHelp();
    onNextModal([&](QWidget& about) {
        saveGrab(about, folder, QStringLiteral("about"));
        windows.aboutWindow.okButton()->click();
    });
    mainWindow.menuItem(MenuItem::About)->trigger();

    mainWindow.clickKey(Key::Edit);
    mainWindow.popupMenu()->popup(mainWindow.frameGeometry().topLeft() + QPoint(10, 50));
    settle();
    saveScreen(folder, QStringLiteral("menu-screen"));
    return 0;
}
