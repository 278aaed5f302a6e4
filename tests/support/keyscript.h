// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives a Calculator with a line of key captions, as a user would: blanks
// separate the keys; "text:ABC" types ABC at the end of the entry field;
// "Runden" clicks the rounding check box. An error that reaches the event
// loop goes to the default error box, recorded by the FakeUi.

#include "core/calculator.h"
#include "fakeui.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <stdexcept>

// Failure messages show texts readably.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace numra::testing {

inline void runKeys(Calculator& calculator, CalculatorUi& ui, const QString& keys)
{
    for (const QString& word : keys.split(u' ', Qt::SkipEmptyParts)) {
        const bool typed = word.startsWith(u"text:");
        const bool rounding = word == u"Runden";
        const std::optional<Key> key = keyByCaption(word);
        if (!typed && !rounding && !key) // a typo in the test, no error box
            throw std::invalid_argument("unknown key in test script: " + word.toStdString());
        try {
            if (typed)
                calculator.setEntryText(calculator.display().entryText + word.mid(5));
            else if (rounding)
                calculator.setRoundingChecked(!calculator.display().roundingChecked);
            else
                calculator.press(*key);
        } catch (...) {
            ui.showMessage(MessageKind::Error, errorBoxTextOf(std::current_exception()));
        }
    }
}

// A calculator fresh from start-up on a FakeUi.
struct CalculatorRig {
    explicit CalculatorRig(QChar separator = u',') : calculator(ui, separator)
    {
        calculator.start(QStringLiteral("/home/user/.config/morvane/"));
    }
    void keys(const QString& line) { runKeys(calculator, ui, line); }
    // The transcript lines joined by " | ".
    QString transcript() const
    {
        return QStringList(ui.transcript.begin(), ui.transcript.end()).join(QStringLiteral(" | "));
    }

    FakeUi ui;
    Calculator calculator;
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
    EXPECT_EQ(rig.calculator.display().entryText, QString::fromUtf8(c.entry)) << c.name;
    EXPECT_EQ(rig.calculator.formula(), QString::fromUtf8(c.formula)) << c.name;
    EXPECT_EQ(rig.transcript(), QString::fromUtf8(c.transcript)) << c.name;
}

} // namespace numra::testing
