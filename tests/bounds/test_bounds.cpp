// SPDX-License-Identifier: GPL-3.0-or-later
// The largest inputs are answered with a value or a message: both evaluators,
// "=" in edit mode on the calculator core, and a calculation file far beyond
// the size of any formula. How fast they are answered is bench_bounds' part.

#include "bigtexts.h"
#include "support/fakeuser.h"

#include "core/calculator.h"
#include "eval/interpreter.h"
#include "eval/numbertext.h"
#include "eval/powerformula.h"
#include "files/calculationfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string_view>
#include <string>

using namespace numra;
using namespace numra::bounds;

namespace {

// A message of a megabyte is shown by its ends.
std::string shortened(const QString& text)
{
    if (text.size() <= 120)
        return text.toStdString();
    return (text.left(40) + QStringLiteral("...") + text.right(40)).toStdString();
}

// The number as the entry field would show it, or "error: " and the message.
std::string outcome(const std::function<long double()>& evaluate, QChar separator = u'.')
{
    try {
        return formatGeneral(evaluate(), separator).toStdString();
    } catch (const Error& error) {
        return "error: " + shortened(error.message());
    }
}

std::string powerFormula(const QString& text)
{
    return outcome([&] { return evaluatePowerFormula(text); });
}

std::string script(Interpreter& interpreter, const QString& text)
{
    return outcome([&] {
        interpreter.setSource(text);
        interpreter.run();
        return toDouble(interpreter.result(), ValueContext{u'.'});
    });
}

// Edit mode, the text in the entry field, "=": the entry field afterwards or
// the default error box's text.
std::string equalsInEditMode(const QString& text)
{
    Calculator calculator(u',');
    calculator.start(QStringLiteral("/tmp/morvane/"));
    calculator.press(Key::Edit);
    calculator.setEntryText(text);
    const CalculatorState& state = calculator.press(Key::Equals);
    if (!state.outcome.messages.empty())
        return "error: " + shortened(state.outcome.messages.back().text);
    if (state.outcome.subtotalShown)
        return "subtotal " + state.subtotal.text.toStdString();
    return shortened(state.display.entryText);
}

struct Expected {
    const char* name;
    const char* powerFormula;
    const char* script;
    const char* equalsInEditMode;
};

const Expected kExpected[] = {
    {"chain of 10,000,000 \"+1\"", "10000001", "10000001", "10000001"},
    {"1 and 10,000,000 \"-1\"", "-9999999", "-9999999", "-9999999"},
    {"1,000,000 nested parentheses", "error: Expression is too complex", "error: Stack overflow",
     "error: Stapelüberlauf."},
    {"1,000,000 signs", "1", "error: Stack overflow", "error: Stapelüberlauf."},
    {"1,000,000 \"not\"", "error: Syntax error in expression", "error: Stack overflow", "error: Stapelüberlauf."},
    {"1,000,000 nested blocks", "error: Syntax error in expression", "error: Stack overflow",
     "error: Stapelüberlauf."},
    {"1 MB of digits",
     "error: '999999999999999999999999999999999999999...999999' ist kein gültiger Gleitkommawert",
     "error: Type of expression must be integer", "error: Der Ausdruck muss vom Typ Integer sein."},
    {"1 MB of decimals", "1", "1", "1"},
    {"1 MB of blanks", "1", "1", "1"},
    {"1 MB comment", "error: Syntax error in expression", "1", "1"},
    // Calculate drops the closing quote (a subtotal), which leaves the string open.
    {"1 MB string", "error: Syntax error in expression",
     "error: Variante des Typs (UnicodeString) konnte nicht in Typ (Double) konvertiert werden",
     "error: Ausdruck erwartet, aber ''aaaaaaaaaaaaaa...aaaaaaaaaaaaaaaaaaaaaaaaaaaaa' gefunden."},
    {"1 MB of character codes", "error: Syntax error in expression",
     "error: Variante des Typs (UnicodeString) konnte nicht in Typ (Double) konvertiert werden",
     "error: Variante des Typs (UnicodeString) konnte nicht in Typ (Double) konvertiert werden."},
    {"1 MB of powers", "2", "2", "2"},
    // Each operation of the script is rounded to a double, the power
    // formula's are not.
    {"1 MB of mixed operators", "175002.8", "175002.799999593", "175002,799999593"},
    // Calculate turns every "," into "." before the interpreter sees the text.
    {"1 MB of variables", "error: Syntax error in expression", "1", "error: ':' erwartet, aber '.' gefunden."},
    // Calculate drops the final ";" (a subtotal).
    {"1 MB of assignments", "error: Syntax error in expression", "83333",
     "error: ';' erwartet, aber Ende der Formel gefunden."},
    // Texts joined in a run are bounded, so neither takes the memory.
    {"a text doubled 40 times", "error: Syntax error in expression", "error: Expression is too complex - overflow",
     "error: Der Ausdruck ist zu komplex - Überlauf."},
    {"1 MB of joined texts", "error: Syntax error in expression", "error: Expression is too complex - overflow",
     "error: Der Ausdruck ist zu komplex - Überlauf."},
};

const Expected& expectedFor(const char* name)
{
    for (const Expected& expected : kExpected) {
        if (std::string_view(expected.name) == name)
            return expected;
    }
    throw std::invalid_argument(std::string("no expectation for ") + name);
}

TEST(Bounds, EveryBigFormulaIsAnsweredWithAValueOrAMessage)
{
    Interpreter interpreter(ValueContext{u'.'});
    for (const BigText& big : bigTexts()) {
        SCOPED_TRACE(big.name);
        const Expected& expected = expectedFor(big.name);
        EXPECT_EQ(powerFormula(big.text), expected.powerFormula);
        EXPECT_EQ(script(interpreter, big.text), expected.script);
        EXPECT_EQ(equalsInEditMode(big.text), expected.equalsInEditMode);
    }
    EXPECT_EQ(script(interpreter, u"-5+2"_qs), "-3") << "the interpreter works on after them";
}

// The size refusal happens before anything is read, so a file of any size
// costs nothing; this one is sparse and takes no room on the disk.
TEST(Bounds, A100MegabyteFileIsRefusedWithAMessage)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("gross.clc"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(100LL * 1024 * 1024));
    }
    const QString refusal = QStringLiteral("Datei %1 ist zu groß für eine Berechnung (mehr als 1 MiB).").arg(path);

    Calculator calculator(u',');
    numra::testing::FakeUser user(calculator);
    user.take(calculator.start(QStringLiteral("/tmp/morvane/")));
    user.openFileNames.push_back(path);
    user.take(calculator.load());
    EXPECT_EQ(user.messageTexts(MessageKind::Error), std::vector<QString>{errorBoxText(refusal)});
    EXPECT_EQ(calculator.state().inputMode, InputMode::Edit);
    EXPECT_TRUE(calculator.state().display.entryText.isEmpty());
    EXPECT_TRUE(calculator.lineBuffer().text().isEmpty());
}

} // namespace
