// SPDX-License-Identifier: GPL-3.0-or-later
// The tape window as a worksheet: a formula or note edited in place with the
// keyboard, the rows linked to it following, an error shown in its row, a
// row typed in at the end, moved and deleted, and each undone.

#include "gui/guitest.h"

#include "gui/tapewindow.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

class TapeWorksheet : public ::testing::Test, public NumraFixture {
protected:
    TapeWorksheet()
    {
        processEvents();
        // 12+3 = 15, then + 5 = 20 on from it.
        for (Key key : {Key::Digit1, Key::Digit2, Key::Plus, Key::Digit3, Key::Equals, Key::Plus, Key::Digit5,
                        Key::Equals})
            mainWindow.clickKey(key);
        mainWindow.toggleTapeWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&tapeWindow()));
        tapeWindow().activateWindow();
        view().setFocus();
        processEvents();
    }

    const Tape& tape() { return mainWindow.calculator().tape(); }
    TapeWindow& tapeWindow() { return windows.tapeWindow(); }
    QTableView& view() { return *tapeWindow().rows(); }

    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &view();
        QTest::keyClick(target, Qt::Key(key), modifiers);
        processEvents();
    }
    void select(int row, TapeColumn column = TapeColumn::Formula)
    {
        view().setCurrentIndex(tape().index(row, int(column)));
    }
    // The editor F2 opened, given a new text and closed with Return.
    void typeIntoEditor(const QString& text, int closeKey = Qt::Key_Return)
    {
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr) << "an editor is open";
        editor->setText(text);
        key(closeKey);
    }
    QString results()
    {
        QStringList shown;
        for (qsizetype i = 0; i < tape().size(); ++i)
            shown << tape().row(i).result;
        return shown.join(u' ') + QStringLiteral(" / ") + tapeWindow().summary()->text();
    }
};

TEST_F(TapeWorksheet, F2AndReturnComputeTheRowAndTheRowsAfterItAndCtrlZUndoes)
{
    select(0);
    key(Qt::Key_F2);
    typeIntoEditor(QStringLiteral("12+4"));
    EXPECT_EQ(tape().row(0).formula, QStringLiteral("12+4"));
    EXPECT_EQ(results(), QStringLiteral("16 21 / Summe: 37 · 2 Posten"));
    EXPECT_EQ(QApplication::focusWidget(), &view()) << "the keyboard stays in the tape";

    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(results(), QStringLiteral("15 20 / Summe: 35 · 2 Posten"));
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(results(), QStringLiteral("16 21 / Summe: 37 · 2 Posten"));
}

TEST_F(TapeWorksheet, EscapeCancelsTheEdit)
{
    select(0);
    key(Qt::Key_F2);
    typeIntoEditor(QStringLiteral("99"), Qt::Key_Escape);
    EXPECT_EQ(results(), QStringLiteral("15 20 / Summe: 35 · 2 Posten"));
    EXPECT_TRUE(tapeWindow().isVisible()) << "Escape in the editor does not close the window";
    EXPECT_FALSE(tapeWindow().action(TapeWindow::Action::Undo)->isEnabled());
}

// The error is the row's: in its result, its tooltip and the status line,
// and the row counts nothing until it is corrected.
TEST_F(TapeWorksheet, AnErrorShowsInItsRowAndTheStatusLine)
{
    select(0);
    key(Qt::Key_F2);
    typeIntoEditor(QStringLiteral("15/0"));
    const QString message = QStringLiteral("Gleitkommadivision durch Null.");
    const QModelIndex result = tape().index(0, int(TapeColumn::Result));
    EXPECT_EQ(result.data(TapeErrorRole).toString(), message);
    EXPECT_TRUE(result.data(Qt::ToolTipRole).toString().contains(message));
    EXPECT_EQ(tapeWindow().statusLine()->text(), QStringLiteral("Zeile 1: ") + message);
    EXPECT_EQ(tapeWindow().summary()->text(), QStringLiteral("Summe: 0 · 0 Posten"));
}

TEST_F(TapeWorksheet, ANoteIsEditedInPlace)
{
    select(1, TapeColumn::Note);
    key(Qt::Key_F2);
    typeIntoEditor(QStringLiteral("Miete"));
    EXPECT_EQ(tape().row(1).note, QStringLiteral("Miete"));
    EXPECT_EQ(results(), QStringLiteral("15 20 / Summe: 35 · 2 Posten")) << "a note is never a number";
}

// The empty last row takes a new formula.
TEST_F(TapeWorksheet, AFormulaTypedIntoTheLastRowIsAdded)
{
    ASSERT_EQ(view().model()->rowCount(), 3);
    select(2);
    key(Qt::Key_F2);
    typeIntoEditor(QStringLiteral("7*6"));
    EXPECT_EQ(results(), QStringLiteral("15 20 42 / Summe: 77 · 3 Posten"));
}

TEST_F(TapeWorksheet, CtrlUpMovesARowAndDeleteDeletesIt)
{
    select(1);
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(tape().row(0).formula, QStringLiteral("15+5"));
    EXPECT_EQ(view().currentIndex().row(), 0) << "the row moved stays selected";
    key(Qt::Key_Delete);
    EXPECT_EQ(results(), QStringLiteral("15 / Summe: 15 · 1 Posten"));
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(tape().row(0).formula, QStringLiteral("12+3"));
    EXPECT_EQ(results(), QStringLiteral("15 20 / Summe: 35 · 2 Posten"));
}

} // namespace
