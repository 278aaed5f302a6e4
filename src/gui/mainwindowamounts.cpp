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

// Two submenus of exclusive choices, and a check item.
void MainWindow::buildAmountMenu()
{
    auto* places = new QMenu(QStringLiteral("Nachkommastellen"), menu_);
    menuItems_[static_cast<std::size_t>(MenuItem::DecimalPlacesMenu)] = menu_->addMenu(places);
    auto* placesGroup = new QActionGroup(places);
    for (std::size_t i = 0; i < kDecimalSelectors.size(); ++i) {
        const DecimalSelector selector = kDecimalSelectors[i];
        QAction* item = places->addAction(decimalSelectorName(selector).toString());
        item->setCheckable(true);
        placesGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this, selector] {
            changeAmountFormat([&]() -> const CalculatorState& { return core_.setDecimalSelector(selector); });
        });
        decimalSelectorItems_[i] = item;
    }

    auto* rounding = new QMenu(QStringLiteral("Runden"), menu_);
    menuItems_[static_cast<std::size_t>(MenuItem::RoundingMenu)] = menu_->addMenu(rounding);
    auto* roundingGroup = new QActionGroup(rounding);
    for (std::size_t i = 0; i < kRoundingModes.size(); ++i) {
        const RoundingMode mode = kRoundingModes[i];
        QAction* item = rounding->addAction(roundingModeName(mode).toString());
        item->setCheckable(true);
        roundingGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this, mode] {
            changeAmountFormat([&]() -> const CalculatorState& { return core_.setRoundingMode(mode); });
        });
        roundingModeItems_[i] = item;
    }

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
