// SPDX-License-Identifier: GPL-3.0-or-later
// Amounts in the windows: thousands points in the entry field only while it
// is read-only, the decimal selector on F3 and in the menu with the box's
// caption following it, and Ctrl+V reading amounts as people write them.

#include "gui/guitest.h"

#include "core/settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

using namespace numra;
using namespace numra::testing;

namespace {

class AmountsInWindows : public ::testing::Test, public NumraFixture {
protected:
    QString field() { return mainWindow.entryField()->text(); }
    QString entry() { return mainWindow.calculator().state().display.entryText; }
    void typeKeys(const QString& keys)
    {
        for (const QChar c : keys)
            sendKey(c == u'=' ? int(Qt::Key_Return) : int(c.unicode()), Qt::NoModifier, QString(c));
    }
    void paste(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        sendKey(Qt::Key_V, Qt::ControlModifier);
    }
    QAction* submenuItem(MenuItem menu, const QString& caption)
    {
        emit mainWindow.popupMenu()->aboutToShow();
        for (QAction* item : mainWindow.menuItem(menu)->menu()->actions())
            if (item->text() == caption)
                return item;
        ADD_FAILURE() << "no item " << caption.toStdString();
        return nullptr;
    }
};

TEST_F(AmountsInWindows, TheEntryShowsThousandsPointsOnlyWhileItIsReadOnly)
{
    typeKeys(u"1234567"_qs);
    EXPECT_EQ(field(), u"1.234.567"_qs);
    EXPECT_EQ(entry(), u"1234567"_qs);
    EXPECT_EQ(mainWindow.entryField()->cursorPosition(), 9);
    mainWindow.entryField()->setSelection(0, 5);
    sendKey(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), u"1234"_qs) << "copied without the points";
    mainWindow.clickKey(Key::Edit);
    EXPECT_EQ(field(), u"1234567"_qs) << "an editable field shows what the user edits";
    mainWindow.clickKey(Key::Edit);
    EXPECT_EQ(field(), u"1.234.567"_qs);
    typeKeys(u"="_qs);
    mainWindow.toggleTapeWindow();
    EXPECT_EQ(windows.tapeWindow().summary()->text(), u"Summe: 1.234.567 · 1 Posten"_qs);

    QAction* grouping = mainWindow.menuItem(MenuItem::Grouping);
    emit mainWindow.popupMenu()->aboutToShow();
    EXPECT_TRUE(grouping->isChecked()) << "on by default";
    grouping->trigger();
    EXPECT_EQ(field(), u"1234567"_qs);
    EXPECT_EQ(windows.tapeWindow().summary()->text(), u"Summe: 1234567 · 1 Posten"_qs);
    EXPECT_FALSE(Settings().amountFormat().grouping);
}

TEST_F(AmountsInWindows, F3AndTheMenuChooseThePlacesAndTheChoiceIsKept)
{
    for (int i = 0; i < 4; ++i)
        sendKey(Qt::Key_F3);
    EXPECT_EQ(mainWindow.roundingBox()->text(), u"auf 3 Nachkommastellen runden"_qs);
    EXPECT_TRUE(mainWindow.roundingBox()->isChecked());
    typeKeys(u"2/3="_qs);
    EXPECT_EQ(field(), u"0,667"_qs);

    submenuItem(MenuItem::RoundingMenu, u"abrunden"_qs)->trigger();
    typeKeys(u"2/3="_qs);
    EXPECT_EQ(field(), u"0,666"_qs);
    const AmountFormat kept = Settings().amountFormat();
    EXPECT_EQ(kept.selector, DecimalSelector::Places3);
    EXPECT_EQ(kept.rounding, RoundingMode::TowardZero);

    submenuItem(MenuItem::DecimalPlacesMenu, u"F"_qs)->trigger();
    EXPECT_FALSE(mainWindow.roundingBox()->isChecked());
    EXPECT_EQ(mainWindow.roundingBox()->text(), u"auf 2 Nachkommastellen runden"_qs);
    EXPECT_TRUE(submenuItem(MenuItem::DecimalPlacesMenu, u"F"_qs)->isChecked());
}

