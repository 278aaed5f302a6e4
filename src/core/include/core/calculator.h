// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator: its state and every key of the calculator window, without
// widgets. The window (or numra-eval, or a test) presses keys and reads the
// state back; the core reaches the screen only through CalculatorUi.
//
// Errors that the window's event loop shows in its default error box leave
// press() as numra::Error carrying the exact message (show it with
// errorBoxTextOf()); the state is then left as it was at the moment of the
// error.

#include "core/calculatorui.h"
#include "core/keys.h"
#include "core/languagetable.h"
#include "core/tape.h"
#include "core/vatrates.h"
#include "eval/interpreter.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace numra {

// The three input modes.
enum class InputMode {
    Keypad, // digits build the operand, operators move it into the formula
    Edit,   // the whole formula is typed into the entry field
    Power,  // x^n pressed, the exponent is being entered
};

// What the calculator window shows of the core's state: the window renders
// this one value after every key, and before a window opens modally in the
// middle of a key.
struct Display {
    QString entryText;
    int caret = 0; // from 0 to the length of entryText
    bool entryReadOnly = true;
    bool editIndicatorVisible = false;
    bool roundingChecked = false;
};

// The memory register: nothing stored since start, cleared with MC, or a text.
struct MemoryRegister {
    enum class State { Empty, Null, Text };
    State state = State::Empty;
    QString text;
};

// Keys join texts, and some double them (an operator key in edit mode
// appends the shown formula to itself); a key that would make the formula or
// the entry longer than this is refused with kTextTooLong, so that a key held
// down cannot exhaust the memory.
inline constexpr qsizetype kMaxTextLength = 4 * 1024 * 1024;
inline const QString kTextTooLong = QStringLiteral("Die Berechnung ist zu lang.");

class Calculator {
public:
    // decimalSeparator: the user's regional separator (systemDecimalSeparator()).
    Calculator(CalculatorUi& ui, QChar decimalSeparator);
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    // The window is shown for the first time: German, keypad mode, nothing
    // pending for x^n, entry emptied and focused; dataFolder is where saving
    // starts. Formula, the memory and the entry's read-only state are kept.
    void start(const QString& dataFolder);

    // A click on a key, with the key's whole reaction. May throw Error.
    void press(Key key);

    // The rounding check box "auf 2 Nachkommastellen runden" is set; it
    // rounds the entry only when its state changes.
    void setRoundingChecked(bool checked);

    // The user typed or edited the entry field (edit mode), or a loaded file
    // was put into it. caret -1 puts the caret after the last character.
    void setEntryText(QStringView text, int caret = -1);
    void setCaretPosition(int caret);

    // The messages and the texts handed to other windows follow it.
    void setLanguage(Language language);

    // The rate of "Ust+" and "Ust-" and the user's own rate, each from 0 to
    // kMaxVatRate (vatkeys.cpp). While the VAT window is open, its
    // calculation is made again at the chosen rate; when an amount of it
    // would then reach the limit, the rates stay as they were, "Ungültige
    // Eingabe" is shown and the result is false.
    const VatRates& vatRates() const { return vatRates_; }
    bool setVatRates(const VatRates& rates);

    // --- the tape (taperecording.cpp) ---
    // Every completed calculation adds a row; errors add none.
    Tape& tape() { return tape_; }
    const Tape& tape() const { return tape_; }
    // Off, no operation adds a row: numra-eval keeps a tape only when it is
    // asked to print it, since a row costs about as much as the calculation.
    void setTapeRecording(bool on) { tapeRecording_ = on; }
    // The grand total as the next operand: it replaces the entry in keypad
    // mode and is appended to it otherwise, as M- does. May throw Error.
    void recallGrandTotal();
    // A formula from the tape: edit mode, with the formula in the entry field.
    void editFormula(const QString& formula);
    // A result from the tape, appended at the end of the entry field.
    void appendToEntry(const QString& text);

    // --- state ---
    const QString& formula() const { return formula_; }
    InputMode inputMode() const { return inputMode_; }
    const QString& powerBase() const { return powerBase_; }
    Language language() const { return language_; }
    // The last evaluation showed a subtotal instead of a result.
    bool subtotalShown() const { return subtotalShown_; }
    const MemoryRegister& memory() const { return memory_; }
    const QString& dataFolder() const { return dataFolder_; }
    const Display& display() const { return display_; }
    QChar decimalSeparator() const { return separator_; }

    // A text of the language table in the current language.
    QString text(TextId id) const { return languageText(id, language_); }

private:
    // Formula building (formulakeys.cpp).
    void appendCharacter(QChar c);
    void appendToFormula(QChar c);
    void operatorKey(QChar op);
    void clearEntry();
    void toggleEditMode();
    void equals();
    void computePendingPower();

    // Evaluation (calculate.cpp).
    void calculate();
    void showResult(long double value);

    // Single-value operations (singlevalue.cpp).
    void percent();
    void signChange();
    void reciprocal();
    void squareRoot();
    void startPower();
    void cutDecimals();
    void roundingChanged();
    void memoryIn();
    void memoryOut();
    void memoryClear();
    void copyEntry();

    // Hexadecimal conversion (hexkeys.cpp).
    void hexToIntKey();
    void intToHexKey();

    // VAT keys (vatkeys.cpp).
    enum class VatDirection { FromNet, FromGross };
    struct VatCalculation {
        VatDirection direction;
        std::int64_t enteredCents;
    };
    void vatKey(VatDirection direction);
    std::optional<std::int64_t> enteredCents() const;
    std::optional<VatWindowInput> vatCalculation(VatCalculation calculation);

    // The tape (taperecording.cpp): a row for the operation that has just
    // completed, from the texts shown.
    void recordOnTape(TapeRowKind kind);
    void recordOperation(TapeRowKind kind, const QString& formula);
    void recordVatOnTape(TapeRowKind kind, const VatAmounts& amounts, int rate);
    QString withRegionalSeparator(QString formula) const;

    void putOperand(const QString& text); // replaces the entry in keypad mode, appends otherwise
    void appendToEntryText(QStringView text); // the caret goes to the end
    void enterEditMode();
    void leaveEditMode();
    void ensureRoomFor(qsizetype length) const;     // throws Error(kTextTooLong)
    void moveCaretToEnd();
    void focusEntry();
    void showError(const QString& message);

    CalculatorUi& ui_;
    QChar separator_;
    Interpreter interpreter_;

    QString formula_;
    InputMode inputMode_ = InputMode::Keypad;
    QString powerBase_;
    Language language_ = Language::German;
    bool subtotalShown_ = false;
    MemoryRegister memory_;
    QString dataFolder_;
    Display display_;
    VatRates vatRates_;
    std::optional<VatCalculation> openVatWindow_; // while the VAT window is open

    Tape tape_;
    bool tapeRecording_ = true;
    QString subtotalText_;           // the last subtotal shown; its buffer serves every subtotal
};

} // namespace numra
