// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator window and what the user sets in its menu and keeps between
// runs: the VAT rate, how amounts are shown, "Genau rechnen (dezimal)",
// "Immer im Vordergrund", "Hoher Kontrast" and the window's position.

#include "gui/mainwindow.h"

#include "gui/accesskeys.h"
#include "gui/formulawindow.h"
#include "gui/placement.h"
#include "gui/staysontop.h"
#include "gui/vatwindow.h"
#include "gui/visualstyle.h"
#include "gui/zoom.h"
#include "platform/windowstacking.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QScreen>

namespace numra {

// Before the window is first shown, so that it comes up on top and in its
// place.
void MainWindow::applySettings()
{
    core_.setVatRates(settings_.vatRates());
    const AmountFormat amounts = settings_.amountFormat();
    core_.setRoundingMode(amounts.rounding);
    core_.setGrouping(amounts.grouping);
    core_.setDecimalSelector(amounts.selector);
    if (settings_.exactArithmetic())
        core_.setArithmetic(Arithmetic::Decimal);
    if (settings_.highContrast())
        applyHighContrast(*qApp, true);
    if (const int zoom = validZoom(settings_.zoom()); zoom != zoom_)
        setZoom(zoom);
    if (platform::windowsCanStayOnTop() && settings_.alwaysOnTop())
        setWindowFlag(Qt::WindowStaysOnTopHint);
    restorePosition();
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &MainWindow::keepPosition);
}

// What the user does in the VAT window goes to the core, which keeps the
// calculation it shows and closes it.
void MainWindow::connectVatWindow(VatWindow& vat)
{
    vat.setHandlers({
        [this](std::optional<int> rate) {
            changeVatRates([&]() -> const CalculatorState& { return core_.chooseVatRate(rate); });
        },
        [this](VatField field, const QString& shown) { render(core_.copyAmount(field, shown)); },
        [this] { render(core_.closeVatWindow()); },
    });
}

// The subtotal window, closed by the user; in its save role the answer comes
// from confirm().
void MainWindow::connectFormulaWindow(FormulaWindow& formula)
{
    connect(&formula, &QDialog::finished, this, [this, &formula] {
        if (!formula.isModal())
            render(core_.closeSubtotalWindow());
    });
}

// A screen of an earlier run may be gone, or smaller: a window that would
// not lie wholly on the screens there are is centred as on a first start.
void MainWindow::restorePosition()
{
    const std::optional<QPoint> kept = settings_.windowPosition();
    if (kept && liesOnTheScreens(QRect(*kept, size())))
        move(*kept);
    startPosition_ = pos();
}

// Written only when the user has moved the window.
void MainWindow::keepPosition()
{
    if (pos() != startPosition_)
        writeFailures_.attempt(WriteFailures::File::Settings, [this] { settings_.setWindowPosition(pos()); });
}

void MainWindow::changeVatRates(const std::function<const CalculatorState&()>& command)
{
    const VatRates before = core_.state().vatRates;
    render(command());
    const VatRates now = core_.state().vatRates;
    if (now != before)
        writeFailures_.attempt(WriteFailures::File::Settings, [&] { settings_.setVatRates(now); });
}

void MainWindow::setExactArithmetic(bool exact)
{
    settings_.setExactArithmetic(exact);
    render(core_.setArithmetic(exact ? Arithmetic::Decimal : Arithmetic::Binary));
}

void MainWindow::setHighContrast(bool on)
{
    writeFailures_.attempt(WriteFailures::File::Settings, [&] { settings_.setHighContrast(on); });
    applyHighContrast(*qApp, on);
}

// The windows beside the calculator keep their places beside it as it
// grows. A zoom that does not fit the screen is refused.
void MainWindow::setZoom(int percent)
{
    percent = validZoom(percent);
    if (percent == zoom_)
        return;
    if (const QScreen* screen = this->screen(); screen && percent > zoom_) {
        const QSize wanted = mainClientSize * percent / 100;
        const QSize room = screen->availableGeometry().size();
        if (wanted.width() > room.width() || wanted.height() > room.height())
            return;
    }
    zoom_ = percent;
    zoomApplicationFont(*qApp, percent);
    zoomWindow(*this, percent);
    windows_.setZoom(percent);
    if (!liesOnTheScreens(frameGeometry()))
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().topLeft());
    placeWindowsBeside();
    if (settings_.zoom() != percent)
        writeFailures_.attempt(WriteFailures::File::Settings, [&] { settings_.setZoom(percent); });
}

