// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tape window "Rechenstreifen": the tape's rows in a table view that
// scrolls through 10,000 rows smoothly, the newest row in sight, a status
// line for the error of the row at hand, the grand total and item count
// below, buttons and a context menu that work on them. A row's formula and
// note are edited in place; a formula typed into the empty last row is a new
// row. What it gives back to the calculator, and every change to the tape,
// goes through the handlers the calculator window sets, which run it on the
// core.
//
// Keys: F2 edits the formula of the row (a click into the formula or note of
// the selected row edits that), Return on a row does what a double-click
// does, Delete deletes the row, Ctrl+Up and Ctrl+Down move it, Ctrl+Z and
// Ctrl+Y undo and redo, Ctrl+C copies the row, Escape and F4 close the
// window. Tab leaves the rows for the buttons (Alt+S, Alt+E, Alt+D);
// Ctrl+Tab goes from cell to cell.

#include <QWidget>
#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QModelIndex;
class QPushButton;
class QTableView;

namespace numra {

class Tape;

class TapeWindow : public QWidget {
public:
    struct Handlers {
        std::function<void(const QString&)> editFormula;   // double-click on a formula
        std::function<void(const QString&)> appendToEntry; // double-click on a result
        std::function<void()> recallGrandTotal;            // "Summe übernehmen"
        std::function<void(qsizetype, const QString&)> editRow; // a formula edited in place; size(): a new row
        std::function<void(qsizetype, const QString&)> editNote;
        std::function<void(qsizetype, qsizetype)> moveRow;
        std::function<void(qsizetype)> deleteRow;
        std::function<void()> clearTape;
        std::function<void()> undo;
        std::function<void()> redo;
        std::function<void()> openDocument; // "Rechenstreifen öffnen…"
        std::function<void()> saveDocument; // "Rechenstreifen speichern…"
    };

    enum class Button { RecallTotal, Export, Print, Count };
    enum class Action {
        Edit, EditNote, CopyRow, CopyResult, MoveUp, MoveDown, DeleteRow, Undo, Redo, Open, Save, ClearTape, Count
    };

    TapeWindow(QWidget* owner, Tape& tape);
    void setHandlers(Handlers handlers) { handlers_ = std::move(handlers); }
    // Whether undo and redo have a step to take, for the menu.
    void setHistory(bool canUndo, bool canRedo);

    // The export as "Exportieren…" writes it after its dialog; a failure
    // goes to the default error box.
    void exportTo(const QString& path);
    // The row a change to the tape was about: current and in sight.
    void showRow(qsizetype row);
    // Opens the editor of a row's formula or note.
    void editCell(qsizetype row, bool note);

    QTableView* rows() const { return rows_; }
    QLabel* summary() const { return summary_; }
    QLabel* statusLine() const { return status_; }
    QPushButton* button(Button id) const { return buttons_[static_cast<std::size_t>(id)]; }
    QAction* action(Action id) const { return actions_[static_cast<std::size_t>(id)]; }
    QMenu* contextMenu() const { return contextMenu_; }

    void setVisible(bool visible) override;
    // Activates the window with the keyboard in the rows.
    void takeKeyboard();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildRows();
    void followTape(bool follow);
    void sizeCells();
    void buildButtons();
    void buildContextMenu();
    void rowChosen(const QModelIndex& index);
    void showContextMenu(const QPoint& at);
    void updateSummary();
    void updateStatus();
    void widenResults(int first, int last);
    void commitEdit(const QModelIndex& index, const QString& text);
    void copyCurrent(bool wholeRow);
    void moveCurrent(int by);
    void deleteCurrent();
    void askAndExport();
    void askAndPrint();
    void closeToCalculator();
    void moveToCell(int step);
    bool handleRowKey(const QKeyEvent& key);
    qsizetype currentRow() const; // -1: none, or the empty last row

    Tape& tape_;
    Handlers handlers_;
    QTableView* rows_;
    QLabel* status_;
    QLabel* summary_;
    QMenu* contextMenu_;
    QMetaObject::Connection scrollToNewest_;
    int resultWidth_ = 0;
    std::array<QPushButton*, static_cast<std::size_t>(Button::Count)> buttons_{};
    std::array<QAction*, static_cast<std::size_t>(Action::Count)> actions_{};
};

} // namespace numra
