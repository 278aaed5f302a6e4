// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/mainwindow.h"

#include "gui/errorguard.h"
#include "gui/keyboard.h"
#include "core/languagetable.h"
#include "gui/pictures.h"
#include "files/datafolder.h"
#include "files/filedialogs.h"
#include "platform/numlock.h"
#include "platform/warningbeep.h"
#include "gui/vatwindow.h"
#include "gui/aboutwindow.h"
#include "gui/formulawindow.h"
#include "gui/helpwindow.h"
#include "gui/messagebox.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <QWindow>

namespace numra {

namespace {

// When a modal window closes, the calculator window takes the keyboard back
// (not every window manager hands it back by itself).
class ActiveAgainAfterwards {
public:
    explicit ActiveAgainAfterwards(QWidget& window) : window_(window) {}
    ~ActiveAgainAfterwards() { window_.activateWindow(); }
    ActiveAgainAfterwards(const ActiveAgainAfterwards&) = delete;
    ActiveAgainAfterwards& operator=(const ActiveAgainAfterwards&) = delete;

private:
    QWidget& window_;
};

} // namespace

MainWindow::MainWindow(platform::WarningBeep& beep, QChar decimalSeparator)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), beep_(beep), core_(*this, decimalSeparator)
{
    setObjectName(QStringLiteral("FormRech"));
    setWindowTitle(QApplication::applicationName());
    setFixedSize(mainClientSize);
    buildControls();
    connectControls();
    buildMenu();
    QApplication::instance()->installEventFilter(new KeyRouter(*this));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void MainWindow::attach(const SecondaryWindows& windows)
{
    windows_ = windows;
    windows_.vatWindow->setChooser(windows_.copyChooser);
}

QPushButton* MainWindow::keyButton(Key key) const
{
    return keyButtons_[static_cast<size_t>(key)];
}

QLineEdit* MainWindow::entry() const
{
    return static_cast<QLineEdit*>(control(Control::Edit1));
}

QAction* MainWindow::menuItem(const char* name) const
{
    return menu_->findChild<QAction*>(QLatin1StringView(name));
}

void MainWindow::connectControls()
{
    for (const KeyInfo& info : keyTable()) {
        auto* button = findChild<QPushButton*>(QLatin1StringView(info.control));
        keyButtons_[static_cast<size_t>(info.key)] = button;
        connect(button, &QPushButton::clicked, this, [this, key = info.key] { press(key); });
    }
    connect(static_cast<QCheckBox*>(control(Control::CheckBoxRunden)), &QCheckBox::clicked, this,
            [this](bool checked) { runOnCore([this, checked] { core_.setRoundingChecked(checked); }); });

    // What the user types in edit mode, and where the user puts the caret,
    // is the core's; render() keeps the field quiet while it shows the core's
    // state, so only the user's own changes arrive here. An input method can
    // still commit text into the read-only field; that is undone.
    connect(entry(), &QLineEdit::textEdited, this, [this](const QString& text) {
        if (core_.display().entryReadOnly)
            render(core_.display());
        else
            core_.setEntryText(text, entry()->cursorPosition());
    });
    connect(entry(), &QLineEdit::cursorPositionChanged, this,
            [this](int, int position) { core_.setCaretPosition(position); });

    auto flat = [this](Control id) { return static_cast<QAbstractButton*>(control(id)); };
    connect(flat(Control::ButtonMenu), &QAbstractButton::clicked, this, &MainWindow::openMenu);
    connect(flat(Control::SpeedButtonHelp), &QAbstractButton::clicked, this, &MainWindow::showHelp);
    connect(flat(Control::ButtoniMini), &QAbstractButton::clicked, this, &MainWindow::minimize);
    connect(flat(Control::ButtonClose), &QAbstractButton::clicked, this, &MainWindow::quitNow);
    control(Control::Panel4)->installEventFilter(this);
    control(Control::Label4)->installEventFilter(this);
}

void MainWindow::buildMenu()
{
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](QMenu* menu, const char* name, const QString& caption, bool visible,
                       const std::function<void()>& handler) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1StringView(name));
        action->setVisible(visible);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    auto separator = [](QMenu* menu, const char* name, bool visible) {
        QAction* action = menu->addSeparator();
        action->setObjectName(QLatin1StringView(name));
        action->setVisible(visible);
    };

    // The language submenu is never visible: every start is German.
    auto* sprache = new QMenu(QStringLiteral("Sprache"), menu_);
    QAction* sprache2 = menu_->addMenu(sprache);
    sprache2->setObjectName(QStringLiteral("Sprache2"));
    sprache2->setVisible(false);
    item(sprache, "Deutsch", QStringLiteral("Deutsch"), true, [this] { setLanguage(Language::German); });
    item(sprache, "Englisch", QStringLiteral("Englisch"), true, [this] { setLanguage(Language::English); });
    separator(menu_, "N3", false);
    item(menu_, "Speichern", QStringLiteral("Berechnung speichern"), true, [this] { saveCalculation(); });
    item(menu_, "Laden", QStringLiteral("Berechnung laden"), true, [this] { loadCalculation(); });
    separator(menu_, "N2", true);
    item(menu_, "Hilfe2", QStringLiteral("Hilfe"), false, [this] { showHelp(); });
    item(menu_, "Info2", QStringLiteral("Info"), true, [this] { showAbout(); });
    separator(menu_, "N1", true);
    item(menu_, "Beenden2", QStringLiteral("Beenden"), true, [this] { close(); });
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Restoring the minimized window shows it again without a new FormShow.
    if (!shownOnce_) {
        shownOnce_ = true;
        formShow();
    }
}

