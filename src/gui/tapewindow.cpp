// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tapewindow.h"

#include "core/tape.h"
#include "core/tapeformats.h"
#include "gui/errorguard.h"
#include "gui/fixeddialog.h"
#include "gui/nachtblau.h"
#include "gui/printdialog.h"
#include "gui/staysontop.h"
#include "gui/tapedelegate.h"
#include "gui/tapeprinting.h"
#include "platform/windowtitle.h"

#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <optional>

namespace numra {

namespace {

constexpr QSize kStartSize(480, 331); // as tall as the calculator
constexpr QSize kMinimumSize(300, 160);
// Room for the widest kind and for results of about twelve digits; a wider
// result widens its column.
constexpr QStringView kWidestKind = u"Zwischensumme";
constexpr QStringView kWideResult = u"-123456789,00";
constexpr QStringView kNoteRoom = u"Rechnung 2026-117";
constexpr int kCellPadding = 12;

const QString kCsvFilter = QStringLiteral("CSV für Tabellenkalkulationen (*.csv)");
const QString kTextFilter = QStringLiteral("Text (*.txt)");

struct ButtonText {
    TapeWindow::Button id;
    QStringView caption;
    QStringView accessibleName;
};

constexpr std::array kButtonTexts{
    ButtonText{TapeWindow::Button::RecallTotal, u"&Summe übernehmen", u"Summe übernehmen"},
    ButtonText{TapeWindow::Button::Export, u"&Exportieren…", u"Exportieren"},
    ButtonText{TapeWindow::Button::Print, u"&Drucken…", u"Drucken"},
};

struct ActionText {
    QStringView caption;
    QKeyCombination shown; // the key that does it, shown in the menu; none: 0
    bool separatorAfter = false;
};

constexpr std::array<ActionText, static_cast<std::size_t>(TapeWindow::Action::Count)> kActionTexts{{
    {u"Bearbeiten", QKeyCombination(Qt::Key_F2)},
    {u"Notiz bearbeiten", QKeyCombination(), true},
    {u"Zeile kopieren", Qt::CTRL | Qt::Key_C},
    {u"Ergebnis kopieren", QKeyCombination(), true},
    {u"Nach oben", Qt::CTRL | Qt::Key_Up},
    {u"Nach unten", Qt::CTRL | Qt::Key_Down},
    {u"Zeile löschen", QKeyCombination(Qt::Key_Delete), true},
    {u"Rückgängig", Qt::CTRL | Qt::Key_Z},
    {u"Wiederholen", Qt::CTRL | Qt::Key_Y, true},
    {u"Rechenstreifen öffnen…", QKeyCombination()},
    {u"Rechenstreifen speichern…", QKeyCombination(), true},
    {u"Rechenstreifen leeren", QKeyCombination()},
}};

bool isCloseKey(const QKeyEvent& key)
{
    return key.key() == Qt::Key_Escape || key.key() == Qt::Key_F4;
}

// Ctrl+Tab and Ctrl+Shift+Tab go from cell to cell, as Tab does in a
// spreadsheet; Tab itself leaves the table for the buttons.
std::optional<int> cellStep(const QKeyEvent& key)
{
    if (!(key.modifiers() & Qt::ControlModifier))
        return std::nullopt;
    if (key.key() == Qt::Key_Tab)
        return (key.modifiers() & Qt::ShiftModifier) ? -1 : 1;
    if (key.key() == Qt::Key_Backtab)
        return -1;
    return std::nullopt;
}

} // namespace

// A tool window, which stays with the calculator, with the title bar of the
// other secondary windows; it is closed from the menu, with F4 or Escape.
TapeWindow::TapeWindow(QWidget* owner, Tape& tape) : QWidget(owner, Qt::Tool | titleBarWithoutButtons), tape_(tape)
{
    setObjectName(QStringLiteral("tapeWindow"));
    setWindowTitle(QString());
    setAccessibleName(QStringLiteral("Rechenstreifen"));
    // Opened from the calculator, it leaves the keyboard there.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(tahoma(11));
    setBackground(this, nachtblau::colour(nachtblau::Colour::CalculatorGround));
    resize(kStartSize);
    setMinimumSize(kMinimumSize);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    buildRows();
    layout->addWidget(rows_, 1);
    auto* below = new QHBoxLayout;
    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);
    status_->setAccessibleName(QStringLiteral("Hinweis zur Zeile"));
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    summary_ = new QLabel(this);
    summary_->setTextFormat(Qt::PlainText);
    summary_->setFont(tahoma(13));
    summary_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    summary_->setAccessibleName(QStringLiteral("Summe und Posten"));
    below->addWidget(status_, 1);
    below->addWidget(summary_);
    layout->addLayout(below);
    buildButtons();
    buildContextMenu();
}

