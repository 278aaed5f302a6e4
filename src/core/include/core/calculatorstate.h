// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator's whole visible state: what every command to the core
// answers with, and all that the window (or numra-eval, or a test) needs to
// show it. The lasting part stays until a command changes it; the outcome
// holds what the last command did once (message boxes, a text for the
// clipboard, the wish that the entry field take the keyboard).

#include "core/amountformat.h"
#include "core/languagetable.h"
#include "core/vatamounts.h"
#include "core/vatrates.h"
#include "eval/errors.h"
#include "eval/number.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace numra {

// The three input modes.
enum class InputMode {
    Keypad, // digits build the operand, operators move it into the formula
    Edit,   // the whole formula is typed into the entry field
    Power,  // x^n pressed, the exponent is being entered
};

// The calculator window's own controls.
struct Display {
    QString entryText;
    int caret = 0;       // from 0 to the length of entryText
    TextSpan selection;  // selected text, or none (length 0); the caret then stands at its end
    bool entryReadOnly = true;
    bool editIndicatorVisible = false;
    bool roundingChecked = false;
};

// A number the calculator showed: its text, and the value of exactly that
// text (2,68 for 2.675 shown with two decimals), which the tape adds up;
// rounded when the text leaves out digits of the value beyond its places.
struct ShownValue {
    QString text;
    Number value;
    bool rounded = false;
};

// The memory register: nothing stored since start, cleared with MC, or a text.
struct MemoryRegister {
    enum class State { Empty, Null, Text };
    State state = State::Empty;
    QString text;
};

enum class MessageKind {
    Error,       // error icon, caption "Fehler"
    Information, // information icon, caption "Informationen"
    Plain,       // no icon (the copy notice of the VAT window)
};

// A message box with one "OK" button.
struct Message {
    MessageKind kind = MessageKind::Error;
    QString text;
    bool operator==(const Message&) const = default;
};

// The formula window in its subtotal role, beside the calculator: open from
// a subtotal until the user closes it.
struct SubtotalWindow {
    bool open = false;
    QString caption; // "Zwischensumme" ("Subtotal"); "Formula" after a refused save
    QString text;
    bool operator==(const SubtotalWindow&) const = default;
};

// The open VAT calculation as the VAT window shows it: the three amounts,
// and the rate they were computed with among the rates it offers; and the
// amount typed, from which another rate computes it again.
struct VatCalculation {
    bool fromNet = true;       // "Ust+": the amount typed is the net amount
    std::int64_t typedCents = 0;
    Language language = Language::German; // of the window's two buttons
    VatAmounts amounts;
    QString taxCaption; // "Umsatzsteuer" after "Ust+", "UST" after "Ust-"
    QString rateText;   // "19 %"
    std::vector<VatRateChoice> rateChoices;

    // "Umsatzsteuer 19 %"
    QString taxLabel() const { return taxCaption + u' ' + rateText; }
    bool operator==(const VatCalculation&) const = default;
};

// What the calculator asks the user in a modal window before it goes on;
// the answer is the next command (answerFormula, saveTo, loadFrom,
// answerOwnVatRate).
struct Question {
    enum class Kind {
        None,
        ConfirmFormula, // the formula window in its save role; text: the formula offered
        SaveFileName,   // the save dialog; text: the folder it starts in
        OpenFileName,   // the open dialog
        OwnVatRate,     // a rate of the user's own, to replace vatRates.own
        AddPastedAmounts, // a pasted column: add its amounts? text: the question
    };
    Kind kind = Kind::None;
    QString text;
};

// What the last command did once.
struct Outcome {
    std::vector<Message> messages;    // in the order they are shown
    bool subtotalShown = false;       // a subtotal appeared in the subtotal window
    bool vatCalculated = false;       // a VAT calculation appeared in the VAT window
    std::optional<QString> clipboard; // plain text for the system clipboard
    bool focusEntry = false;          // the entry field takes the keyboard
    // The value an evaluation showed, in the entry field or as a subtotal.
    std::optional<ShownValue> result;
    // The tape row a command on the tape changed, for the window to show it.
    std::optional<qsizetype> tapeRow;
    // A short word on the pending-formula line about what the command did
    // ("22 kopiert"); it goes with the next command.
    QString notice;
};

struct CalculatorState {
    Display display;
    InputMode inputMode = InputMode::Keypad;
    QString formula;   // the pending formula, as the user built it
    QString powerBase; // the base of a pending x^n, as typed
    // The entry shows the result of a finished calculation (or a recalled
    // value in its place): the next digit or decimal key starts a new
    // number, an operator goes on from it.
    bool resultShown = false;
    // Where the last evaluation of the pending formula failed, when the
    // error belongs to one place of it.
    std::optional<TextSpan> formulaError;
    Language language = Language::German;
    // Decimal while "Genau rechnen (dezimal)" is on: every calculation then
    // computes with exact decimal values.
    Arithmetic arithmetic = Arithmetic::Binary;
    // The decimal selector, the rounding switch and "Tausenderpunkte". Every
    // text of the state is without thousands separators (a program may read
    // it); the window, numra-eval's output and the tape's print and text
    // export add them (readableAmount) where a result, subtotal, VAT amount
    // or total is shown, and never in a field the user edits.
    AmountFormat amountFormat;
    // The last evaluation showed a subtotal instead of a result.
    bool lastWasSubtotal = false;
    MemoryRegister memory;
    VatRates vatRates;
    SubtotalWindow subtotal;
    std::optional<VatCalculation> vat; // while the VAT window is open
    Question question;
    QString dataFolder; // where saving starts
    Outcome outcome;
};

} // namespace numra