void MainWindow::formShow()
{
    runOnCore([this] {
        core_.start(dataFolder());
        applyHints();
    });
}

// The warning beep and NumLock wait for the X server's answers, and the icon
// is drawn from its SVG; all three are set right after the window has first
// been painted, so the window comes up without waiting for them.
bool MainWindow::event(QEvent* event)
{
    if (event->type() == QEvent::Paint && !firstPaintDone_) {
        firstPaintDone_ = true;
        QTimer::singleShot(0, this, [this] {
            setWindowIcon(applicationIcon());
            beep_.switchOff();
            platform::switchNumLockOn();
        });
    }
    return QWidget::event(event);
}

void MainWindow::applyHints()
{
    for (const LanguageEntry& hint : hintEntries())
        findChild<QWidget*>(QLatin1StringView(hint.name))->setToolTip(languageText(hint.id, core_.language()));
}

void MainWindow::setLanguage(Language language)
{
    core_.setLanguage(language);
    applyHints();
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
    QLineEdit* field = entry();
    const QSignalBlocker quiet(field);
    if (field->text() != display.entryText)
        field->setText(display.entryText);
    field->setReadOnly(display.entryReadOnly);
    field->deselect();
    field->setCursorPosition(display.caret);
    control(Control::Image1)->setVisible(display.editIndicatorVisible);
    static_cast<QCheckBox*>(control(Control::CheckBoxRunden))->setChecked(display.roundingChecked);
}

void MainWindow::clickKey(Key key)
{
    keyButton(key)->click();
}

void MainWindow::clickCancelButton()
{
    for (const LayoutRow& row : mainLayout()) {
        QWidget* widget = control(row.id);
        if (row.cancel && widget->isVisible() && widget->isEnabled()) {
            static_cast<QPushButton*>(widget)->click();
            return;
        }
    }
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
    // Any mouse button on the title strip or its label drags the window.
    if (event->type() == QEvent::MouseButtonPress
        && (watched == control(Control::Panel4) || watched == control(Control::Label4))) {
        if (QWindow* handle = windowHandle())
            handle->startSystemMove();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::openMenu()
{
    menu_->popup(frameGeometry().topLeft() + QPoint(10, 50));
}

void MainWindow::minimize()
{
    showMinimized();
}

void MainWindow::quitNow()
{
    QCoreApplication::quit();
}

void MainWindow::showHelp()
{
    ActiveAgainAfterwards activeAgain(*this);
    windows_.helpWindow->showHelp(core_.language());
}

void MainWindow::showAbout()
{
    ActiveAgainAfterwards activeAgain(*this);
    windows_.aboutWindow->showAbout(core_.language());
}

void MainWindow::saveCalculation()
{
    runOnCore([this] { files_.save(); });
}

void MainWindow::loadCalculation()
{
    runOnCore([this] { files_.load(); });
}

// --- CalculatorUi ---

void MainWindow::showMessage(MessageKind kind, const QString& text)
{
    render(core_.display());
    ActiveAgainAfterwards activeAgain(*this);
    showMessageBox(this, kind, text);
}

void MainWindow::setSubtotalLabel(const QString& caption)
{
    windows_.formulaWindow->setCaption(caption);
}

void MainWindow::showSubtotal(const QString& text)
{
    windows_.formulaWindow->showSubtotal(text);
}

QString MainWindow::confirmFormula(const QString& candidate)
{
    render(core_.display());
    ActiveAgainAfterwards activeAgain(*this);
    return windows_.formulaWindow->confirm(candidate);
}

std::optional<QString> MainWindow::showVatWindow(const VatWindowInput& input)
{
    render(core_.display());
    ActiveAgainAfterwards activeAgain(*this);
    return windows_.vatWindow->showAmounts(input);
}

void MainWindow::copyToClipboard(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

void MainWindow::focusEntry()
{
    render(core_.display());
    activateWindow();
    entry()->setFocus();
}

QString MainWindow::askSaveFileName(const QString& startFolder)
{
    ActiveAgainAfterwards activeAgain(*this);
    QFileDialog dialog(this, QString(), startFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(calculationFileFilters());
    dialog.setDefaultSuffix(QLatin1StringView(kCalculationFileSuffix));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString MainWindow::askOpenFileName()
{
    ActiveAgainAfterwards activeAgain(*this);
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(calculationFileFilters());
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace numra