void TapeWindow::buildRows()
{
    rows_ = new QTableView(this);
    rows_->setAccessibleName(QStringLiteral("Zeilen des Rechenstreifens"));
    rows_->setFont(tahoma(13));
    rows_->setSelectionBehavior(QAbstractItemView::SelectRows);
    rows_->setSelectionMode(QAbstractItemView::SingleSelection);
    // A click into the formula or note of the selected row edits it, after
    // the time a double-click may take: a double-click still takes the
    // formula into the entry.
    rows_->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    rows_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    rows_->setWordWrap(false);
    rows_->setTabKeyNavigation(false);
    rows_->setShowGrid(false);
    rows_->setAlternatingRowColors(true);
    rows_->setContextMenuPolicy(Qt::CustomContextMenu);
    rows_->setItemDelegate(new TapeDelegate(rows_, [this](const QModelIndex& index, const QString& text) {
        commitEdit(index, text);
    }));
    // Rows of one fixed height: the view then never measures all rows,
    // however many there are.
    QHeaderView* lines = rows_->verticalHeader();
    lines->hide();
    lines->setSectionResizeMode(QHeaderView::Fixed);
    rows_->horizontalHeader()->setFont(tahoma(11));
    sizeCells();
    rows_->horizontalHeader()->setHighlightSections(false);
    // The view's own corner button, which selects all rows, is hidden with
    // the row numbers; it is named all the same.
    for (QAbstractButton* corner : rows_->findChildren<QAbstractButton*>())
        corner->setAccessibleName(QStringLiteral("Alle Zeilen auswählen"));
    rows_->installEventFilter(this);

    connect(rows_, &QAbstractItemView::doubleClicked, this, &TapeWindow::rowChosen);
    connect(rows_, &QWidget::customContextMenuRequested, this, &TapeWindow::showContextMenu);
    for (auto change : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&tape_, change, this, &TapeWindow::updateSummary);
    connect(&tape_, &QAbstractItemModel::modelReset, this, &TapeWindow::updateSummary);
    connect(&tape_, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& first, const QModelIndex& last) {
        updateSummary();
        widenResults(first.row(), last.row());
    });
    connect(&tape_, &QAbstractItemModel::layoutChanged, this, &TapeWindow::updateSummary); // a new arithmetic
}

// A hidden window does not follow the tape: with 10,000 rows, the view's
// work for each new row would cost every "=" tens of microseconds.
void TapeWindow::followTape(bool follow)
{
    disconnect(scrollToNewest_);
    rows_->setModel(follow ? &tape_ : nullptr);
    if (!follow)
        return;
    connect(rows_->selectionModel(), &QItemSelectionModel::currentChanged, this, &TapeWindow::updateStatus);
    // After the view's own connection, so that the new row is there.
    scrollToNewest_ = connect(&tape_, &QAbstractItemModel::rowsInserted, rows_,
                              [this](const QModelIndex&, int first, int last) {
                                  widenResults(first, last);
                                  if (last == tape_.size() - 1)
                                      rows_->scrollToBottom();
                              });
    sizeCells();
    rows_->scrollToBottom();
    updateSummary();
    updateStatus();
}

// From the font, which the zoom changes. No column is sized to its
// contents, which would measure all rows.
void TapeWindow::sizeCells()
{
    const QFontMetrics metrics = rows_->fontMetrics();
    rows_->verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
    if (!rows_->model())
        return;
    QHeaderView* columns = rows_->horizontalHeader();
    columns->setSectionResizeMode(int(TapeColumn::Formula), QHeaderView::Stretch);
    columns->resizeSection(int(TapeColumn::Note), metrics.horizontalAdvance(kNoteRoom.toString()) + kCellPadding);
    columns->resizeSection(int(TapeColumn::Kind), metrics.horizontalAdvance(kWidestKind.toString()) + kCellPadding);
    resultWidth_ = 0;
    widenResults(0, int(tape_.size()) - 1);
}

