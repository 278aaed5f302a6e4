// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' layouts: geometry, tab order, colours, fonts and accessible
// names. The calculator window is checked against the key table and its own
// layout table, the secondary windows against their fixed layouts.

#include "gui/guitest.h"

#include "gui/nachtblau.h"
#include "gui/pendinglineview.h"
#include "gui/visualstyle.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <map>
#include <optional>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace numra;
using namespace numra::testing;

namespace {

struct Shown {
    std::string what;
    QWidget* widget;
    std::optional<QString> caption; // not checked when missing
    std::optional<int> fontPixels; // 0: the window's 11 pixels; not checked when missing
};

// The controls the user works with: keys, fields, boxes.
bool isWorkedWith(const QWidget* widget)
{
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget)
        || qobject_cast<const QComboBox*>(widget) || qobject_cast<const QGroupBox*>(widget);
}

// Every control of the window or of a group box lies inside it (a label
// may reach a pixel beyond, as the help window's title does), and no
// control the user works with lies over another one of the same place,
// except the pairs named (the clipboard key over the entry field's right
// end).
void expectControlsInsideWithoutOverlap(QWidget& window,
                                        const std::vector<std::pair<QWidget*, QWidget*>>& overlapping = {})
{
    std::vector<QWidget*> placed;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        QWidget* parent = child->parentWidget();
        const bool ours = parent == &window || qobject_cast<QGroupBox*>(parent);
        if (!ours || child->isWindow() || !child->isVisibleTo(&window))
            continue;
        EXPECT_TRUE(parent->rect().adjusted(-1, -1, 1, 1).contains(child->geometry()))
            << child->metaObject()->className() << " '" << child->accessibleName().toStdString() << "'";
        if (isWorkedWith(child))
            placed.push_back(child);
    }
    for (std::size_t i = 0; i < placed.size(); ++i)
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            QWidget* a = placed[i];
            QWidget* b = placed[j];
            const bool named = std::ranges::find(overlapping, std::pair{a, b}) != overlapping.end()
                || std::ranges::find(overlapping, std::pair{b, a}) != overlapping.end();
            if (a->parentWidget() == b->parentWidget() && !named) {
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << a->accessibleName().toStdString() << " and " << b->accessibleName().toStdString();
            }
        }
}

// What the user sees at a point of a control, with the Nachtblau style on.
QColor shownColour(QWidget* widget, QPoint at)
{
    return widget->grab().toImage().pixelColor(at);
}

class Layout : public ::testing::Test, public NumraFixture {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(applyVisualStyle(*qApp, defaultStyleName)); }

    // A control shows its caption (when given) and font size.
    static void expectShown(const Shown& shown)
    {
        SCOPED_TRACE(shown.what);
        QWidget* widget = shown.widget;
        if (shown.caption) {
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                EXPECT_EQ(button->text(), *shown.caption);
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                EXPECT_EQ(label->text(), *shown.caption);
            }
        }
        if (shown.fontPixels) {
            EXPECT_EQ(widget->font().pixelSize(), *shown.fontPixels ? *shown.fontPixels : 11);
        }
    }
};

