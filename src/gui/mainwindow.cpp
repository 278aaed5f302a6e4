// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow.h"

#include "files/datafolder.h"
#include "gui/pictures.h"
#include "gui/placement.h"
#include "platform/numlock.h"
#include "platform/warningbeep.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace numra {

MainWindow::MainWindow(platform::WarningBeep& beep, QChar decimalSeparator)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), beep_(beep), core_(decimalSeparator)
{
    toolkitTexts_.follow(core_.state().language); // before any widget is built
    setWindowTitle(QApplication::applicationName());
    setFixedSize(mainClientSize);
    buildControls();
    connectControls();
    QApplication::instance()->installEventFilter(this); // the keyboard: every key press comes here first
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    applySettings();
}

QLineEdit* MainWindow::entryField() const
{
    return static_cast<QLineEdit*>(control(WindowControl::EntryField));
}

QCheckBox* MainWindow::roundingBox() const
{
    return static_cast<QCheckBox*>(control(WindowControl::RoundingBox));
}

void MainWindow::connectControls()
{
    for (const KeyInfo& key : keyTable())
        connect(keyButton(key.key), &QPushButton::clicked, this, [this, k = key.key] { render(core_.press(k)); });
    connect(roundingBox(), &QCheckBox::clicked, this,
            [this](bool checked) { render(core_.setRoundingChecked(checked)); });

    // What the user types in edit mode, and where the user puts the caret,
    // is the core's; the field shows it already. render() keeps the field
    // quiet while it shows the core's state, so only the user's own changes
    // arrive here. An input method can still commit text into the read-only
    // field; that is undone.
    connect(entryField(), &QLineEdit::textEdited, this, [this](const QString& text) {
        if (core_.state().display.entryReadOnly)
            render(core_.state());
        else
            core_.setEntryText(text, entryField()->cursorPosition());
    });
    connect(entryField(), &QLineEdit::cursorPositionChanged, this,
            [this](int, int position) { core_.setCaretPosition(position); });
    entryField()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(entryField(), &QWidget::customContextMenuRequested, this, &MainWindow::showEntryMenu);

    auto flat = [this](WindowControl id) { return static_cast<QAbstractButton*>(control(id)); };
    connect(flat(WindowControl::MenuButton), &QAbstractButton::clicked, this, &MainWindow::openMenu);
    connect(flat(WindowControl::HelpButton), &QAbstractButton::clicked, this, &MainWindow::showHelp);
    connect(flat(WindowControl::MinimizeButton), &QAbstractButton::clicked, this, &MainWindow::minimize);
    connect(flat(WindowControl::QuitButton), &QAbstractButton::clicked, this, &MainWindow::quitNow);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Restoring the minimized window shows it again without starting anew.
    if (!shownOnce_) {
        shownOnce_ = true;
        render(core_.start(dataFolder()));
    }
}

// The warning beep and NumLock wait for the X server's answers, the icon is
// drawn from its SVG in every size the window system is offered, and a kept
// tape is read from its file; all of it is done right after the window has
// first been painted, so the window comes up without waiting for it. The icon
// is the application's, so that every window, message box and file dialog
// carries it.
bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::Paint && !firstPaintDone_) {
        firstPaintDone_ = true;
        QTimer::singleShot(0, this, [this] {
            QApplication::setWindowIcon(applicationIcon());
            beep_.switchOff();
            platform::switchNumLockOn();
            tapeKeeping_.start();
        });
    }
    return QWidget::event(event);
}

void MainWindow::clickKey(Key key)
{
    keyButton(key)->click();
}

void MainWindow::setEntryText(const QString& text)
{
    render(core_.setEntryText(text));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (auto* widget = qobject_cast<QWidget*>(watched))
            return routeKey(*widget, *static_cast<QKeyEvent*>(event));
        break;
    case QEvent::Show:
        if (windows_.isBesideWindow(watched))
            shownLastBeside_ = static_cast<QWidget*>(watched);
        if (windows_.isTapeWindow(watched))
            syncTapeMenuItems();
        break;
    case QEvent::Hide:
    case QEvent::Move:
        if (auto* window = qobject_cast<QWidget*>(watched); window && isSecondaryWindow(*window))
            rememberFrame(*window);
        if (event->type() == QEvent::Hide && windows_.isTapeWindow(watched))
            syncTapeMenuItems();
        break;
    case QEvent::WindowStateChange:
        if (auto* window = qobject_cast<QWidget*>(watched); window && isSecondaryWindow(*window)
            && window->isMinimized())
            QTimer::singleShot(0, this, [this, minimized = QPointer<QWidget>(window)] { unminimize(minimized); });
        break;
    case QEvent::MouseButtonPress:
        // Any mouse button on the title strip or its label drags the window.
        if (watched == control(WindowControl::TitleStrip) || watched == control(WindowControl::TitleLabel)) {
            if (QWindow* handle = windowHandle())
                handle->startSystemMove();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool MainWindow::isSecondaryWindow(const QWidget& window) const
{
    return window.isWindow() && window.parentWidget() == this && window.windowType() != Qt::Popup;
}

// A window manager may offer to minimize a secondary window, and Openbox
// then minimizes the calculator with it: both come back at once. Only the
// calculator's own button minimizes the program.
void MainWindow::unminimize(QWidget* secondary)
{
    if (secondary && secondary->isMinimized()) {
        secondary->setWindowState(secondary->windowState() & ~Qt::WindowMinimized);
        if (!secondary->isVisible())
            secondary->show();
    }
    if (isMinimized())
        showNormal();
    if (secondary && secondary->isVisible())
        secondary->activateWindow();
}

void MainWindow::openMenu()
{
    popupMenu()->popup(frameGeometry().topLeft() + QPoint(10, 50));
}

void MainWindow::minimize()
{
    showMinimized();
}

void MainWindow::quitNow()
{
    QCoreApplication::quit();
}

} // namespace numra
