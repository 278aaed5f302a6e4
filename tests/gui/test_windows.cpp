// SPDX-License-Identifier: GPL-3.0-or-later
// The secondary windows as the calculator window uses them: the VAT window
// and copy chooser, their places, the subtotal window, the menu, help and
// about.

#include "gui/guitest.h"

#include "gui/visualstyle.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

class Windows : public ::testing::Test, public NumraFixture {
protected:
    const Calculator& core() { return mainWindow.calculator(); }
    void press(std::initializer_list<Key> keys)
    {
        for (Key key : keys)
            mainWindow.clickKey(key);
    }
    // "Ust+" on 12,5 typed on the keypad as 12.5; the answers for the modal
    // windows are queued before.
    void vatOnTwelveFifty() { press({Key::Digit1, Key::Digit2, Key::Point, Key::Digit5, Key::VatFromNet}); }
    VatWindow& vat() { return windows.vatWindow(); }
};

TEST_F(Windows, VatWindowShowsTheAmountsAndCopiesTheChosenOne)
{
    QString net, tax, gross, label, copyCaption, entryMeanwhile;
    ShownMessage notice;
    ModalScript modals;
    modals.then([&](QWidget&) {
        entryMeanwhile = mainWindow.entryField()->text();
        net = vat().netField()->text();
        tax = vat().taxField()->text();
        gross = vat().grossField()->text();
        label = vat().taxLabel()->text();
        copyCaption = vat().copyButton()->text();
        vat().copyButton()->click();
    });
    modals.then([&](QWidget& chooser) {
        EXPECT_EQ(&chooser, &windows.copyChooser());
        windows.copyChooser().group()->button(int(VatField::Net))->click();
        windows.copyChooser().okButton()->click();
    });
    modals.then(acknowledge(notice));
    vatOnTwelveFifty();

    EXPECT_EQ(entryMeanwhile, QStringLiteral("14,88")) << "the calculator shows the gross amount behind the window";
    EXPECT_EQ(net, QStringLiteral("12,50"));
    EXPECT_EQ(tax, QStringLiteral("2,38"));
    EXPECT_EQ(gross, QStringLiteral("14,88"));
    EXPECT_EQ(label, QStringLiteral("Umsatzsteuer 19 %"));
    EXPECT_EQ(copyCaption, QStringLiteral("Kopieren"));
    EXPECT_EQ(notice.text, QStringLiteral("Wert kopiert: 12,50"));
    EXPECT_EQ(notice.icon, QMessageBox::NoIcon);
    EXPECT_EQ(notice.buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("12,50"));
    EXPECT_EQ(core().state().memory.state, MemoryRegister::State::Text);
    EXPECT_EQ(core().state().memory.text, QStringLiteral("12,50"));
    EXPECT_FALSE(vat().isVisible());
    EXPECT_TRUE(vat().netField()->text().isEmpty() && vat().taxField()->text().isEmpty() && vat().grossField()->text().isEmpty());
    EXPECT_EQ(mainWindow.entryField()->text(), QStringLiteral("14,88"));
}

TEST_F(Windows, CancelledChooserCopiesNothingAndKeepsItsChoice)
{
    ModalScript modals;
    modals.then([&](QWidget&) { vat().copyButton()->click(); });
    modals.then([&](QWidget&) {
        windows.copyChooser().group()->button(int(VatField::Gross))->click();
        windows.copyChooser().cancelButton()->click();
    });
    vatOnTwelveFifty();
    EXPECT_FALSE(vat().isVisible());
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
    EXPECT_EQ(core().state().memory.state, MemoryRegister::State::Empty);

    int checkedAtNextShowing = -1;
    modals.then([&](QWidget&) { vat().copyButton()->click(); });
    modals.then([&](QWidget&) {
        checkedAtNextShowing = windows.copyChooser().group()->checkedId();
        windows.copyChooser().cancelButton()->click();
    });
    press({Key::ClearEntry, Key::Digit1, Key::VatFromNet});
    EXPECT_EQ(checkedAtNextShowing, int(VatField::Gross));
}

// The window shows the three amounts it is given as they are, with no
// conversion of its own.
TEST_F(Windows, VatWindowShowsTheAmountsAsGivenInEnglish)
{
    QStringList shown;
    ModalScript modals;
    modals.then([&](QWidget&) {
        shown << vat().closeButton()->text() << vat().copyButton()->text() << vat().netField()->text()
              << vat().taxField()->text() << vat().grossField()->text() << vat().taxLabel()->text();
        vat().closeButton()->click();
    });
    VatCalculation input;
    input.language = Language::English;
    input.amounts = {QStringLiteral("1234567,89"), QStringLiteral("234567,90"), QStringLiteral("abc")};
    input.taxCaption = QStringLiteral("Sales taxes");
    input.rateText = QStringLiteral("7 %");
    vat().open(input);
    EXPECT_FALSE(vat().isVisible());
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Close"), QStringLiteral("Copy"), QStringLiteral("1234567,89"),
                                  QStringLiteral("234567,90"), QStringLiteral("abc"), QStringLiteral("Sales taxes 7 %")}));
}

