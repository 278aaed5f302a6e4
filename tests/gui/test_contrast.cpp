// SPDX-License-Identifier: GPL-3.0-or-later
// Every text of Numra is readable: a contrast of at least 4.5:1 between the
// text's colour and the colour it is drawn on, as the Web Content
// Accessibility Guidelines ask of small text. Checked twice: over the
// colours of the visual style's rules, in every state they name, and over
// what each text of each window is drawn in with the style on.

#include "gui/guitest.h"

#include "gui/visualstyle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>

using namespace numra;
using namespace numra::testing;

namespace {

constexpr double minimumContrast = 4.5;

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

::testing::AssertionResult readable(const QColor& text, const QColor& ground)
{
    const double ratio = contrast(text, ground);
    if (ratio >= minimumContrast)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << text.name().toStdString() << " on " << ground.name().toStdString()
                                         << " has a contrast of " << QString::number(ratio, 'f', 2).toStdString()
                                         << ":1";
}

// The style sheet's rules: selector, then property and value.
using Rules = QMap<QString, QMap<QString, QString>>;

Rules readStyleSheet(const QString& name)
{
    QFile file(QStringLiteral(":/numra/styles/%1.qss").arg(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QRegularExpression(QStringLiteral(R"(/\*.*?\*/)"), QRegularExpression::DotMatchesEverythingOption));
    Rules rules;
    static const QRegularExpression block(QStringLiteral(R"(([^{}]+)\{([^}]*)\})"));
    for (const QRegularExpressionMatch& match : block.globalMatch(text)) {
        for (const QString& selector : match.captured(1).split(u',')) {
            auto& properties = rules[selector.trimmed()];
            for (const QString& declaration : match.captured(2).split(u';')) {
                const qsizetype colon = declaration.indexOf(u':');
                if (colon > 0)
                    properties[declaration.left(colon).trimmed()] = declaration.mid(colon + 1).trimmed();
            }
        }
    }
    return rules;
}

// "QMenu::item:selected" takes what it does not set from "QMenu::item", and
// that from "QMenu".
QString outerSelector(const QString& selector)
{
    const qsizetype colon = selector.lastIndexOf(u':');
    return colon <= 0 ? QString() : selector.left(selector[colon - 1] == u':' ? colon - 1 : colon);
}

std::optional<QColor> colourOf(const Rules& rules, QString selector, const QStringList& properties)
{
    for (; !selector.isEmpty(); selector = outerSelector(selector))
        for (const QString& property : properties)
            if (const QString value = rules.value(selector).value(property); !value.isEmpty()) {
                const QColor colour = QColor::fromString(value);
                return colour.isValid() ? std::optional(colour) : std::nullopt; // an overlay such as rgba()
            }
    return std::nullopt;
}

class Contrast : public ::testing::Test, public NumraFixture {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(applyVisualStyle(*qApp, defaultStyleName)); }
    static void TearDownTestSuite() { qApp->setStyleSheet(QString()); }
};

TEST_F(Contrast, EveryTextColourOfTheStyleOnItsGround)
{
    const Rules rules = readStyleSheet(defaultStyleName);
    const struct {
        QStringList text;
        QStringList ground;
    } pairs[] = {
        {{QStringLiteral("color")}, {QStringLiteral("background"), QStringLiteral("background-color")}},
        {{QStringLiteral("selection-color")}, {QStringLiteral("selection-background-color")}},
        {{QStringLiteral("color")}, {QStringLiteral("alternate-background-color")}}, // every other row
    };
    int checked = 0;
    for (auto rule = rules.begin(); rule != rules.end(); ++rule) {
        for (const auto& pair : pairs) {
            // A rule that sets either colour is a state in which text is drawn.
            const auto own = [&](const QStringList& properties) {
                return std::ranges::any_of(properties, [&](const QString& p) { return rule->contains(p); });
            };
            if (!own(pair.text) && !own(pair.ground))
                continue;
            const std::optional<QColor> text = colourOf(rules, rule.key(), pair.text);
            const std::optional<QColor> ground = colourOf(rules, rule.key(), pair.ground);
            if (!text || !ground)
                continue;
            EXPECT_TRUE(readable(*text, *ground)) << rule.key().toStdString();
            ++checked;
        }
    }
    EXPECT_GE(checked, 5) << "the keys, their states, the menu, its selection, the tooltips and the selected text";
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

TEST_F(Contrast, EveryTextOfEveryWindowOnWhatIsBehindIt)
{
    QMessageBox message(QMessageBox::Critical, QStringLiteral("Fehler"), QStringLiteral("Ungültige Eingabe"),
                        QMessageBox::Ok);
    mainWindow.toggleTapeWindow(); // its total is shown while it is open
    QWidget* all[] = {&mainWindow, &windows.aboutWindow, &windows.vatWindow, &windows.helpWindow,
                      &windows.formulaWindow, &windows.copyChooser, &windows.tapeWindow, &message};
    int checked = 0;
    for (QWidget* window : all) {
        window->ensurePolished();
        for (const QWidget* widget : window->findChildren<QWidget*>()) {
            const QString text = shownText(widget);
            if (text.isEmpty())
                continue;
            EXPECT_TRUE(readable(widget->palette().color(widget->foregroundRole()), groundOf(widget)))
                << window->metaObject()->className() << " " << window->objectName().toStdString() << ": "
                << text.left(40).toStdString();
            ++checked;
        }
    }
    EXPECT_GE(checked, 50);
}

} // namespace
