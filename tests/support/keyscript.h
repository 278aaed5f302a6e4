// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives a Calculator with a line of key captions, as a user would: blanks
// separate the keys; "text:ABC" types ABC at the end of the entry field;
// "Runden" clicks the rounding check box; "Genau" switches "Genau rechnen
// (dezimal)" on or off; "Stellen:3" chooses a place of the decimal selector
// (F, 0 to 4, ADD), "F3" steps it, "Runden:abrunden" chooses the rounding,
// "Tausenderpunkte" switches thousands points on or off; "paste:TEXT"
// pastes TEXT with "_" for a blank and "\n" for a line break; "Backspace",
// "Delete" and "Escape" are those keys of the keyboard. The FakeUser writes
// down what each key showed and answers the windows it opens.

#include "core/calculator.h"
#include "fakeuser.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <stdexcept>

// Failure messages show texts readably.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace numra::testing {

inline void runKeys(Calculator& calculator, FakeUser& user, const QString& keys)
{
    for (const QString& word : keys.split(u' ', Qt::SkipEmptyParts)) {
        const Display& display = calculator.state().display;
        if (word.startsWith(u"text:"))
            user.take(calculator.setEntryText(display.entryText + word.mid(5)));
        else if (word == u"Runden")
            user.take(calculator.setRoundingChecked(!display.roundingChecked));
        else if (word == u"Genau")
            user.take(calculator.setArithmetic(calculator.state().arithmetic == Arithmetic::Binary
                                                   ? Arithmetic::Decimal
                                                   : Arithmetic::Binary));
        else if (word.startsWith(u"Stellen:") && decimalSelectorNamed(word.mid(8)))
            user.take(calculator.setDecimalSelector(*decimalSelectorNamed(word.mid(8))));
        else if (word.startsWith(u"paste:"))
            user.take(calculator.paste(
                word.mid(6).replace(u'_', u' ').replace(QStringLiteral("\\n"), QStringLiteral("\n"))));
        else if (word == u"F3")
            user.take(calculator.stepDecimalSelector());
        else if (word.startsWith(u"Runden:") && roundingModeNamed(word.mid(7)))
            user.take(calculator.setRoundingMode(*roundingModeNamed(word.mid(7))));
        else if (word == u"Tausenderpunkte")
            user.take(calculator.setGrouping(!calculator.state().amountFormat.grouping));
        else if (const std::optional<Key> key = keyByCaption(word))
            user.take(calculator.press(*key));
        else if (const std::optional<ClearingKey> clearing = clearingKeyByName(word))
            user.take(calculator.pressClearingKey(*clearing));
        else // a typo in the test, no error box
            throw std::invalid_argument("unknown key in test script: " + word.toStdString());
    }
}

// A calculator fresh from start-up, and its user.
struct CalculatorRig {
    explicit CalculatorRig(QChar separator = u',') : calculator(separator)
    {
        user.take(calculator.start(QStringLiteral("/home/user/.config/morvane/")));
    }
    void keys(const QString& line) { runKeys(calculator, user, line); }
    const CalculatorState& state() const { return calculator.state(); }
    // The transcript lines joined by " | ".
    QString transcript() const
    {
        return QStringList(user.transcript.begin(), user.transcript.end()).join(QStringLiteral(" | "));
    }

    Calculator calculator;
    FakeUser user{calculator};
};

// One row of a key-sequence table: the keys, then the entry field, the
// pending formula and the transcript afterwards.
struct KeyCase {
    const char* name;
    const char* keys;
    const char* entry;
    const char* formula;
    const char* transcript = "";
    char16_t separator = u',';
};

inline void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.name << " [" << c.keys << "] with '" << char(c.separator) << "'";
}

inline void expectKeyCase(const KeyCase& c)
{
    CalculatorRig rig(c.separator);
    rig.keys(QString::fromUtf8(c.keys));
    EXPECT_EQ(rig.state().display.entryText, QString::fromUtf8(c.entry)) << c.name;
    EXPECT_EQ(rig.state().formula, QString::fromUtf8(c.formula)) << c.name;
    EXPECT_EQ(rig.transcript(), QString::fromUtf8(c.transcript)) << c.name;
}

} // namespace numra::testing
