// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tapewindow.h"

#include "core/tape.h"
#include "core/tapeformats.h"
#include "gui/errorguard.h"
#include "gui/fixeddialog.h"
#include "gui/nachtblau.h"
#include "gui/plaintooltips.h"
#include "gui/printdialog.h"
#include "gui/staysontop.h"
#include "gui/tapeprinting.h"
#include "platform/windowtitle.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
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

constexpr QSize kStartSize(400, 331); // as tall as the calculator
constexpr QSize kMinimumSize(260, 160);
// Room for the widest kind and for results of about twelve digits.
constexpr QStringView kWidestKind = u"Zwischensumme";
constexpr QStringView kWideResult = u"-123456789,00";
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

constexpr std::array<QStringView, static_cast<std::size_t>(TapeWindow::Action::Count)> kActionTexts{
    u"Zeile kopieren", u"Ergebnis kopieren", u"Zeile löschen", u"Rechenstreifen leeren"};

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
    summary_ = new QLabel(this);
    summary_->setTextFormat(Qt::PlainText);
    summary_->setFont(tahoma(13));
    summary_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    summary_->setAccessibleName(QStringLiteral("Summe und Posten"));
    layout->addWidget(summary_);
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
    rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rows_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    rows_->setWordWrap(false);
    rows_->setTabKeyNavigation(false);
    rows_->setShowGrid(false);
    rows_->setAlternatingRowColors(true);
    rows_->setContextMenuPolicy(Qt::CustomContextMenu);
    rows_->setItemDelegate(new PlainTextToolTips(rows_));
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
    // After the view's own connection, so that the new row is there.
    scrollToNewest_ = connect(&tape_, &QAbstractItemModel::rowsInserted, rows_, &QTableView::scrollToBottom);
    sizeCells();
    rows_->scrollToBottom();
    updateSummary();
}

// From the font, which the zoom changes. Neither column is sized to its
// contents, which would measure all rows.
void TapeWindow::sizeCells()
{
    const QFontMetrics metrics = rows_->fontMetrics();
    rows_->verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
    if (!rows_->model())
        return;
    QHeaderView* columns = rows_->horizontalHeader();
    columns->setSectionResizeMode(int(TapeColumn::Formula), QHeaderView::Stretch);
    columns->resizeSection(int(TapeColumn::Result), metrics.horizontalAdvance(kWideResult.toString()) + kCellPadding);
    columns->resizeSection(int(TapeColumn::Kind), metrics.horizontalAdvance(kWidestKind.toString()) + kCellPadding);
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
    for (std::size_t i = 0; i < actions_.size(); ++i)
        actions_[i] = contextMenu_->addAction(kActionTexts[i].toString());
    connect(action(Action::CopyRow), &QAction::triggered, this, [this] { copyCurrent(true); });
    connect(action(Action::CopyResult), &QAction::triggered, this, [this] { copyCurrent(false); });
    connect(action(Action::DeleteRow), &QAction::triggered, this, &TapeWindow::deleteCurrent);
    connect(action(Action::ClearTape), &QAction::triggered, this, [this] { tape_.clear(); });
}

void TapeWindow::showContextMenu(const QPoint& at)
{
    const QModelIndex index = rows_->indexAt(at);
    if (index.isValid())
        rows_->setCurrentIndex(index);
    for (Action rowAction : {Action::CopyRow, Action::CopyResult, Action::DeleteRow})
        action(rowAction)->setEnabled(index.isValid());
    action(Action::ClearTape)->setEnabled(tape_.size() > 0);
    contextMenu_->popup(rows_->viewport()->mapToGlobal(at));
}

// A double-click on the result takes the result, anywhere else the formula.
void TapeWindow::rowChosen(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const TapeRow& row = tape_.row(index.row());
    if (index.column() == int(TapeColumn::Result))
        handlers_.appendToEntry(row.result);
    else
        handlers_.editFormula(row.formula);
}

void TapeWindow::updateSummary()
{
    if (isVisible())
        summary_->setText(tape_.summary());
}

qsizetype TapeWindow::currentRow() const
{
    const QModelIndex index = rows_->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void TapeWindow::copyCurrent(bool wholeRow)
{
    const qsizetype row = currentRow();
    if (row < 0)
        return;
    const TapeRow& shown = tape_.row(row);
    QGuiApplication::clipboard()->setText(wholeRow ? tapeRowAsText(shown) : shown.result);
}

// The row that moves into the deleted one's place becomes the current one.
void TapeWindow::deleteCurrent()
{
    const qsizetype row = currentRow();
    if (row < 0)
        return;
    tape_.deleteRow(row);
    if (tape_.size() > 0)
        rows_->setCurrentIndex(tape_.index(int(std::min(row, tape_.size() - 1)), 0));
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
        if (const auto printer = askForPrinter(this, QStringLiteral("Rechenstreifen drucken")))
            printTape(tape_, *printer, QDate::currentDate());
    });
}

void TapeWindow::closeToCalculator()
{
    hide();
    if (QWidget* calculator = parentWidget())
        calculator->activateWindow();
}

bool TapeWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == rows_ && event->type() == QEvent::FontChange)
        sizeCells();
    if (watched != rows_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto& key = *static_cast<QKeyEvent*>(event);
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        rowChosen(rows_->currentIndex());
    else if (key.key() == Qt::Key_Delete)
        deleteCurrent();
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
    const int rows = int(tape_.size());
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

void TapeWindow::keyPressEvent(QKeyEvent* event)
{
    if (isCloseKey(*event))
        closeToCalculator();
    else
        QWidget::keyPressEvent(event);
}

} // namespace numra
