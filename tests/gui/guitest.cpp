// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/guitest.h"

#include "files/datafolder.h"
#include "gui/application.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace numra::testing {

namespace {

QString describe(QWidget& window)
{
    if (auto* box = qobject_cast<QMessageBox*>(&window))
        return QStringLiteral("message box '%1'").arg(box->text());
    return QStringLiteral("window %1").arg(window.objectName());
}

void closeWindow(QWidget& window)
{
    if (auto* dialog = qobject_cast<QDialog*>(&window))
        dialog->reject();
    else
        window.close();
}

} // namespace

ModalScript::ModalScript(int watchdogMs)
{
    QApplication::instance()->installEventFilter(this);
    watchdog_.setSingleShot(true);
    QObject::connect(&watchdog_, &QTimer::timeout, [this] { closeAll("still open when the watchdog fired"); });
    watchdog_.start(watchdogMs);
}

ModalScript::~ModalScript()
{
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " expected modal window(s) never opened";
}

ModalScript& ModalScript::then(Answer answer)
{
    answers_.push_back(std::move(answer));
    return *this;
}

bool ModalScript::eventFilter(QObject* watched, QEvent* event)
{
    auto* window = qobject_cast<QWidget*>(watched);
    // A window restored from minimized is shown again by the window system
    // (spontaneously): it is the same showing.
    if (event->type() != QEvent::Show || event->spontaneous() || !window || !window->isWindow() || !window->isModal())
        return false;
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected modal " << describe(*window).toStdString();
        QTimer::singleShot(0, window, [window] { closeWindow(*window); });
        return false;
    }
    // Answered from the event loop once the window runs its own loop, so
    // that an answer may open the next modal window.
    QTimer::singleShot(0, window, [window, answer = std::move(answers_.front())] { answer(*window); });
    answers_.pop_front();
    return false;
}

void ModalScript::closeAll(const char* why)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isModal()) {
            ADD_FAILURE() << describe(*window).toStdString() << " " << why;
            closeWindow(*window);
        }
    }
}

void sendKey(int key, Qt::KeyboardModifiers modifiers, std::optional<QString> typed)
{
    QWidget* target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    if (!target) {
        ADD_FAILURE() << "no window has the keyboard";
        return;
    }
    const bool printable = key >= 0x20 && key <= 0x7e && !(modifiers & Qt::ControlModifier);
    const QString text = typed.value_or(printable ? QString(QChar(key)) : QString());
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : target, &release);
}

QAbstractButton* buttonWithText(QWidget& window, const QString& text)
{
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (button->text() == text && button->isVisible())
            return button;
    ADD_FAILURE() << "no button '" << text.toStdString() << "' in " << describe(window).toStdString();
    return nullptr;
}

void clickButton(QWidget& window, const QString& text)
{
    if (QAbstractButton* button = buttonWithText(window, text))
        button->click();
    else
        closeWindow(window);
}

ShownMessage readMessageBox(QWidget& window)
{
    ShownMessage shown;
    auto* box = qobject_cast<QMessageBox*>(&window);
    if (!box) {
        ADD_FAILURE() << "expected a message box, got " << describe(window).toStdString();
        return shown;
    }
    shown.caption = box->windowTitle();
    shown.text = box->text();
    shown.icon = box->icon();
    for (QAbstractButton* button : box->buttons())
        shown.buttons << button->text();
    return shown;
}

ModalScript::Answer acknowledge(ShownMessage& into)
{
    return [&into](QWidget& window) {
        into = readMessageBox(window);
        clickButton(window, QStringLiteral("OK"));
    };
}

NoSettings::NoSettings()
{
    QFile::remove(settingsFile());
}

NumraFixture::NumraFixture() : mainWindow(beep, QChar(u',')), windows(mainWindow.secondaryWindows())
{
    QApplication::clipboard()->clear();
    mainWindow.show();
    mainWindow.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&mainWindow));
}

NumraFixture::~NumraFixture()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != &mainWindow)
            w->hide();
}

void processEvents(int ms)
{
    QTest::qWait(ms);
}

} // namespace numra::testing

int main(int argc, char** argv)
{
    // The user's own settings and kept tape stay out of the tests.
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    numra::NumraApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