// Results are never cut off: their column takes the widest result shown
// (measured once when the window opens, then for each row that comes or
// changes).
void TapeWindow::widenResults(int first, int last)
{
    if (!rows_->model())
        return;
    const QFontMetrics metrics = rows_->fontMetrics();
    int widest = std::max(resultWidth_, metrics.horizontalAdvance(kWideResult.toString()));
    for (int row = std::max(first, 0); row <= last && row < tape_.size(); ++row)
        widest = std::max(widest, metrics.horizontalAdvance(tape_.shownResult(tape_.row(row))));
    if (widest == resultWidth_)
        return;
    resultWidth_ = widest;
    rows_->horizontalHeader()->resizeSection(int(TapeColumn::Result), widest + kCellPadding);
}

void TapeWindow::setVisible(bool visible)
{
    if (visible && !isVisible())
        stayOnTopLikeCalculator(*this);
    QWidget::setVisible(visible);
}

void TapeWindow::showEvent(QShowEvent* event)
{
    if (QWindow* handle = windowHandle())
        platform::showEmptyTitle(*handle);
    followTape(true);
    QWidget::showEvent(event);
}

void TapeWindow::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    followTape(false);
}

void TapeWindow::buildButtons()
{
    auto* line = new QHBoxLayout;
    line->setSpacing(6);
    for (const ButtonText& text : kButtonTexts) {
        auto* button = new QPushButton(text.caption.toString(), this);
        button->setAutoDefault(false);
        button->setFixedHeight(25);
        button->setAccessibleName(text.accessibleName.toString());
        line->addWidget(button);
        buttons_[static_cast<std::size_t>(text.id)] = button;
    }
    static_cast<QBoxLayout*>(layout())->addLayout(line);
    connect(button(Button::RecallTotal), &QPushButton::clicked, this, [this] { handlers_.recallGrandTotal(); });
    connect(button(Button::Export), &QPushButton::clicked, this, &TapeWindow::askAndExport);
    connect(button(Button::Print), &QPushButton::clicked, this, &TapeWindow::askAndPrint);
}

void TapeWindow::buildContextMenu()
{
    contextMenu_ = new QMenu(this);
    for (std::size_t i = 0; i < actions_.size(); ++i) {
        actions_[i] = contextMenu_->addAction(kActionTexts[i].caption.toString());
        // Shown only: the keys are the rows' own (eventFilter).
        if (kActionTexts[i].shown.toCombined() != 0)
            actions_[i]->setShortcut(QKeySequence(kActionTexts[i].shown));
        actions_[i]->setShortcutContext(Qt::WidgetShortcut);
        if (kActionTexts[i].separatorAfter)
            contextMenu_->addSeparator();
    }
    connect(action(Action::Edit), &QAction::triggered, this, [this] { editCell(currentRow(), false); });
    connect(action(Action::EditNote), &QAction::triggered, this, [this] { editCell(currentRow(), true); });
    connect(action(Action::CopyRow), &QAction::triggered, this, [this] { copyCurrent(true); });
    connect(action(Action::CopyResult), &QAction::triggered, this, [this] { copyCurrent(false); });
    connect(action(Action::MoveUp), &QAction::triggered, this, [this] { moveCurrent(-1); });
    connect(action(Action::MoveDown), &QAction::triggered, this, [this] { moveCurrent(+1); });
    connect(action(Action::DeleteRow), &QAction::triggered, this, &TapeWindow::deleteCurrent);
    connect(action(Action::Undo), &QAction::triggered, this, [this] { handlers_.undo(); });
    connect(action(Action::Redo), &QAction::triggered, this, [this] { handlers_.redo(); });
    connect(action(Action::Open), &QAction::triggered, this, [this] { handlers_.openDocument(); });
    connect(action(Action::Save), &QAction::triggered, this, [this] { handlers_.saveDocument(); });
    connect(action(Action::ClearTape), &QAction::triggered, this, [this] { handlers_.clearTape(); });
}

void TapeWindow::setHistory(bool canUndo, bool canRedo)
{
    action(Action::Undo)->setEnabled(canUndo);
    action(Action::Redo)->setEnabled(canRedo);
}

void TapeWindow::showContextMenu(const QPoint& at)
{
    const QModelIndex index = rows_->indexAt(at);
    if (index.isValid())
        rows_->setCurrentIndex(index);
    const qsizetype row = currentRow();
    const bool onRow = index.isValid() && row >= 0;
    for (Action rowAction : {Action::Edit, Action::EditNote, Action::CopyRow, Action::CopyResult, Action::DeleteRow})
        action(rowAction)->setEnabled(onRow);
    action(Action::MoveUp)->setEnabled(onRow && row > 0);
    action(Action::MoveDown)->setEnabled(onRow && row + 1 < tape_.size());
    action(Action::ClearTape)->setEnabled(tape_.size() > 0);
    action(Action::Save)->setEnabled(tape_.size() > 0);
    contextMenu_->popup(rows_->viewport()->mapToGlobal(at));
}

