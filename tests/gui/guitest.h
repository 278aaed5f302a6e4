// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Support for the window tests: the windows as the program builds them, and
// a script of answers for the modal windows they open. A modal window that
// no answer expects, or one left open, fails the test instead of hanging it.

#include "gui/aboutwindow.h"
#include "gui/copychooser.h"
#include "gui/formulawindow.h"
#include "gui/helpwindow.h"
#include "gui/mainwindow.h"
#include "gui/tapewindow.h"
#include "gui/vatwindow.h"
#include "platform/warningbeep.h"

#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>

class QAbstractButton;

// Readable failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace numra::testing {

// Answers modal windows in the order they open. Each answer runs once the
// window is showing and must close it (or open the next modal window).
class ModalScript : public QObject {
public:
    using Answer = std::function<void(QWidget&)>;

    explicit ModalScript(int watchdogMs = 5000);
    ~ModalScript();

    ModalScript& then(Answer answer);

protected:
    // Every showing of a modal window is a new one, also of a window that
    // is shown again.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void closeAll(const char* why);

    QTimer watchdog_;
    std::deque<Answer> answers_;
};

// Sends a key press and release through the application, as the keyboard
// would (QTest's key clicks cannot send dead keys). typed: the text the key
// types on the layout, by default the key's own character.
void sendKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, std::optional<QString> typed = std::nullopt);

// A button of a window by its text; fails the test when there is none.
QAbstractButton* buttonWithText(QWidget& window, const QString& text);
void clickButton(QWidget& window, const QString& text);

// What a message box showed.
struct ShownMessage {
    QString caption;
    QString text;
    int icon = -1; // QMessageBox::Icon
    QStringList buttons;
};
ShownMessage readMessageBox(QWidget& window);

// An answer that records a message box and presses its "OK".
ModalScript::Answer acknowledge(ShownMessage& into);

// Each test starts as a first start does: without a settings file.
struct NoSettings {
    NoSettings();
};

// The calculator window with a German decimal comma, shown and active, and
// the windows it opens.
class NumraFixture {
public:
    NumraFixture();
    ~NumraFixture();

    NoSettings noSettings;
    platform::WarningBeep beep;
    MainWindow mainWindow;
    SecondaryWindows& windows;
};

void processEvents(int ms = 20);

} // namespace numra::testing
