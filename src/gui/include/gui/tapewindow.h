// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tape window "Rechenstreifen": the tape's rows in a table view that
// scrolls through 10,000 rows smoothly, the newest row in sight, the grand
// total and item count below, buttons and a context menu that work on them.
// What it gives back to the calculator (a formula to edit, a result or the
// grand total for the entry) goes through the handlers the calculator window
// sets, which run it on the core.
//
// Keys: Return on a row does what a double-click does, Delete deletes the
// row, Ctrl+C copies it, Escape and F4 close the window. Tab leaves the
// rows for the buttons (Alt+S, Alt+E, Alt+D); Ctrl+Tab goes from cell to
// cell.

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
    };

    enum class Button { RecallTotal, Export, Print, Count };
    enum class Action { CopyRow, CopyResult, DeleteRow, ClearTape, Count };

    TapeWindow(QWidget* owner, Tape& tape);
    void setHandlers(Handlers handlers) { handlers_ = std::move(handlers); }

    // The export as "Exportieren…" writes it after its dialog; a failure
    // goes to the default error box.
    void exportTo(const QString& path);

    QTableView* rows() const { return rows_; }
    QLabel* summary() const { return summary_; }
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
    void copyCurrent(bool wholeRow);
    void deleteCurrent();
    void askAndExport();
    void askAndPrint();
    void closeToCalculator();
    void moveToCell(int step);
    qsizetype currentRow() const; // -1: none

    Tape& tape_;
    Handlers handlers_;
    QTableView* rows_;
    QLabel* summary_;
    QMenu* contextMenu_;
    QMetaObject::Connection scrollToNewest_;
    std::array<QPushButton*, static_cast<std::size_t>(Button::Count)> buttons_{};
    std::array<QAction*, static_cast<std::size_t>(Action::Count)> actions_{};
};

} // namespace numra
