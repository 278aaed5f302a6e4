// SPDX-License-Identifier: GPL-3.0-or-later
// The settings in the windows: the VAT rate chosen in the VAT window, the
// menu and with F5; "Genau rechnen (dezimal)"; "Immer im Vordergrund" on the
// calculator and every window it opens; and what a start takes from the
// settings file.

#include "gui/guitest.h"
#include "gui/pendinglineview.h"

#include "core/settings.h"
#include "files/datafolder.h"
#include "gui/nachtblau.h"
#include "gui/ownratedialog.h"
#include "gui/visualstyle.h"
#include "platform/windowstacking.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

bool staysOnTop(const QWidget& window) { return window.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

QAction* rateItem(MainWindow& mainWindow, const QString& caption)
{
    QMenu* rates = mainWindow.menuItem(MenuItem::VatRateMenu)->menu();
    emit rates->aboutToShow(); // the items show the rates as the menu opens
    emit mainWindow.popupMenu()->aboutToShow();
    for (QAction* item : rates->actions())
        if (item->isVisible() && QString(item->text()).remove(u'&') == caption)
            return item;
    ADD_FAILURE() << "no rate item " << caption.toStdString();
    return nullptr;
}

// "Genau" among the marks of the pending-formula line.
bool exactShown(MainWindow& mainWindow)
{
    auto* line = static_cast<PendingLineView*>(mainWindow.control(WindowControl::PendingLine));
    return line->isVisible() && line->marks()->text().contains(QStringLiteral("Genau"));
}

QStringList itemsOf(const QComboBox& box)
{
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << (i == box.currentIndex() ? QStringLiteral("[%1]") : QStringLiteral("%1")).arg(box.itemText(i));
    return items;
}

class SettingsInWindows : public ::testing::Test, public NumraFixture {
protected:
    const Calculator& core() { return mainWindow.calculator(); }
    VatWindow& vat() { return windows.vatWindow(); }
    void type(const QString& amount)
    {
        mainWindow.clickKey(Key::ClearEntry);
        mainWindow.setEntryText(amount);
    }
    QStringList shownAmounts()
    {
        return {vat().taxLabel()->text(), vat().netField()->text(), vat().taxField()->text(),
                vat().grossField()->text()};
    }
};

TEST_F(SettingsInWindows, ARateChosenInTheVatWindowChangesItsAmountsAndTheNextUstPlus)
{
    QStringList at19, at7, offered;
    QString entryMeanwhile;
    ModalScript modals;
    modals.then([&](QWidget&) {
        at19 = shownAmounts();
        offered = itemsOf(*vat().rateBox());
        QTest::keyClick(vat().rateBox(), Qt::Key_Down); // "7 %", taken with Return
        QTest::keyClick(vat().rateBox(), Qt::Key_Return);
        at7 = shownAmounts();
        entryMeanwhile = mainWindow.entryField()->text();
        vat().closeButton()->click();
    });
    type(QStringLiteral("100"));
    mainWindow.clickKey(Key::VatFromNet);
    EXPECT_EQ(offered, (QStringList{"[19 %]", "7 %", "Eigener Satz …"}));
    EXPECT_EQ(at19, (QStringList{"Umsatzsteuer 19 %", "100,00", "19,00", "119,00"}));
    EXPECT_EQ(at7, (QStringList{"Umsatzsteuer 7 %", "100,00", "7,00", "107,00"}));
    EXPECT_EQ(entryMeanwhile, QStringLiteral("107,00")) << "the calculator shows the amount of the window";
    EXPECT_EQ(core().tape().row(core().tape().size() - 1).formula,
              QStringLiteral("Netto 100,00 · Steuer 7 % 7,00 · Brutto 107,00"));

    QStringList next;
    modals.then([&](QWidget&) {
        next = shownAmounts();
        vat().closeButton()->click();
    });
    type(QStringLiteral("200"));
    mainWindow.clickKey(Key::VatFromGross);
    EXPECT_EQ(next, (QStringList{"UST 7 %", "186,92", "13,08", "200,00"}));
    EXPECT_EQ(Settings().vatRates(), (VatRates{kReducedVatRate}));
    EXPECT_EQ(mainWindow.keyButton(Key::VatFromNet)->toolTip(), QStringLiteral("Umsatzsteuer 7% berechnen [F7]"));
}

TEST_F(SettingsInWindows, AnOwnRateIsAskedForAndAnInvalidOneIsRefused)
{
    QStringList afterCancel, afterOwn, offered;
    QString askedFirst, refusedCaption, refusedText;
    bool dialogOverVatWindow = false;
    ModalScript modals;
    modals.then([&](QWidget&) {
        QTest::keyClick(vat().rateBox(), Qt::Key_End); // "Eigener Satz …"
        QTest::keyClick(vat().rateBox(), Qt::Key_Return);
        afterCancel = shownAmounts() << itemsOf(*vat().rateBox());
        QTest::keyClick(vat().rateBox(), Qt::Key_End);
        QTest::keyClick(vat().rateBox(), Qt::Key_Return);
        afterOwn = shownAmounts();
        offered = itemsOf(*vat().rateBox());
        vat().closeButton()->click();
    });
    modals.then([&](QWidget& window) { clickButton(window, QStringLiteral("Abbrechen")); });
    modals.then([&](QWidget& window) {
        auto& dialog = dynamic_cast<OwnRateDialog&>(window);
        dialogOverVatWindow = dialog.parentWidget() == &vat();
        askedFirst = dialog.field()->text();
        dialog.field()->setText(QStringLiteral("100"));
        dialog.okButton()->click(); // refused; the dialog stays
        QTest::keyClicks(dialog.field(), QStringLiteral("16,5"));
        QTest::keyClick(dialog.field(), Qt::Key_Return);
    });
    modals.then([&](QWidget& box) {
        const ShownMessage shown = readMessageBox(box);
        refusedCaption = shown.caption;
        refusedText = shown.text;
        clickButton(box, QStringLiteral("OK"));
    });
    type(QStringLiteral("200"));
    mainWindow.clickKey(Key::VatFromGross);

    EXPECT_EQ(afterCancel, (QStringList{"UST 19 %", "168,07", "31,93", "200,00", "[19 %]", "7 %", "Eigener Satz …"}))
        << "cancelled: nothing changed";
    EXPECT_TRUE(dialogOverVatWindow);
    EXPECT_EQ(askedFirst, QString()) << "no own rate yet";
    EXPECT_EQ(refusedCaption, QStringLiteral("Fehler"));
    EXPECT_EQ(refusedText, QStringLiteral("Ungültiger Steuersatz. Bitte geben Sie einen Satz von 0 bis 99,99 % mit "
                                          "höchstens zwei Nachkommastellen ein."));
    EXPECT_EQ(afterOwn, (QStringList{"UST 16,5 %", "171,67", "28,33", "200,00"}));
    EXPECT_EQ(offered, (QStringList{"19 %", "7 %", "[16,5 %]", "Eigener Satz …"}));
    EXPECT_EQ(Settings().vatRates(), (VatRates{1650, 1650}));
}

TEST_F(SettingsInWindows, TheMenuAndF5ChooseTheRateAndF6IsUstMinus)
{
    rateItem(mainWindow, QStringLiteral("7 %"))->trigger();
    EXPECT_EQ(core().state().vatRates.chosen, kReducedVatRate);
    EXPECT_TRUE(rateItem(mainWindow, QStringLiteral("7 %"))->isChecked());
    EXPECT_FALSE(rateItem(mainWindow, QStringLiteral("19 %"))->isChecked());

    mainWindow.entryField()->setFocus();
    sendKey(Qt::Key_F5);
    EXPECT_EQ(core().state().vatRates.chosen, kStandardVatRate);
    EXPECT_EQ(mainWindow.keyButton(Key::VatFromGross)->toolTip(), QStringLiteral("Umsatzsteuer 19% berechnen [F6]"));
    sendKey(Qt::Key_F5);
    EXPECT_EQ(core().state().vatRates.chosen, kReducedVatRate);
    EXPECT_EQ(Settings().vatRates().chosen, kReducedVatRate);

    QString label;
    ModalScript modals;
    modals.then([&](QWidget&) {
        label = vat().taxLabel()->text();
        vat().closeButton()->click();
    });
    sendKey(Qt::Key_1);
    sendKey(Qt::Key_0);
    sendKey(Qt::Key_7);
    sendKey(Qt::Key_F6);
    EXPECT_EQ(label, QStringLiteral("UST 7 %"));
    EXPECT_EQ(mainWindow.entryField()->text(), QStringLiteral("100,00"));

    // In edit mode they are keys of the entry field.
    mainWindow.clickKey(Key::Edit);
    mainWindow.entryField()->setFocus();
    for (int key : {Qt::Key_F5, Qt::Key_F6, Qt::Key_F7})
        sendKey(key);
    EXPECT_EQ(core().state().vatRates.chosen, kReducedVatRate);
}

TEST_F(SettingsInWindows, AlwaysOnTopHoldsForTheCalculatorAndEveryWindowItOpens)
{
    QAction& onTop = *mainWindow.menuItem(MenuItem::AlwaysOnTop);
    EXPECT_TRUE(onTop.isVisible());
    EXPECT_FALSE(staysOnTop(mainWindow));
    mainWindow.toggleTapeWindow();
    mainWindow.clickKey(Key::Digit5);
    mainWindow.clickKey(Key::Plus);
    mainWindow.clickKey(Key::Equals); // the subtotal window, which stays open
    ASSERT_TRUE(windows.formulaWindow().isVisible());
    const QPoint placed = mainWindow.pos();

    onTop.trigger();
    EXPECT_TRUE(onTop.isChecked());
    EXPECT_TRUE(Settings().alwaysOnTop());
    for (const QWidget* window : {static_cast<QWidget*>(&mainWindow), static_cast<QWidget*>(&windows.tapeWindow()),
                                  static_cast<QWidget*>(&windows.formulaWindow())}) {
        EXPECT_TRUE(staysOnTop(*window)) << window->objectName().toStdString();
        EXPECT_TRUE(window->isVisible()) << window->objectName().toStdString() << " shown again";
    }
    EXPECT_TRUE(mainWindow.windowFlags().testFlag(Qt::FramelessWindowHint)) << "its other flags stay";
    EXPECT_EQ(mainWindow.pos(), placed) << "shown again where it was";

    // Windows opened afterwards, modal ones included: each answer records
    // the window's flag, then does what opens the next or closes it.
    std::vector<std::pair<std::string, bool>> opened;
    auto recordThen = [&](std::function<void(QWidget&)> next) {
        return [&opened, next](QWidget& window) {
            const QString name = window.objectName();
            opened.emplace_back(name.isEmpty() ? window.metaObject()->className() : name.toStdString(),
                                staysOnTop(window));
            next(window);
        };
    };
    auto click = [](const char* button) {
        return [button](QWidget& window) { clickButton(window, QString::fromUtf8(button)); };
    };
    ModalScript modals;
    modals.then(recordThen([&](QWidget&) {
        QTest::keyClick(vat().rateBox(), Qt::Key_End);
        QTest::keyClick(vat().rateBox(), Qt::Key_Return);
        vat().closeButton()->click();
    }));
    modals.then(recordThen(click("Abbrechen")));
    modals.then(recordThen([&](QWidget&) { vat().copyButton()->click(); }));
    modals.then(recordThen(click("Abbrechen")));
    modals.then(recordThen(click("OK")));
    modals.then(recordThen(click("OK")));
    type(QStringLiteral("10"));
    mainWindow.clickKey(Key::VatFromNet);
    mainWindow.clickKey(Key::VatFromNet);
    mainWindow.clickKey(Key::ClearEntry);
    mainWindow.clickKey(Key::VatFromNet); // "Ungültige Eingabe"
    mainWindow.menuItem(MenuItem::About)->trigger();
    const std::vector<std::pair<std::string, bool>> expected = {
        {"vatWindow", true},   {"ownRateDialog", true}, {"vatWindow", true},
        {"copyChooser", true}, {"QMessageBox", true},   {"aboutWindow", true}};
    EXPECT_EQ(opened, expected);

    onTop.trigger();
    EXPECT_FALSE(Settings().alwaysOnTop());
    EXPECT_FALSE(staysOnTop(mainWindow));
    EXPECT_FALSE(staysOnTop(windows.tapeWindow()));
    EXPECT_TRUE(windows.tapeWindow().isVisible());
}

// The look switches at once for every window, the keys' own palettes and
// the colours the layouts give included, and back; the next start takes it.
TEST_F(SettingsInWindows, HighContrastIsAMenuSwitchThatIsKeptAndTakenAtStart)
{
    ASSERT_TRUE(applyVisualStyle(*qApp, defaultStyleName));
    auto ground = [](QWidget& widget) {
        widget.ensurePolished(); // as when it is shown
        return widget.palette().color(widget.backgroundRole());
    };
    const QColor keyBefore = ground(*mainWindow.keyButton(Key::Digit1));
    const QColor vatBefore = ground(vat());
    mainWindow.menuItem(MenuItem::HighContrast)->trigger();
    EXPECT_TRUE(Settings().highContrast());
    const QColor black(Qt::black);
    EXPECT_EQ(ground(*mainWindow.keyButton(Key::Digit1)), black);
    EXPECT_EQ(ground(vat()), black) << "the VAT window's own grey gives way";
    EXPECT_EQ(mainWindow.entryField()->palette().color(QPalette::Base), black);
    {
        MainWindow next(beep, QChar(u','));
        EXPECT_EQ(nachtblau::colour(nachtblau::Colour::Key), black) << "started in the look kept";
    }
    mainWindow.menuItem(MenuItem::HighContrast)->trigger();
    EXPECT_FALSE(Settings().highContrast());
    EXPECT_EQ(ground(*mainWindow.keyButton(Key::Digit1)), keyBefore);
    EXPECT_EQ(ground(vat()), vatBefore) << "the layout's colour is back";
    QApplication::setStyle(QStringLiteral("Fusion")); // as the other tests here have it
}

TEST_F(SettingsInWindows, ExactArithmeticIsAMenuSwitchThatIsKeptAndShown)
{
    QAction& exact = *mainWindow.menuItem(MenuItem::ExactArithmetic);
    auto quotient = [&] {
        mainWindow.clickKey(Key::ClearEntry);
        mainWindow.setEntryText(QStringLiteral("8922/1,07"));
        mainWindow.clickKey(Key::Equals);
        return mainWindow.entryField()->text();
    };
    mainWindow.clickKey(Key::Edit);
    EXPECT_EQ(quotient(), QStringLiteral("8338,31775700934"));
    EXPECT_FALSE(exactShown(mainWindow));

    exact.trigger();
    EXPECT_TRUE(Settings().exactArithmetic());
    EXPECT_EQ(quotient(), QStringLiteral("8338,31775700935"));
    EXPECT_TRUE(exactShown(mainWindow));
    emit mainWindow.popupMenu()->aboutToShow();
    EXPECT_TRUE(exact.isChecked());

    exact.trigger();
    EXPECT_FALSE(Settings().exactArithmetic());
    EXPECT_FALSE(exactShown(mainWindow));
    EXPECT_EQ(quotient(), QStringLiteral("8338,31775700934"));
}

// A start takes what the settings file keeps, before the window shows.
// A folder that cannot be made stands for a read-only one (the tests may run
// as root, whom no permission stops).
class Unwritable {
public:
    explicit Unwritable(const QString& file) : folder_(QFileInfo(file).absolutePath())
    {
        QDir(folder_).removeRecursively();
        QDir().mkpath(QFileInfo(folder_).absolutePath());
        QFile blocker(folder_);
        EXPECT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    ~Unwritable() { QFile::remove(folder_); }

private:
    QString folder_;
};

// Settings and the kept tape that cannot be written: one message for each,
// naming the file, said once however often the write fails again; the
// choices hold for the run and the tape stays in memory.
TEST_F(SettingsInWindows, FilesThatCannotBeWrittenAreSaidOnceAndNothingIsLost)
{
    const Unwritable settingsFolder(settingsFile());
    const Unwritable tapeFolder(keptTapeFile());
    ShownMessage settingsBox, tapeBox;
    ModalScript modals;
    modals.then(acknowledge(settingsBox));
    sendKey(Qt::Key_F5);
    EXPECT_EQ(settingsBox.caption, QStringLiteral("Fehler"));
    EXPECT_TRUE(settingsBox.text.contains(QStringLiteral("\"%1\" kann nicht erstellt werden").arg(settingsFile())))
        << settingsBox.text.toStdString();
    EXPECT_TRUE(settingsBox.text.endsWith(QStringLiteral("Die Einstellung gilt, bis Numra beendet wird.")));
    EXPECT_EQ(core().state().vatRates.chosen, kReducedVatRate) << "the rate holds for the run";
    processEvents(); // the calculator window has the keyboard again
    sendKey(Qt::Key_F5); // the same failure: no second box, which the script would refuse
    EXPECT_EQ(core().state().vatRates.chosen, kStandardVatRate);

    modals.then(acknowledge(tapeBox));
    mainWindow.menuItem(MenuItem::KeepTape)->trigger();
    EXPECT_TRUE(tapeBox.text.contains(keptTapeFile())) << tapeBox.text.toStdString();
    EXPECT_TRUE(tapeBox.text.endsWith(QStringLiteral("Der Rechenstreifen bleibt erhalten, bis Numra beendet wird.")));
    for (Key key : {Key::Digit1, Key::Plus, Key::Digit2, Key::Equals, Key::Digit3, Key::Equals})
        mainWindow.clickKey(key);
    processEvents(800); // the kept tape is written again, and fails as before
    EXPECT_EQ(core().tape().size(), 2);
    EXPECT_TRUE(mainWindow.menuItem(MenuItem::KeepTape)->isChecked());
}

TEST(SettingsAtStart, TheKeptValuesApply)
{
    const NoSettings none;
    const QRect left = QGuiApplication::screens().at(0)->geometry();
    const QRect right = QGuiApplication::screens().at(1)->geometry();
    const struct {
        const char* name;
        QPoint kept;
        bool restored;
    } positions[] = {
        {"on the left screen", left.topLeft() + QPoint(100, 50), true},
        {"across both screens", QPoint(left.right() - 100, 50), true},
        {"on the right screen's corner", right.bottomRight() - QPoint(263, 330), true},
        {"partly below the screens", QPoint(100, left.bottom() - 100), false},
        {"off every screen", QPoint(-5000, -5000), false},
    };
    for (const auto& p : positions) {
        SCOPED_TRACE(p.name);
        {
            Settings settings;
            settings.setVatRates({1600, 1600});
            settings.setAlwaysOnTop(true);
            settings.setWindowPosition(p.kept);
            settings.setExactArithmetic(true);
        }
        platform::WarningBeep beep;
        MainWindow mainWindow(beep, QChar(u','));
        EXPECT_EQ(mainWindow.pos() == p.kept, p.restored) << mainWindow.pos().x() << "," << mainWindow.pos().y();
        if (!p.restored) {
            EXPECT_TRUE(left.contains(mainWindow.frameGeometry())) << "centred as on a first start";
        }
        EXPECT_TRUE(staysOnTop(mainWindow));
        EXPECT_EQ(mainWindow.calculator().state().vatRates, (VatRates{1600, 1600}));
        mainWindow.show();
        EXPECT_EQ(mainWindow.keyButton(Key::VatFromNet)->toolTip(), QStringLiteral("Umsatzsteuer 16% berechnen [F7]"));
        EXPECT_EQ(mainWindow.calculator().state().arithmetic, Arithmetic::Decimal);
        EXPECT_TRUE(exactShown(mainWindow));
        mainWindow.hide();
    }
}

TEST(SettingsAtStart, NothingIsWrittenUntilTheUserChangesSomething)
{
    const NoSettings none;
    platform::WarningBeep beep;
    MainWindow mainWindow(beep, QChar(u','));
    mainWindow.show();
    processEvents();
    QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit");
    EXPECT_FALSE(QFile::exists(settingsFile()));

    mainWindow.move(mainWindow.pos() + QPoint(40, 30));
    QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit");
    EXPECT_EQ(Settings().windowPosition(), mainWindow.pos()) << "a moved window is kept where it is";
    EXPECT_EQ(Settings().vatRates(), VatRates{});
    mainWindow.hide();
}

// Also run on the minimal platform, which stands for one that cannot keep a
// window on top, as Wayland cannot.
TEST(AlwaysOnTop, IsOfferedOnlyWhereThePlatformCanDoIt)
{
    const NoSettings none;
    Settings().setAlwaysOnTop(true);
    const bool can = QGuiApplication::platformName() == u"offscreen";
    EXPECT_EQ(platform::windowsCanStayOnTop(), can);
    platform::WarningBeep beep;
    MainWindow mainWindow(beep, QChar(u','));
    EXPECT_EQ(mainWindow.menuItem(MenuItem::AlwaysOnTop)->isVisible(), can);
    EXPECT_EQ(staysOnTop(mainWindow), can) << "a kept setting the platform cannot honour is left alone";
}

} // namespace