void TapeWindow::updateSummary()
{
    if (isVisible())
        summary_->setText(tape_.summary());
}

// The error of the row at hand, which the row's tooltip shows too.
void TapeWindow::updateStatus()
{
    const qsizetype row = currentRow();
    const QString error = row >= 0 ? tape_.row(row).error : QString();
    status_->setText(error.isEmpty() ? QString() : QStringLiteral("Zeile %1: %2").arg(row + 1).arg(error));
    status_->setToolTip(status_->text());
}

qsizetype TapeWindow::currentRow() const
{
    const QModelIndex index = rows_->currentIndex();
    return index.isValid() && index.row() < tape_.size() ? index.row() : -1;
}

void TapeWindow::exportTo(const QString& path)
{
    runGuarded(this, [&] { exportTape(tape_, path); });
}

void TapeWindow::askAndExport()
{
    QFileDialog dialog(this, QStringLiteral("Rechenstreifen exportieren"),
                       QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({kCsvFilter, kTextFilter});
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter == kTextFilter ? QStringLiteral("txt") : QStringLiteral("csv"));
    });
    dialog.selectFile(QStringLiteral("Rechenstreifen.csv"));
    stayOnTopLikeCalculator(dialog);
    if (dialog.exec() == QDialog::Accepted)
        exportTo(dialog.selectedFiles().value(0));
}

void TapeWindow::askAndPrint()
{
    runGuarded(this, [this] {
        const QDate today = QDate::currentDate();
        if (const auto printer = askForPrinter(this, QStringLiteral("Rechenstreifen drucken"), tapePdfName(today)))
            printTape(tape_, *printer, today);
    });
}

void TapeWindow::closeToCalculator()
{
    hide();
    if (QWidget* calculator = parentWidget())
        calculator->activateWindow();
}

bool TapeWindow::handleRowKey(const QKeyEvent& key)
{
    const bool control = key.modifiers() & Qt::ControlModifier;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        rowChosen(rows_->currentIndex());
    else if (key.key() == Qt::Key_F2)
        editCell(rows_->currentIndex().row(), rows_->currentIndex().column() == int(TapeColumn::Note));
    else if (key.key() == Qt::Key_Delete)
        deleteCurrent();
    else if (control && (key.key() == Qt::Key_Up || key.key() == Qt::Key_Down))
        moveCurrent(key.key() == Qt::Key_Up ? -1 : +1);
    else if (key.matches(QKeySequence::Undo))
        handlers_.undo();
    else if (key.matches(QKeySequence::Redo) || (control && key.key() == Qt::Key_Y))
        handlers_.redo();
    else if (key.matches(QKeySequence::Copy))
        copyCurrent(true);
    else if (isCloseKey(key))
        closeToCalculator();
    else if (const std::optional<int> step = cellStep(key))
        moveToCell(*step);
    else
        return false;
    return true;
}

void TapeWindow::moveToCell(int step)
{
    const int columns = tape_.columnCount();
    const int rows = tape_.rowCount();
    if (rows == 0 || !rows_->model())
        return;
    const QModelIndex current = rows_->currentIndex();
    const int at = current.isValid() ? current.row() * columns + current.column() : (step > 0 ? -1 : rows * columns);
    const int next = std::clamp(at + step, 0, rows * columns - 1);
    rows_->setCurrentIndex(tape_.index(next / columns, next % columns));
}

// F4 opens the window with the keyboard in the rows, on the newest one.
void TapeWindow::takeKeyboard()
{
    activateWindow();
    raise();
    rows_->setFocus(Qt::ShortcutFocusReason);
    if (!rows_->currentIndex().isValid() && tape_.size() > 0)
        rows_->setCurrentIndex(tape_.index(int(tape_.size() - 1), 0));
}

bool TapeWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == rows_ && event->type() == QEvent::FontChange)
        sizeCells();
    // Keys an open editor lets through are not the rows'.
    if (watched != rows_ || event->type() != QEvent::KeyPress || !rows_->hasFocus())
        return QWidget::eventFilter(watched, event);
    return handleRowKey(*static_cast<QKeyEvent*>(event));
}

void TapeWindow::keyPressEvent(QKeyEvent* event)
{
    if (isCloseKey(*event))
        closeToCalculator();
    else
        QWidget::keyPressEvent(event);
}

} // namespace numra