// Read by the next start, before it hands over or opens a window.
void MainWindow::setSingleWindow(bool single)
{
    writeFailures_.attempt(WriteFailures::File::Settings, [&] { settings_.setSingleWindow(single); });
}

// The windows that are showing take the flag at once, the others when they
// are next shown; the calculator keeps the keyboard.
void MainWindow::setAlwaysOnTop(bool onTop)
{
    writeFailures_.attempt(WriteFailures::File::Settings, [&] { settings_.setAlwaysOnTop(onTop); });
    setStaysOnTop(*this, onTop);
    for (QWidget* child : findChildren<QWidget*>())
        if (child->isWindow() && child->isVisible() && child->windowType() != Qt::Popup)
            stayOnTopLikeCalculator(*child);
    activateWindow();
}

// A submenu of the rates on offer, one item for each place of the list; the
// items show the list as it is when the menu opens.
void MainWindow::buildSettingsMenu()
{
    auto* rates = new QMenu(QStringLiteral("&Umsatzsteuersatz"), menu_);
    menuItems_[static_cast<std::size_t>(MenuItem::VatRateMenu)] = menu_->addMenu(rates);
    for (QAction*& item : vatRateItems_) {
        item = rates->addAction(QString());
        connect(item, &QAction::triggered, this, [this, item] {
            const QVariant rate = item->data();
            changeVatRates([&]() -> const CalculatorState& {
                return core_.chooseVatRate(rate.isValid() ? std::optional(rate.toInt()) : std::nullopt);
            });
        });
    }

    buildAmountMenu();

    QAction* exact = menu_->addAction(QStringLiteral("&Genau rechnen (dezimal)"));
    exact->setCheckable(true);
    connect(exact, &QAction::triggered, this, &MainWindow::setExactArithmetic);
    menuItems_[static_cast<std::size_t>(MenuItem::ExactArithmetic)] = exact;

    QAction* onTop = menu_->addAction(QStringLiteral("Immer im &Vordergrund"));
    onTop->setCheckable(true);
    onTop->setVisible(platform::windowsCanStayOnTop());
    connect(onTop, &QAction::triggered, this, &MainWindow::setAlwaysOnTop);
    menuItems_[static_cast<std::size_t>(MenuItem::AlwaysOnTop)] = onTop;

    QAction* contrast = menu_->addAction(QStringLiteral("Hoher &Kontrast"));
    contrast->setCheckable(true);
    connect(contrast, &QAction::triggered, this, &MainWindow::setHighContrast);
    menuItems_[static_cast<std::size_t>(MenuItem::HighContrast)] = contrast;

    QAction* single = menu_->addAction(QStringLiteral("Nur ein &Fenster"));
    single->setCheckable(true);
    connect(single, &QAction::triggered, this, &MainWindow::setSingleWindow);
    menuItems_[static_cast<std::size_t>(MenuItem::SingleWindow)] = single;
    QAction* shortcuts = menu_->addAction(QStringLiteral("Tastenkür&zel einrichten …"));
    connect(shortcuts, &QAction::triggered, this, &MainWindow::showShortcutsDialog);
    menuItems_[static_cast<std::size_t>(MenuItem::Shortcuts)] = shortcuts;
    connect(menu_, &QMenu::aboutToShow, this, &MainWindow::syncSettingsMenu);
    syncSettingsMenu();
}

void MainWindow::syncSettingsMenu()
{
    const std::vector<VatRateChoice> choices = vatRateChoices(core_.state().vatRates, core_.decimalSeparator());
    for (std::size_t i = 0; i < vatRateItems_.size(); ++i) {
        QAction* item = vatRateItems_[i];
        item->setVisible(i < choices.size());
        if (i >= choices.size())
            continue;
        item->setText(choices[i].caption);
        item->setData(choices[i].rate ? QVariant(*choices[i].rate) : QVariant());
        item->setCheckable(choices[i].rate.has_value());
        item->setChecked(choices[i].chosen);
    }
    giveAccessKeys(*menuItem(MenuItem::VatRateMenu)->menu());
    syncAmountMenu();
    menuItem(MenuItem::ExactArithmetic)->setChecked(core_.state().arithmetic == Arithmetic::Decimal);
    menuItem(MenuItem::AlwaysOnTop)->setChecked(windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    menuItem(MenuItem::HighContrast)->setChecked(settings_.highContrast());
    menuItem(MenuItem::SingleWindow)->setChecked(settings_.singleWindow());
}

} // namespace numra