TEST_F(Layout, CalculatorWindowShowsItsKeysAndControlsAsTheTablesDescribe)
{
    EXPECT_EQ(mainWindow.size(), QSize(264, 331));
    EXPECT_TRUE(mainWindow.windowFlags() & Qt::FramelessWindowHint);
    const QColor grey(0x76, 0x76, 0x76);
    EXPECT_EQ(shownColour(&mainWindow, {5, 200}), grey);
    EXPECT_EQ(shownColour(&mainWindow, {5, 5}), grey) << "the title strip has the window's colour";
    for (QPoint edge : {QPoint(0, 200), QPoint(263, 200), QPoint(132, 0), QPoint(132, 330)})
        EXPECT_EQ(shownColour(&mainWindow, edge), QColor(0x0b, 0x12, 0x30)) << "the window's edge at " << edge.x() << "," << edge.y();
    EXPECT_EQ(shownColour(mainWindow.entryField(), {20, 12}), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_TRUE(mainWindow.entryField()->alignment() & Qt::AlignRight);
    EXPECT_TRUE(mainWindow.entryField()->isReadOnly());
    EXPECT_FALSE(mainWindow.control(WindowControl::EditIndicator)->isVisible()) << "edit-mode picture hidden at start";
    EXPECT_EQ(mainWindow.control(WindowControl::MenuButton)->parentWidget(), mainWindow.control(WindowControl::TitleStrip));
    EXPECT_EQ(mainWindow.keyButton(Key::Point)->text(), QString(mainWindow.calculator().decimalSeparator()))
        << "the decimal key shows the separator it writes";

    for (const KeyInfo& key : keyTable()) {
        const std::string caption = key.caption.toString().toStdString();
        QPushButton* button = mainWindow.keyButton(key.key);
        if (key.picture.isEmpty()) {
            EXPECT_EQ(button->text(), shownCaption(key, mainWindow.calculator().decimalSeparator())) << caption;
        }
        EXPECT_EQ(button->icon().isNull(), key.picture.isEmpty()) << caption;
        EXPECT_EQ(button->accessibleName(), key.accessibleName.toString()) << caption;
        EXPECT_EQ(mainWindow.childAt(button->geometry().center()), button) << caption << ": nothing lies over it";
    }
    expectControlsInsideWithoutOverlap(
        mainWindow, {{mainWindow.keyButton(Key::Clipboard), mainWindow.entryField()}});
}

// The pending formula shows between the title strip and the rounding box,
// over no control; a long one shows its end; screen readers get it whole.
TEST_F(Layout, PendingFormulaLineCoversNoControlAndShowsTheFormulasEnd)
{
    auto* line = static_cast<PendingLineView*>(mainWindow.control(WindowControl::PendingLine));
    ASSERT_TRUE(line->isVisible());
    for (QWidget* child : mainWindow.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == line || child == mainWindow.control(WindowControl::Edge) || !child->isVisible())
            continue;
        EXPECT_FALSE(child->geometry().intersects(line->geometry())) << child->accessibleName().toStdString();
    }
    EXPECT_EQ(line->marks()->text(), QStringLiteral("USt 19 %"));

    for (Key key : {Key::Digit1, Key::Digit2, Key::Plus, Key::Digit5})
        mainWindow.clickKey(key);
    EXPECT_EQ(line->formula()->text(), QStringLiteral("12+"));
    EXPECT_EQ(mainWindow.entryField()->text(), QStringLiteral("5"));

    for (int i = 0; i < 30; ++i)
        for (Key key : {Key::Digit7, Key::Digit8, Key::Multiply})
            mainWindow.clickKey(key);
    const QString shown = line->formula()->text();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("78*78*"))) << shown.toStdString();
    EXPECT_LE(line->formula()->fontMetrics().horizontalAdvance(shown), line->formula()->width());
    EXPECT_EQ(line->formula()->accessibleDescription(), mainWindow.calculator().state().formula);

    mainWindow.clickKey(Key::Digit2);
    mainWindow.clickKey(Key::Equals);
    EXPECT_EQ(line->formula()->text(), QString()) << "nothing pending after =";
}

// The rate box opens an ordinary list under itself, one readable row per
// rate, at every scale.
TEST_F(Layout, TheRateBoxOpensAnOrdinaryReadableListUnderItself)
{
    for (const QScreen* screen : QGuiApplication::screens()) {
        SCOPED_TRACE(screen->name().toStdString());
        mainWindow.move(screen->availableGeometry().topLeft() + QPoint(100, 100));
        processEvents();
        QRect list, box;
        int rowHeight = 0;
        int rows = 0;
        QColor rowGround;
        ModalScript modals;
        modals.then([&](QWidget&) {
            QComboBox* rates = windows.vatWindow().rateBox();
            rates->showPopup();
            processEvents();
            QWidget* popup = rates->view()->window();
            list = popup->frameGeometry();
            box = QRect(rates->mapToGlobal(QPoint(0, 0)), rates->size());
            const QRect row = rates->view()->visualRect(rates->model()->index(1, 0)); // not the chosen one
            rowHeight = row.height();
            const QImage shown = rates->view()->viewport()->grab().toImage();
            rowGround = shown.pixelColor(row.right() - 2, row.center().y());
            rows = rates->count();
            rates->hidePopup();
            windows.vatWindow().closeButton()->click();
        });
        mainWindow.setEntryText(QStringLiteral("100"));
        mainWindow.clickKey(Key::VatFromNet);
        EXPECT_GE(list.top(), box.top()) << "not above its box";
        EXPECT_LE(list.top(), box.bottom() + 2) << "right under its box";
        EXPECT_LE(list.height(), rows * rowHeight + 16) << "as high as its rows";
        EXPECT_GE(rowHeight, QFontMetrics(windows.vatWindow().rateBox()->font()).height()) << "a row holds its text";
        EXPECT_GE(list.width(), box.width());
        EXPECT_TRUE(rowGround == nachtblau::colour(nachtblau::Colour::Menu)
                    || rowGround == nachtblau::colour(nachtblau::Colour::MenuHighlight))
            << "its light text on a menu's ground, not on a field's";
    }
}

