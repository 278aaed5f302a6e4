// SPDX-License-Identifier: GPL-3.0-or-later
// Every text of Numra is readable: a contrast of at least 4.5:1 between the
// text's colour and the colour it is drawn on, as the Web Content
// Accessibility Guidelines ask of small text, and 7:1 in the look "Hoher
// Kontrast". Checked twice in each look: over each pair of colours in which
// the visual style draws text, and over what each text of each window is
// drawn in with the style on.

#include "gui/guitest.h"

#include "gui/nachtblau.h"
#include "gui/visualstyle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace numra;
using namespace numra::testing;

namespace {

struct LookCase {
    const char* name;
    nachtblau::Look look;
    double minimumContrast;
};
constexpr LookCase looks[] = {{"standard", nachtblau::Look::Standard, 4.5},
                              {"Hoher Kontrast", nachtblau::Look::HighContrast, 7.0}};

double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour)
{
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) + 0.0722 * channel(colour.blue());
}

double contrast(const QColor& a, const QColor& b)
{
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

::testing::AssertionResult readable(const QColor& text, const QColor& ground, double minimumContrast)
{
    const double ratio = contrast(text, ground);
    if (ratio >= minimumContrast)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << text.name().toStdString() << " on " << ground.name().toStdString()
                                         << " has a contrast of " << QString::number(ratio, 'f', 2).toStdString()
                                         << ":1";
}

class Contrast : public ::testing::Test, public NumraFixture {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(applyVisualStyle(*qApp, defaultStyleName)); }
};

TEST_F(Contrast, EveryTextColourOfTheStyleOnItsGround)
{
    for (const LookCase& look : looks)
        for (const nachtblau::TextOnGround& pair : nachtblau::textsOnGrounds())
            EXPECT_TRUE(readable(nachtblau::colour(pair.text, look.look), nachtblau::colour(pair.ground, look.look),
                                 look.minimumContrast))
                << look.name << ": " << pair.where;
}

// The focus ring stands out by 3:1 from the ground inside it and round it.
TEST_F(Contrast, TheFocusRingOnEveryGroundItLiesOn)
{
    for (const LookCase& look : looks)
        for (const nachtblau::FocusOnGround& ring : nachtblau::focusRings()) {
            const QColor inside = nachtblau::colour(ring.inside, look.look);
            const QColor drawn = nachtblau::focusColourOn(inside, look.look);
            for (const QColor& ground : {inside, nachtblau::colour(ring.outside, look.look)})
                EXPECT_GE(contrast(drawn, ground), 3.0) << look.name << ", " << ring.where << ": "
                                                        << drawn.name().toStdString() << " on "
                                                        << ground.name().toStdString();
        }
}

// The colour a widget is drawn on: its own where it fills its ground, else
// that of the widget behind it.
QColor groundOf(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget())
        if (widget->isWindow() || widget->autoFillBackground() || qobject_cast<const QPushButton*>(widget)
            || qobject_cast<const QLineEdit*>(widget))
            return widget->palette().color(widget->backgroundRole());
    return Qt::white;
}

QString shownText(const QWidget* widget)
{
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(widget))
        return box->title();
    if (qobject_cast<const QLineEdit*>(widget))
        return QStringLiteral("(field)");
    return QString();
}

// Each look in turn, the style switched while the windows are there, as
// the menu item does it.
TEST_F(Contrast, EveryTextOfEveryWindowOnWhatIsBehindIt)
{
    QMessageBox message(QMessageBox::Critical, QStringLiteral("Fehler"), QStringLiteral("Ungültige Eingabe"),
                        QMessageBox::Ok);
    mainWindow.toggleTapeWindow(); // its total is shown while it is open
    mainWindow.menuItem(MenuItem::ExactArithmetic)->trigger(); // "Genau" in the pending-formula line
    QWidget* all[] = {&mainWindow, &windows.aboutWindow(), &windows.vatWindow(), &windows.helpWindow(),
                      &windows.formulaWindow(), &windows.copyChooser(), &windows.tapeWindow(), &message};
    for (const LookCase& look : looks) {
        applyHighContrast(*qApp, look.look == nachtblau::Look::HighContrast);
        int checked = 0;
        for (QWidget* window : all) {
            window->ensurePolished();
            for (const QWidget* widget : window->findChildren<QWidget*>()) {
                const QString text = shownText(widget);
                if (text.isEmpty())
                    continue;
                EXPECT_TRUE(readable(widget->palette().color(widget->foregroundRole()), groundOf(widget),
                                     look.minimumContrast))
                    << look.name << ": " << window->metaObject()->className() << " "
                    << window->objectName().toStdString() << ": " << text.left(40).toStdString();
                ++checked;
            }
        }
        EXPECT_GE(checked, 50);
    }
    applyHighContrast(*qApp, false);
}

} // namespace
