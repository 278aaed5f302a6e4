// SPDX-License-Identifier: GPL-3.0-or-later
// How the calculator window shows amounts: the menu's "Nachkommastellen",
// "Runden" and "Tausenderpunkte", kept between runs.

#include "gui/mainwindow.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

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
    auto* places = new QMenu(QStringLiteral("Nachkommastellen"), menu_);
    menuItems_[static_cast<std::size_t>(MenuItem::DecimalPlacesMenu)] = menu_->addMenu(places);
    const auto select = [this](DecimalSelector selector) {
        changeAmountFormat([&]() -> const CalculatorState& { return core_.setDecimalSelector(selector); });
    };
    addChoices(places, kDecimalSelectors, &decimalSelectorName, decimalSelectorItems_, select);

    auto* rounding = new QMenu(QStringLiteral("Runden"), menu_);
    menuItems_[static_cast<std::size_t>(MenuItem::RoundingMenu)] = menu_->addMenu(rounding);
    addChoices(rounding, kRoundingModes, &roundingModeName, roundingModeItems_, [this](RoundingMode mode) {
        changeAmountFormat([&]() -> const CalculatorState& { return core_.setRoundingMode(mode); });
    });

    QAction* grouping = menu_->addAction(QStringLiteral("Tausenderpunkte"));
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

} // namespace numra