// The keypad's grid, column by column and row by row.
TEST_F(Layout, KeypadKeysSitInTheirGrid)
{
    const int columns[] = {37, 73, 104, 135, 166, 197};
    const int rows[] = {104, 135, 166, 197};
    const Key grid[4][6] = {
        {Key::ClearEntry, Key::Digit1, Key::Digit2, Key::Digit3, Key::Percent, Key::Power},
        {Key::MemoryIn, Key::Digit4, Key::Digit5, Key::Digit6, Key::Divide, Key::SquareRoot},
        {Key::MemoryOut, Key::Digit7, Key::Digit8, Key::Digit9, Key::Multiply, Key::Point},
        {Key::MemoryClear, Key::Digit0, Key::Plus, Key::Minus, Key::Reciprocal, Key::SignChange},
    };
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(mainWindow.keyButton(grid[row][column])->geometry(),
                      QRect(columns[column], rows[row], column == 0 ? 30 : 25, 25))
                << keyInfo(grid[row][column]).caption.toString().toStdString();
}

// Tab from the entry field visits every control that takes the focus by Tab
// once, in the order of their tab numbers in the tables, and comes back.
TEST_F(Layout, TabVisitsTheControlsInTheOrderOfTheirTabNumbers)
{
    std::map<const QWidget*, int> tabNumber;
    for (const ControlLayout& row : windowControlLayout())
        if (row.tabOrder >= 0)
            tabNumber[mainWindow.control(row.id)] = row.tabOrder;
    for (const KeyInfo& key : keyTable())
        tabNumber[mainWindow.keyButton(key.key)] = key.tabOrder;

    mainWindow.entryField()->setFocus();
    std::vector<int> visited{tabNumber.at(mainWindow.entryField())};
    for (std::size_t presses = 0; presses < tabNumber.size(); ++presses) {
        sendKey(Qt::Key_Tab);
        const auto found = tabNumber.find(QApplication::focusWidget());
        ASSERT_NE(found, tabNumber.end()) << "Tab reached a control without a tab number";
        if (found->first == mainWindow.entryField())
            break;
        visited.push_back(found->second);
    }
    EXPECT_EQ(visited.size(), tabNumber.size()) << "each control once before the entry field again";
    EXPECT_TRUE(std::ranges::is_sorted(visited)) << ::testing::PrintToString(visited);
    for (WindowControl flat : {WindowControl::MenuButton, WindowControl::HelpButton, WindowControl::MinimizeButton,
                               WindowControl::QuitButton})
        EXPECT_EQ(mainWindow.control(flat)->focusPolicy(), Qt::NoFocus) << int(flat);
}

