// SPDX-License-Identifier: GPL-3.0-or-later
// The windows' stored layouts: geometry, tab order, colours, fonts and
// accessible names, checked against tables written from the layout sheets.

#include "gui/guitest.h"

#include "gui/visualstyle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

struct Placed {
    const char* name;
    QRect geometry;
    const char* caption; // nullptr: not checked
    int fontPixels;      // 0: the window's 11 pixels
};

struct Shown {
    const char* what;
    QWidget* widget;
    QRect geometry;
    const char* caption; // nullptr: not checked
    int fontPixels;      // 0: the window's 11 pixels
};

// The calculator window, client coordinates (the title strip's children
// relative to the strip).
const Placed mainControls[] = {
    {"Edit1", {36, 74, 186, 24}, "", 13},
    {"BitBtn1", {73, 104, 25, 25}, "1", 0},     {"BitBtn2", {104, 104, 25, 25}, "2", 0},
    {"BitBtn3", {135, 104, 25, 25}, "3", 0},    {"BitBtn4", {73, 135, 25, 25}, "4", 0},
    {"BitBtn5", {104, 135, 25, 25}, "5", 0},    {"BitBtn6", {135, 135, 25, 25}, "6", 0},
    {"BitBtn7", {73, 166, 25, 25}, "7", 0},     {"BitBtn8", {104, 166, 25, 25}, "8", 0},
    {"BitBtn9", {135, 166, 25, 25}, "9", 0},    {"BitBtn10", {73, 197, 25, 25}, "0", 0},
    {"BitBtn11", {104, 197, 25, 25}, "+", 16},  {"BitBtn12", {135, 197, 25, 25}, "-", 19},
    {"BitBtn13", {166, 104, 25, 25}, "%", 13},  {"BitBtn14", {166, 135, 25, 25}, "/", 13},
    {"BitBtn15", {166, 166, 25, 25}, "*", 13},  {"BitBtn16", {37, 104, 30, 25}, "CE", 0},
    {"BitBtn17", {197, 104, 25, 25}, "", 0},    {"BitBtn18", {197, 135, 25, 25}, "√", 13},
    {"BitBtn19", {37, 290, 163, 25}, "=", 0},   {"BitBtn22", {119, 259, 80, 25}, "Edit", 0},
    {"BitBtn23", {197, 166, 25, 25}, ".", 13},  {"BitBtn20", {197, 197, 25, 25}, "+/-", 13},
    {"BitBtn24", {166, 197, 25, 25}, "1/x", 13}, {"BitBtn25", {37, 135, 30, 25}, "M+", 0},
    {"BitBtn26", {37, 166, 30, 25}, "M-", 0},   {"BitBtn27", {37, 197, 30, 25}, "MC", 0},
    {"ButtonHex", {37, 228, 60, 25}, "Hex->Int", 0},
    {"ButtonInt", {100, 228, 60, 25}, "Int->Hex", 0},
    {"CheckBoxRunden", {39, 51, 185, 17}, "auf 2 Nachkommastellen runden", 0},
    {"BitBtnUst", {194, 228, 30, 25}, "Ust+", 0},
    {"ButtonNetto", {162, 228, 30, 25}, "Ust-", 0},
    {"Panel4", {0, 0, 264, 28}, nullptr, 0},
    {"ButtonMenu", {11, -1, 28, 28}, nullptr, 0},
    {"Label4", {81, 3, 69, 17}, "Calculator", 13},
    {"SpeedButtonHelp", {184, -3, 22, 25}, nullptr, 0},
    {"ButtoniMini", {209, -2, 22, 25}, nullptr, 0},
    {"ButtonClose", {234, -3, 22, 25}, nullptr, 0},
    {"ButtonGanz", {37, 259, 80, 25}, "Ganzzahl", 0},
    {"PanelImage", {200, 262, 22, 20}, nullptr, 0},
    {"ButtonCipboard", {220, 75, 22, 22}, "", 0},
};