// Escape closes a window as its closing button does: the formula window in
// its save role saves nothing, the VAT window and the help window close.
TEST_F(Windows, EscapeClosesEachWindowAsItsClosingButton)
{
    auto escape = [](QWidget& window) { QTest::keyClick(&window, Qt::Key_Escape); };
    ModalScript modals;
    modals.then(escape);
    vatOnTwelveFifty();
    EXPECT_FALSE(vat().isVisible());
    EXPECT_FALSE(core().state().vat.has_value());

    modals.then(escape);
    mainWindow.showHelp();
    EXPECT_FALSE(windows.helpWindow().isVisible());

    press({Key::ClearEntry, Key::Digit1, Key::Plus});
    modals.then(escape); // a save dialog after it would fail the script
    mainWindow.menuItem(MenuItem::Save)->trigger();
    EXPECT_EQ(core().state().question.kind, Question::Kind::None) << "nothing is saved";

    press({Key::Equals});
    ASSERT_TRUE(windows.formulaWindow().isVisible());
    escape(windows.formulaWindow());
    EXPECT_FALSE(windows.formulaWindow().isVisible());
    EXPECT_FALSE(core().state().subtotal.open);
}

// The windows the calculator opens, its menu included: built when first used.
QList<QWidget*> builtWindowsOf(MainWindow& mainWindow)
{
    QList<QWidget*> windows;
    for (QWidget* child : mainWindow.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isWindow())
            windows << child;
    return windows;
}

TEST_F(Windows, OtherWindowsAreBuiltOnFirstUseOnlyAndKept)
{
    EXPECT_TRUE(builtWindowsOf(mainWindow).isEmpty()) << "the calculator's first picture needs none of them";
    ModalScript modals;
    modals.then([&](QWidget& shown) {
        EXPECT_EQ(builtWindowsOf(mainWindow), QList<QWidget*>{&shown}) << "the VAT window, without its copy chooser";
        vat().closeButton()->click();
    });
    vatOnTwelveFifty();
    modals.then([&](QWidget& shown) {
        EXPECT_EQ(&shown, &vat()) << "the same window again";
        vat().closeButton()->click();
    });
    press({Key::VatFromNet});
    EXPECT_EQ(builtWindowsOf(mainWindow).size(), 1);
}

TEST_F(Windows, SecondaryWindowsAskForATitleBarWithNothingInIt)
{
    // The tape window is a tool window: it stays with the calculator.
    const std::pair<const QWidget*, Qt::WindowType> secondary[] = {
        {&windows.aboutWindow(), Qt::Dialog},   {&windows.vatWindow(), Qt::Dialog},   {&windows.helpWindow(), Qt::Dialog},
        {&windows.formulaWindow(), Qt::Dialog}, {&windows.copyChooser(), Qt::Dialog}, {&windows.tapeWindow(), Qt::Tool}};
    const Qt::WindowFlags buttons = Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
        | Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint;
    for (const auto& [window, type] : secondary) {
        SCOPED_TRACE(window->objectName().toStdString());
        EXPECT_EQ(window->windowType(), type);
        EXPECT_TRUE(window->windowFlags().testFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint));
        EXPECT_FALSE(window->windowFlags() & buttons);
        EXPECT_TRUE(window->windowTitle().isEmpty());
    }
    press({Key::Digit5, Key::Plus, Key::Equals});
    ASSERT_NE(windows.formulaWindow().windowHandle(), nullptr);
    EXPECT_EQ(windows.formulaWindow().windowHandle()->transientParent(), mainWindow.windowHandle())
        << "the window manager is told whose window it is";
}