TEST_F(AmountsInWindows, CtrlVReadsAnAmountAsPeopleWriteIt)
{
    paste(u"1.234,56 €"_qs);
    EXPECT_EQ(entry(), u"1234,56"_qs);
    EXPECT_EQ(field(), u"1.234,56"_qs);
    typeKeys(u"+1="_qs);
    EXPECT_EQ(field(), u"1.235,56"_qs);
    const Tape& tape = mainWindow.calculator().tape();
    EXPECT_EQ(tape.data(tape.index(0, int(TapeColumn::Result))).toString(), u"1.235,56"_qs);

    mainWindow.clickKey(Key::Edit);
    mainWindow.entryField()->setCursorPosition(int(field().size()));
    paste(u"−45,00"_qs);
    EXPECT_EQ(field(), u"1235,56-45,00"_qs);
    mainWindow.entryField()->setSelection(0, 7);
    paste(u"1.000"_qs);
    EXPECT_EQ(field(), u"1000-45,00"_qs) << "the selection is replaced";
}

// The read-only field's menu pastes and copies as the keys do.
TEST_F(AmountsInWindows, TheEntryMenuInKeypadModePastesAndCopiesAsTheKeysDo)
{
    const auto chooseFromMenu = [&](const QString& caption) {
        QTimer::singleShot(50, [caption] {
            QWidget* popup = QApplication::activePopupWidget();
            ASSERT_NE(popup, nullptr);
            for (QAction* item : popup->actions())
                if (item->text() == caption)
                    item->trigger();
            popup->close();
        });
        emit mainWindow.entryField()->customContextMenuRequested(QPoint(5, 5));
    };
    QApplication::clipboard()->setText(u"1.234,56 €"_qs);
    chooseFromMenu(u"Einfügen"_qs);
    EXPECT_EQ(entry(), u"1234,56"_qs);
    mainWindow.entryField()->selectAll();
    chooseFromMenu(u"Kopieren"_qs);
    EXPECT_EQ(QApplication::clipboard()->text(), u"1234,56"_qs);
}

TEST_F(AmountsInWindows, APastedColumnIsAddedWhenTheUserSaysJa)
{
    ShownMessage question;
    ModalScript script;
    script.then([&](QWidget& box) {
        question = readMessageBox(box);
        clickButton(box, u"Ja"_qs);
    });
    paste(u"10,00\n20,50\n"_qs);
    EXPECT_EQ(question.caption, u"Frage"_qs);
    EXPECT_TRUE(question.text.contains(u"2 Beträge"_qs)) << question.text.toStdString();
    EXPECT_EQ(field(), u"30,5"_qs);
    EXPECT_EQ(mainWindow.calculator().tape().size(), 2);
}

// A start takes the kept format before the window shows: the box checked
// at the kept places, the kept rounding, no points when they were switched
// off.
TEST(AmountsAtStart, TheKeptFormatApplies)
{
    const NoSettings none;
    Settings().setAmountFormat({DecimalSelector::Places3, RoundingMode::TowardZero, false});
    platform::WarningBeep beep;
    MainWindow mainWindow(beep, QChar(u','));
    mainWindow.show();
    EXPECT_TRUE(mainWindow.roundingBox()->isChecked());
    EXPECT_EQ(mainWindow.roundingBox()->text(), u"auf 3 Nachkommastellen runden"_qs);
    mainWindow.setEntryText(u"1234567"_qs);
    EXPECT_EQ(mainWindow.entryField()->text(), u"1234567"_qs);
    mainWindow.clickKey(Key::Divide);
    mainWindow.clickKey(Key::Digit3);
    mainWindow.clickKey(Key::Equals);
    EXPECT_EQ(mainWindow.entryField()->text(), u"411522,333"_qs);
    mainWindow.hide();
}

} // namespace
