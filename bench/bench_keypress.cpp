// SPDX-License-Identifier: GPL-3.0-or-later
// The whole path of a key press in the calculator window, on the offscreen
// platform: the key event through the keyboard routing and the key's button
// to the calculator core, the core's display back into the entry field, and
// the field repainted. Target: at most 1 ms a key, so that typing stays
// immediate whatever later features add to the path.

#include "gui/application.h"
#include "gui/mainwindow.h"
#include "gui/visualstyle.h"
#include "platform/warningbeep.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <functional>
#include <string>

using namespace numra;

namespace {

void type(MainWindow& window, std::initializer_list<Qt::Key> keys)
{
    for (Qt::Key key : keys)
        QTest::keyClick(window.entryField(), key);
}

// One key press and the repainted field; before it, untimed, what puts the
// calculator into the state the key is pressed in.
struct KeyCase {
    const char* name;
    std::function<void(MainWindow&)> before;
    Qt::Key key;
};

void pressAndRepaint(benchmark::State& state, MainWindow& window, const KeyCase& keyCase)
{
    QLineEdit& field = *window.entryField();
    for (auto _ : state) {
        state.PauseTiming();
        keyCase.before(window);
        state.ResumeTiming();
        QTest::keyClick(&field, keyCase.key);
        field.repaint();
    }
}

// The same with Qt's accessibility on, as while a screen reader runs: the
// accessibility events and the objects they describe are made for every
// change (no bus is on this platform to carry them further).
void pressAndRepaintSpoken(benchmark::State& state, MainWindow& window, const KeyCase& keyCase)
{
    if (window.calculator().state().inputMode == InputMode::Edit)
        window.clickKey(Key::Edit); // where the case before left it
    QAccessible::setActive(true);
    pressAndRepaint(state, window, keyCase);
    QAccessible::setActive(false);
}

// Keypad mode unless the case switches to edit mode. Each case leaves no
// formula pending that the next press would make longer: "+" is followed by
// "1" and "=".
const KeyCase keyCases[] = {
    {"digit", [](MainWindow& w) { type(w, {Qt::Key_Delete, Qt::Key_1, Qt::Key_2, Qt::Key_Comma}); }, Qt::Key_5},
    {"plus", [](MainWindow& w) { type(w, {Qt::Key_1, Qt::Key_Return, Qt::Key_Delete, Qt::Key_1, Qt::Key_2}); },
     Qt::Key_Plus},
    {"equals 12+5*2",
     [](MainWindow& w) {
         type(w, {Qt::Key_Delete, Qt::Key_1, Qt::Key_2, Qt::Key_Plus, Qt::Key_5});
         w.clickKey(Key::Multiply); // "*" of the keyboard clicks it from the numeric keypad only
         type(w, {Qt::Key_2});
     },
     Qt::Key_Return},
    {"typed in edit mode",
     [](MainWindow& w) {
         if (w.calculator().state().inputMode != InputMode::Edit)
             w.clickKey(Key::Edit);
         w.setEntryText(QStringLiteral("1234,56*1,1"));
     },
     Qt::Key_9},
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The user's own settings and kept tape stay out of the run.
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    NumraApplication app(argc, argv);
    applyVisualStyle(app, defaultStyleName);

    platform::WarningBeep beep;
    MainWindow window(beep, u',');
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return 1;
    QTest::qWait(50); // what the window does after its first paint

    for (const KeyCase& keyCase : keyCases)
        benchmark::RegisterBenchmark(keyCase.name, pressAndRepaint, std::ref(window), keyCase)
            ->Unit(benchmark::kMicrosecond);
    for (const KeyCase& keyCase : keyCases)
        benchmark::RegisterBenchmark((std::string(keyCase.name) + ", accessibility on").c_str(), pressAndRepaintSpoken,
                                     std::ref(window), keyCase)
            ->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
