// SPDX-License-Identifier: GPL-3.0-or-later
// How the calculator window shows amounts: the menu's "Nachkommastellen",
// "Runden" and "Tausenderpunkte", kept between runs; and the entry field's
// clipboard, which reads pasted amounts and copies none with thousands
// points.

#include "gui/mainwindow.h"

#include "eval/digitgrouping.h"

#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <memory>

namespace numra {

void MainWindow::changeAmountFormat(const std::function<const CalculatorState&()>& command)
{
    const AmountFormat before = core_.state().amountFormat;
    render(command());
    const AmountFormat now = core_.state().amountFormat;
    if (now != before)
        writeFailures_.attempt(WriteFailures::File::Settings, [&] { settings_.setAmountFormat(now); });
}

namespace {

// One checkable item for each choice of the table, of which one is checked.
template <class Choice, std::size_t count, class Chosen>
void addChoices(QMenu* submenu, const std::array<Choice, count>& choices, QStringView (*name)(Choice),
                std::array<QAction*, count>& items, Chosen chosen)
{
    auto* group = new QActionGroup(submenu);
    for (std::size_t i = 0; i < count; ++i) {
        const Choice choice = choices[i];
        QAction* item = submenu->addAction(name(choice).toString());
        item->setCheckable(true);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, submenu, [chosen, choice] { chosen(choice); });
        items[i] = item;
    }
}

} // namespace

// Two submenus of exclusive choices, and a check item.
void MainWindow::buildAmountMenu()
{
    auto* places = new QMenu(QStringLiteral("&Nachkommastellen"), menu_);
    menuItems_[static_cast<std::size_t>(MenuItem::DecimalPlacesMenu)] = menu_->addMenu(places);
    const auto select = [this](DecimalSelector selector) {
        changeAmountFormat([&]() -> const CalculatorState& { return core_.setDecimalSelector(selector); });
    };
    addChoices(places, kDecimalSelectors, &decimalSelectorName, decimalSelectorItems_, select);

    auto* rounding = new QMenu(QStringLiteral("&Runden"), menu_);
    menuItems_[static_cast<std::size_t>(MenuItem::RoundingMenu)] = menu_->addMenu(rounding);
    addChoices(rounding, kRoundingModes, &roundingModeName, roundingModeItems_, [this](RoundingMode mode) {
        changeAmountFormat([&]() -> const CalculatorState& { return core_.setRoundingMode(mode); });
    });

    QAction* grouping = menu_->addAction(QStringLiteral("&Tausenderpunkte"));
    grouping->setCheckable(true);
    connect(grouping, &QAction::triggered, this, [this](bool on) {
        changeAmountFormat([&]() -> const CalculatorState& { return core_.setGrouping(on); });
    });
    menuItems_[static_cast<std::size_t>(MenuItem::Grouping)] = grouping;
}

void MainWindow::syncAmountMenu()
{
    const AmountFormat& format = core_.state().amountFormat;
    for (std::size_t i = 0; i < kDecimalSelectors.size(); ++i)
        decimalSelectorItems_[i]->setChecked(kDecimalSelectors[i] == format.selector);
    for (std::size_t i = 0; i < kRoundingModes.size(); ++i)
        roundingModeItems_[i]->setChecked(kRoundingModes[i] == format.rounding);
    menuItem(MenuItem::Grouping)->setChecked(format.grouping);
}

// The core pastes at its caret, over its selection: in edit mode both are
// the field's, which the user moves without a command.
void MainWindow::pasteClipboard()
{
    const QLineEdit* field = entryField();
    if (!field->isReadOnly()) {
        QString text = field->text();
        const int start = field->hasSelectedText() ? field->selectionStart() : field->cursorPosition();
        text.remove(start, field->selectedText().size());
        render(core_.setEntryText(text, start));
    }
    render(core_.paste(QGuiApplication::clipboard()->text()));
}

// The read-only field may show thousands points that the entry does not
// hold: the clipboard takes the selected characters of the entry.
void MainWindow::copySelection()
{
    const QLineEdit* field = entryField();
    if (!field->hasSelectedText())
        return;
    QString copied = field->selectedText();
    if (field->text() != core_.state().display.entryText)
        copied.remove(groupSeparatorFor(core_.decimalSeparator()));
    QGuiApplication::clipboard()->setText(copied);
}

// The read-only field's menu copies and pastes as Ctrl+C and Ctrl+V do;
// the editable field keeps the menu of a text field, in which "Einfügen"
// inserts the text as it is.
void MainWindow::showEntryMenu(const QPoint& at)
{
    QLineEdit* field = entryField();
    std::unique_ptr<QMenu> menu(field->isReadOnly() ? new QMenu : field->createStandardContextMenu());
    if (field->isReadOnly()) {
        menu->addAction(QStringLiteral("Kopieren"), this, &MainWindow::copySelection)
            ->setEnabled(field->hasSelectedText());
        menu->addAction(QStringLiteral("Einfügen"), this, &MainWindow::pasteClipboard)
            ->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
        menu->addSeparator();
        menu->addAction(QStringLiteral("Alles auswählen"), field, &QLineEdit::selectAll);
    }
    menu->exec(field->mapToGlobal(at));
}

} // namespace numra