TEST_F(Windows, SubtotalWindowStaysOpenAndIsUpdated)
{
    FormulaWindow& formula = windows.formulaWindow();
    press({Key::Digit5, Key::Plus, Key::Equals});
    ASSERT_TRUE(formula.isVisible());
    EXPECT_FALSE(formula.isModal());
    EXPECT_EQ(formula.caption()->text(), QStringLiteral("Zwischensumme"));
    EXPECT_EQ(formula.field()->text(), QStringLiteral("5,00"));

    press({Key::Digit7, Key::Multiply, Key::Equals}); // the subtotal left 5+ pending
    EXPECT_TRUE(formula.isVisible());
    EXPECT_EQ(formula.field()->text(), QStringLiteral("12,00"));
    EXPECT_EQ(QApplication::focusWidget(), mainWindow.entryField()) << "the calculator keeps the keyboard";

    formula.saveButton()->click();
    EXPECT_FALSE(formula.isVisible()) << "Speichern only hides the subtotal";
    EXPECT_EQ(formula.field()->text(), QStringLiteral("12,00"));
}

// Runs the application's event loop until something ends it; 1 when the
// watchdog had to.
int runEventLoopAfter(const std::function<void()>& action)
{
    QTimer::singleShot(0, action);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(3000);
    return QCoreApplication::exec();
}

TEST_F(Windows, QuitButtonAndBeendenEndTheEventLoop)
{
    EXPECT_EQ(runEventLoopAfter([&] { mainWindow.menuItem(MenuItem::Quit)->trigger(); }), 0)
        << "Beenden closes the window, which ends the program";
    EXPECT_EQ(runEventLoopAfter([&] { static_cast<QAbstractButton*>(mainWindow.control(WindowControl::QuitButton))->click(); }), 0)
        << "the quit button";
    EXPECT_FALSE(mainWindow.isVisible());
    // (Beenden goes first: once exec() has been ended by quit(), Qt does not
    // quit a later exec() when its last window closes.)
}

TEST_F(Windows, HintsAreGermanAndFollowTheLanguage)
{
    auto hint = [&](Key key) { return mainWindow.keyButton(key)->toolTip(); };
    auto controlHint = [&](WindowControl id) { return mainWindow.control(id)->toolTip(); };
    EXPECT_EQ(hint(Key::Percent), QStringLiteral("Prozent [F8]"));
    EXPECT_EQ(hint(Key::ClearEntry), QStringLiteral("Eingabe löschen [F9]"));
    EXPECT_EQ(hint(Key::Divide), QStringLiteral("Division"));
    EXPECT_EQ(hint(Key::MemoryClear), QStringLiteral("Speicher löschen"));
    EXPECT_EQ(hint(Key::VatFromNet), QStringLiteral("Umsatzsteuer 19% berechnen [F7]"));
    EXPECT_EQ(hint(Key::VatFromGross), QStringLiteral("Umsatzsteuer 19% berechnen [F6]"));
    EXPECT_EQ(controlHint(WindowControl::HelpButton), QStringLiteral("Hilfe anzeigen"));
    EXPECT_EQ(controlHint(WindowControl::MenuButton), QStringLiteral("Show about screen"));
    EXPECT_EQ(hint(Key::Clipboard), QStringLiteral("In Zwischewnablage kopieren"));
    EXPECT_EQ(hint(Key::Digit7), QString()) << "digits have no hint";

    mainWindow.menuItem(MenuItem::English)->trigger();
    EXPECT_EQ(hint(Key::Percent), QStringLiteral("Percent"));
    EXPECT_EQ(hint(Key::Equals), QStringLiteral("Calculate"));
    EXPECT_EQ(hint(Key::Divide), QStringLiteral("Division"));
    EXPECT_EQ(hint(Key::HexToInt), QStringLiteral("Edit-Mode aktivieren, um Hexzahl eizugeben. Dann umrechnen zu Integer"));
    mainWindow.menuItem(MenuItem::German)->trigger();
    EXPECT_EQ(hint(Key::Percent), QStringLiteral("Prozent [F8]"));
}