// Each secondary window has the size of its sheet, shows its texts in their
// fonts, and holds its controls inside it without one over another.
TEST_F(Layout, SecondaryWindowsHoldTheirControlsInside)
{
    struct Window {
        const char* name;
        QWidget* window;
        QSize size;
        std::vector<Shown> controls;
    };
    VatWindow& vat = windows.vatWindow();
    CopyChooser& chooser = windows.copyChooser();
    FormulaWindow& formula = windows.formulaWindow();
    HelpWindow& help = windows.helpWindow();
    AboutWindow& about = windows.aboutWindow();
    const Window sheets[] = {
        {"VAT window", &vat, {244, 156},
         {{"net label", vat.netLabel(), "Netto:", 0},
          {"tax field", vat.taxField(), std::nullopt, 0},
          {"gross label", vat.grossLabel(), "Brutto:", 0},
          {"rate label", vat.rateLabel(), "Steuersatz:", 0},
          {"copy", vat.copyButton(), std::nullopt, 0}}},
        {"copy chooser", &chooser, {188, 196},
         {{"choices", chooser.choiceBox(), std::nullopt, 0},
          {"Brutto", chooser.group()->button(0), "Brutto", 0},
          {"Netto", chooser.group()->button(1), "Netto", 0},
          {"Steuer", chooser.group()->button(2), "Steuer", 0},
          {"ok", chooser.okButton(), "Ok", 0},
          {"cancel", chooser.cancelButton(), "Abbrechen", 0}}},
        {"formula window", &formula, {381, 105},
         {{"field", formula.field(), std::nullopt, 13},
          {"close", formula.closeButton(), "Schliessen", 0},
          {"save", formula.saveButton(), "Speichern", 0}}},
        {"help window", &help, {594, 396},
         {{"title", help.title(), "Hilfe", 27},
          {"text", help.text(), std::nullopt, 13},
          {"ok", help.okButton(), "OK", 0}}},
        {"about window", &about, {214, 191},
         {{"name", about.name(), "Numra", 19},
          {"version", about.version(), "Version: 2.0", 0},
          {"link", about.link(), std::nullopt, 0},
          {"ok", about.okButton(), "OK", 0}}},
    };
    for (const Window& sheet : sheets) {
        SCOPED_TRACE(sheet.name);
        EXPECT_EQ(sheet.window->size(), sheet.size);
        EXPECT_EQ(sheet.window->parentWidget(), &mainWindow) << "owned by the calculator window";
        EXPECT_FALSE(sheet.window->windowFlags() & Qt::WindowCloseButtonHint);
        for (const Shown& control : sheet.controls)
            expectShown(control);
        expectControlsInsideWithoutOverlap(*sheet.window);
    }
    EXPECT_EQ(shownColour(&vat, {4, 148}), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(shownColour(&about, {4, 100}), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(shownColour(vat.taxField(), {20, 10}), QColor(0xEE, 0xEE, 0xEE));
    EXPECT_TRUE(vat.taxField()->alignment() & Qt::AlignRight);
    EXPECT_EQ(shownColour(formula.field(), {200, 10}), QColor(0xEE, 0xEE, 0xEE));
    EXPECT_TRUE(about.okButton()->isDefault());
}

TEST_F(Layout, VatLabelsAreWholeAndLevelWithTheirFields)
{
    VatWindow& vat = windows.vatWindow();
    QLabel* tax = vat.taxLabel();
    const QFontMetrics metrics(tax->font());
    VatCalculation input;
    for (TextId id : {TextId::TaxLabelVatFromNet, TextId::TaxLabelVatFromGross})
        for (Language language : {Language::German, Language::English})
            for (int rate : {kStandardVatRate, kReducedVatRate, 1650, kMaxVatRate}) {
                input.taxCaption = languageText(id, language);
                input.rateText = formatVatRate(rate, u',');
                EXPECT_LE(metrics.horizontalAdvance(input.taxLabel()), tax->contentsRect().width())
                    << input.taxLabel().toStdString();
            }
    EXPECT_LT(tax->geometry().right(), vat.taxField()->geometry().left()) << "the field would hide the label's end";

    // The box shows the widest of the rates on offer whole.
    input.rateChoices = vatRateChoices(VatRates{kMaxVatRate, kMaxVatRate}, u',');
    vat.show(input);
    EXPECT_LE(vat.rateBox()->sizeHint().width(), vat.rateBox()->width());

    const std::pair<QLabel*, QWidget*> rows[] = {{vat.netLabel(), vat.netField()},
                                                 {tax, vat.taxField()},
                                                 {vat.grossLabel(), vat.grossField()},
                                                 {vat.rateLabel(), vat.rateBox()}};
    for (const auto& [label, field] : rows) {
        EXPECT_EQ(label->geometry().center().y(), field->geometry().center().y()) << label->text().toStdString();
        EXPECT_TRUE(label->alignment() & Qt::AlignVCenter) << label->text().toStdString();
    }
}

TEST_F(Layout, EveryButtonHasAnAccessibleName)
{
    const QWidget* all[] = {&mainWindow, &windows.aboutWindow(), &windows.vatWindow(), &windows.helpWindow(),
                            &windows.formulaWindow(), &windows.copyChooser(), &windows.tapeWindow()};
    for (const QWidget* window : all)
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            EXPECT_FALSE(button->accessibleName().isEmpty())
                << window->objectName().toStdString() << ": " << button->text().toStdString();
    EXPECT_EQ(mainWindow.keyButton(Key::Power)->accessibleName(), QStringLiteral("x hoch n"));
    EXPECT_EQ(mainWindow.control(WindowControl::QuitButton)->accessibleName(), QStringLiteral("Beenden"));
}

} // namespace