const char* const mainTabOrder[] = {
    "Edit1", "BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn6", "BitBtn7", "BitBtn8",
    "BitBtn9", "BitBtn10", "BitBtn11", "BitBtn12", "BitBtn13", "BitBtn14", "BitBtn15", "BitBtn16",
    "BitBtn17", "BitBtn18", "BitBtn19", "BitBtn22", "BitBtn23", "BitBtn20", "BitBtn24", "BitBtn25",
    "BitBtn26", "BitBtn27", "ButtonHex", "ButtonInt", "CheckBoxRunden", "BitBtnUst", "ButtonNetto",
    "ButtonGanz", "ButtonCipboard",
};

// What the user sees at a point of a control, with the Nachtblau style on.
QColor shownColour(QWidget* widget, QPoint at)
{
    return widget->grab().toImage().pixelColor(at);
}

class Layout : public ::testing::Test, public NumraFixture {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(applyVisualStyle(*qApp, defaultStyleName)); }
    static void TearDownTestSuite() { qApp->setStyleSheet(QString()); }

    void expectPlaced(QWidget& window, const Placed& p)
    {
        auto* widget = window.findChild<QWidget*>(QLatin1StringView(p.name));
        ASSERT_NE(widget, nullptr) << p.name;
        expectShown({p.name, widget, p.geometry, p.caption, p.fontPixels});
    }

    // A control shows its place, caption (when given) and font size.
    static void expectShown(const Shown& shown)
    {
        SCOPED_TRACE(shown.what);
        QWidget* widget = shown.widget;
        EXPECT_EQ(widget->geometry(), shown.geometry);
        if (shown.caption) {
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                EXPECT_EQ(button->text(), QString::fromUtf8(shown.caption));
            } else if (auto* label = qobject_cast<QLabel*>(widget)) {
                EXPECT_EQ(label->text(), QString::fromUtf8(shown.caption));
            }
        }
        EXPECT_EQ(widget->font().pixelSize(), shown.fontPixels ? shown.fontPixels : 11);
    }
};