TEST_F(Windows, PopupMenuShowsItsVisibleItemsAtTheFramePlusOffset)
{
    QStringList visible;
    for (QAction* action : mainWindow.popupMenu()->actions())
        if (action->isVisible())
            visible << (action->isSeparator() ? QStringLiteral("-") : QString(action->text()).remove(u'&'));
    EXPECT_EQ(visible, (QStringList{QStringLiteral("Sprache"), QStringLiteral("-"),
                                    QStringLiteral("Berechnung speichern"), QStringLiteral("Berechnung laden"),
                                    QStringLiteral("-"), QStringLiteral("Rechenstreifen"),
                                    QStringLiteral("Rechenstreifen behalten"), QStringLiteral("Rechenstreifen öffnen…"),
                                    QStringLiteral("Rechenstreifen speichern…"), QStringLiteral("-"),
                                    QStringLiteral("Umsatzsteuersatz"), QStringLiteral("Nachkommastellen"),
                                    QStringLiteral("Runden"), QStringLiteral("Tausenderpunkte"),
                                    QStringLiteral("Genau rechnen (dezimal)"),
                                    QStringLiteral("Immer im Vordergrund"), QStringLiteral("Hoher Kontrast"),
                                    QStringLiteral("Nur ein Fenster"), QStringLiteral("Tastenkürzel einrichten …"),
                                    QStringLiteral("-"), QStringLiteral("Hilfe"), QStringLiteral("Info"),
                                    QStringLiteral("-"), QStringLiteral("Beenden")}));
    QStringList languages;
    for (QAction* action : mainWindow.menuItem(MenuItem::LanguageMenu)->menu()->actions())
        languages << QString(action->text()).remove(u'&');
    EXPECT_EQ(languages, (QStringList{QStringLiteral("Deutsch"), QStringLiteral("Englisch")}));

    mainWindow.move(123, 77);
    static_cast<QAbstractButton*>(mainWindow.control(WindowControl::MenuButton))->click();
    ASSERT_TRUE(mainWindow.popupMenu()->isVisible());
    EXPECT_EQ(mainWindow.popupMenu()->pos(), mainWindow.frameGeometry().topLeft() + QPoint(10, 50));
    mainWindow.popupMenu()->hide();
}

TEST_F(Windows, HelpButtonAndAboutItemShowTheirTexts)
{
    QString helpText, link;
    ModalScript modals;
    modals.then([&](QWidget&) {
        helpText = windows.helpWindow().text()->text();
        windows.helpWindow().okButton()->click();
    });
    static_cast<QAbstractButton*>(mainWindow.control(WindowControl::HelpButton))->click();
    EXPECT_TRUE(helpText.startsWith(QStringLiteral("Die Bedienung entspricht im Wesentlichen")));
    for (const char* told : {"Rechenstreifen", "Umsatzsteuersatz", "[F4]", "[F5]", "[F6]", "[F7]", "[F8]", "[F9]", "[ESC]"})
        EXPECT_TRUE(helpText.contains(QString::fromUtf8(told))) << told;

    modals.then([&](QWidget&) {
        helpText = windows.helpWindow().text()->text();
        windows.helpWindow().okButton()->click();
    });
    windows.helpWindow().showHelp(Language::English);
    EXPECT_TRUE(helpText.startsWith(QStringLiteral("Operation is essentially the same")));
    for (const char* told : {"Tape", "VAT rate", "[F4]", "[F9]"})
        EXPECT_TRUE(helpText.contains(QString::fromUtf8(told))) << told;

    modals.then([&](QWidget& about) {
        link = windows.aboutWindow().link()->text();
        QTest::keyClick(&about, Qt::Key_Return); // Return presses the default "OK"
    });
    QStringList aboutTexts;
    modals.then([&](QWidget&) {
        for (const QLabel* label : windows.aboutWindow().findChildren<QLabel*>())
            aboutTexts << label->text();
        windows.aboutWindow().okButton()->click();
    });
    mainWindow.menuItem(MenuItem::About)->trigger();
    EXPECT_EQ(link, QStringLiteral("numra.example.org"));
    mainWindow.menuItem(MenuItem::About)->trigger();
    EXPECT_TRUE(aboutTexts.contains(QStringLiteral("Lizenz: GPL-3.0-or-later")));
    EXPECT_FALSE(aboutTexts.contains(QStringLiteral("Alle Rechte vorbehalten")));
    EXPECT_FALSE(aboutTexts.contains(QStringLiteral("Freeware")));
    EXPECT_FALSE(windows.aboutWindow().isVisible());
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST_F(Windows, AboutLinkOpensTheMakersAddress)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    ModalScript modals;
    modals.then([&](QWidget& about) {
        QTest::mouseClick(windows.aboutWindow().link(), Qt::LeftButton);
        EXPECT_TRUE(about.isVisible()) << "the link leaves the window open";
        windows.aboutWindow().okButton()->click();
    });
    windows.aboutWindow().showAbout(Language::English);
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(QStringLiteral("http://numra.example.com"))});
}

TEST_F(Windows, MissingStyleIsReported)
{
    ShownMessage box;
    ModalScript modals;
    modals.then([&](QWidget& window) {
        box = readMessageBox(window);
        clickButton(window, QStringLiteral("Schließen"));
    });
    EXPECT_FALSE(applyVisualStyle(*qApp, QStringLiteral("Morgenrot")));
    EXPECT_EQ(box.text, QStringLiteral("Stil 'Morgenrot' nicht gefunden"));
    EXPECT_EQ(box.buttons.size(), 1);
}

} // namespace

#include "test_windows.moc"
