// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow.h"

#include "files/datafolder.h"
#include "gui/errorguard.h"
#include "gui/keyboard.h"
#include "gui/pictures.h"
#include "platform/numlock.h"
#include "platform/warningbeep.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <QWindow>

namespace numra {

MainWindow::MainWindow(platform::WarningBeep& beep, QChar decimalSeparator)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), beep_(beep), core_(*this, decimalSeparator)
{
    toolkitTexts_.follow(core_.language()); // before any widget is built
    setWindowTitle(QApplication::applicationName());
    setFixedSize(mainClientSize);
    buildControls();
    connectControls();
    QApplication::instance()->installEventFilter(new KeyRouter(*this));
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
        connect(keyButton(key.key), &QPushButton::clicked, this, [this, k = key.key] { press(k); });
    connect(roundingBox(), &QCheckBox::clicked, this,
            [this](bool checked) { runOnCore([this, checked] { core_.setRoundingChecked(checked); }); });

    // What the user types in edit mode, and where the user puts the caret,
    // is the core's; render() keeps the field quiet while it shows the core's
    // state, so only the user's own changes arrive here. An input method can
    // still commit text into the read-only field; that is undone.
    connect(entryField(), &QLineEdit::textEdited, this, [this](const QString& text) {
        if (core_.display().entryReadOnly)
            render(core_.display());
        else
            core_.setEntryText(text, entryField()->cursorPosition());
    });
    connect(entryField(), &QLineEdit::cursorPositionChanged, this,
            [this](int, int position) { core_.setCaretPosition(position); });

    auto flat = [this](WindowControl id) { return static_cast<QAbstractButton*>(control(id)); };
    connect(flat(WindowControl::MenuButton), &QAbstractButton::clicked, this, &MainWindow::openMenu);
    connect(flat(WindowControl::HelpButton), &QAbstractButton::clicked, this, &MainWindow::showHelp);
    connect(flat(WindowControl::MinimizeButton), &QAbstractButton::clicked, this, &MainWindow::minimize);
    connect(flat(WindowControl::QuitButton), &QAbstractButton::clicked, this, &MainWindow::quitNow);
    control(WindowControl::TitleStrip)->installEventFilter(this);
    control(WindowControl::TitleLabel)->installEventFilter(this);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Restoring the minimized window shows it again without starting anew.
    if (!shownOnce_) {
        shownOnce_ = true;
        runOnCore([this] {
            core_.start(dataFolder());
            applyLanguage();
        });
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

void MainWindow::applyLanguage()
{
    for (const KeyInfo& key : keyTable())
        keyButton(key.key)->setToolTip(
            keyHint(key, core_.language(), core_.vatRates().chosen, core_.decimalSeparator()));
    toolkitTexts_.follow(core_.language());
}

void MainWindow::setLanguage(Language language)
{
    core_.setLanguage(language);
    applyLanguage();
}

void MainWindow::press(Key key)
{
    runOnCore([this, key] { core_.press(key); });
}

void MainWindow::runOnCore(const std::function<void()>& action)
{
    runGuarded(this, [this, &action] {
        try {
            action();
        } catch (...) {
            render(core_.display()); // the error box shows over the state as it was then
            throw;
        }
    });
    render(core_.display());
}

// The one place where the widgets take the core's state; nothing here
// decides anything. The field's signals are blocked meanwhile: its changes
// are the core's, not the user's.
void MainWindow::render(const Display& display)
{
    QLineEdit* field = entryField();
    const QSignalBlocker quiet(field);
    if (field->text() != display.entryText)
        field->setText(display.entryText);
    field->setReadOnly(display.entryReadOnly);
    field->deselect();
    field->setCursorPosition(display.caret);
    control(WindowControl::EditIndicator)->setVisible(display.editIndicatorVisible);
    roundingBox()->setChecked(display.roundingChecked);
}

void MainWindow::clickKey(Key key)
{
    keyButton(key)->click();
}

// Escape clicks the first of its keys in the Tab order that can be clicked:
// "M+", unless that were hidden or disabled.
void MainWindow::clickEscapeKey()
{
    const KeyInfo* first = nullptr;
    for (const KeyInfo& key : keyTable()) {
        const QPushButton* button = keyButton(key.key);
        if (key.escapeClicks && button->isVisible() && button->isEnabled()
            && (!first || key.tabOrder < first->tabOrder))
            first = &key;
    }
    if (first)
        clickKey(first->key);
}

void MainWindow::setEntryText(const QString& text)
{
    core_.setEntryText(text);
    render(core_.display());
}

void MainWindow::putCaretAtEnd()
{
    core_.setCaretPosition(int(core_.display().entryText.size()));
    render(core_.display());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (windows_.isTapeWindow(watched) && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        syncTapeMenuItems();
    // Any mouse button on the title strip or its label drags the window.
    if (event->type() == QEvent::MouseButtonPress
        && (watched == control(WindowControl::TitleStrip) || watched == control(WindowControl::TitleLabel))) {
        if (QWindow* handle = windowHandle())
            handle->startSystemMove();
        return true;
    }
    return QWidget::eventFilter(watched, event);
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

void MainWindow::saveCalculation()
{
    runOnCore([this] { calculationFiles_.save(); });
}

void MainWindow::loadCalculation()
{
    runOnCore([this] { calculationFiles_.load(); });
}

} // namespace numra