TEST_F(Layout, CalculatorWindowMatchesItsLayoutSheet)
{
    EXPECT_EQ(mainWindow.size(), QSize(264, 331));
    EXPECT_TRUE(mainWindow.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(shownColour(&mainWindow, {5, 200}), QColor(128, 128, 128));
    EXPECT_EQ(shownColour(&mainWindow, {5, 5}), QColor(128, 128, 128)) << "the title strip has the window's colour";
    EXPECT_EQ(shownColour(mainWindow.entry(), {20, 12}), QColor(0xF0, 0xF0, 0xF0));
    EXPECT_TRUE(mainWindow.entry()->alignment() & Qt::AlignRight);
    EXPECT_TRUE(mainWindow.entry()->isReadOnly());
    EXPECT_FALSE(mainWindow.control(Control::Image1)->isVisible()) << "edit-mode picture hidden at start";
    for (const Placed& p : mainControls)
        expectPlaced(mainWindow, p);
}

TEST_F(Layout, TabOrderFollowsTheSheet)
{
    QWidget* at = mainWindow.entry();
    for (const char* name : mainTabOrder) {
        EXPECT_EQ(at->objectName(), QLatin1StringView(name));
        do
            at = at->nextInFocusChain();
        while (!(at->focusPolicy() & Qt::TabFocus) || !at->isVisible());
    }
    EXPECT_EQ(at, mainWindow.entry()) << "the chain closes";
    for (const char* flat : {"ButtonMenu", "SpeedButtonHelp", "ButtoniMini", "ButtonClose"})
        EXPECT_EQ(mainWindow.findChild<QWidget*>(QLatin1StringView(flat))->focusPolicy(), Qt::NoFocus) << flat;
}

TEST_F(Layout, SecondaryWindowsMatchTheirSheets)
{
    struct Window {
        const char* name;
        QWidget* window;
        QSize size;
        std::vector<Shown> controls;
    };
    VatWindow& vat = windows.vatWindow;
    CopyChooser& chooser = windows.copyChooser;
    FormulaWindow& formula = windows.formulaWindow;
    HelpWindow& help = windows.helpWindow;
    AboutWindow& about = windows.aboutWindow;
    const Window sheets[] = {
        {"VAT window", &vat, {244, 128},
         {{"net label", vat.netLabel(), {12, 8, 31, 13}, "Netto:", 0},
          {"net field", vat.netField(), {61, 8, 175, 21}, nullptr, 0},
          {"tax field", vat.taxField(), {61, 35, 175, 21}, nullptr, 0},
          {"gross label", vat.grossLabel(), {12, 67, 34, 13}, "Brutto:", 0},
          {"gross field", vat.grossField(), {61, 63, 175, 21}, nullptr, 0},
          {"copy", vat.copyButton(), {12, 91, 110, 22}, nullptr, 0},
          {"close", vat.closeButton(), {126, 91, 110, 22}, nullptr, 0}}},
        {"copy chooser", &chooser, {188, 196},
         {{"choices", chooser.choiceBox(), {8, 16, 161, 105}, nullptr, 0},
          {"ok", chooser.okButton(), {8, 127, 161, 22}, "Ok", 0},
          {"cancel", chooser.cancelButton(), {8, 155, 161, 22}, "Abbrechen", 0}}},
        {"formula window", &formula, {381, 105},
         {{"field", formula.field(), {8, 27, 356, 21}, nullptr, 13},
          {"close", formula.closeButton(), {190, 63, 110, 22}, "Schliessen", 0},
          {"save", formula.saveButton(), {64, 63, 110, 22}, "Speichern", 0}}},
        {"help window", &help, {594, 196},
         {{"title", help.title(), {-1, 0, 590, 41}, "Hilfe", 27},
          {"text", help.text(), {21, 32, 550, 120}, nullptr, 13},
          {"ok", help.okButton(), {232, 158, 123, 25}, "OK", 0}}},
        {"about window", &about, {214, 191},
         {{"name", about.name(), {5, 14, 200, 18}, "Numra", 19},
          {"version", about.version(), {8, 38, 198, 13}, "Version: 2.0", 0},
          {"link", about.link(), {5, 119, 200, 13}, nullptr, 0},
          {"ok", about.okButton(), {43, 144, 128, 30}, "OK", 0}}},
    };
    for (const Window& sheet : sheets) {
        SCOPED_TRACE(sheet.name);
        EXPECT_EQ(sheet.window->size(), sheet.size);
        EXPECT_EQ(sheet.window->parentWidget(), &mainWindow) << "owned by the calculator window";
        EXPECT_FALSE(sheet.window->windowFlags() & Qt::WindowCloseButtonHint);
        for (const Shown& control : sheet.controls)
            expectShown(control);
    }
    EXPECT_EQ(shownColour(&vat, {4, 120}), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(shownColour(&about, {4, 100}), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(shownColour(vat.taxField(), {20, 10}), QColor(0xEE, 0xEE, 0xEE));
    EXPECT_TRUE(vat.taxField()->alignment() & Qt::AlignRight);
    EXPECT_EQ(shownColour(formula.field(), {200, 10}), QColor(0xEE, 0xEE, 0xEE));
    EXPECT_TRUE(about.okButton()->isDefault());
}

TEST_F(Layout, EveryButtonHasAnAccessibleName)
{
    const QWidget* all[] = {&mainWindow, &windows.aboutWindow, &windows.vatWindow, &windows.helpWindow, &windows.formulaWindow, &windows.copyChooser};
    for (const QWidget* window : all)
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            EXPECT_FALSE(button->accessibleName().isEmpty())
                << window->objectName().toStdString() << ": " << button->text().toStdString();
    EXPECT_EQ(mainWindow.keyButton(Key::Power)->accessibleName(), QStringLiteral("x hoch n"));
    EXPECT_EQ(mainWindow.control(Control::ButtonClose)->accessibleName(), QStringLiteral("Beenden"));
}

} // namespace
