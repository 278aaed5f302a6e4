// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calculator: every key of the calculator window and every answer the
// user gives in its windows, without widgets. Commands in, state out: each
// command returns the whole visible state (core/calculatorstate.h), which
// the window renders in one function; the core never calls a window and
// never waits. A question for the user (a file name, the formula to save)
// is part of the state, and the answer is the next command.
//
// Errors never leave a command: each ends as an error message of the
// state's outcome, and the state is left as it was at the moment of the
// error. Errors are thrown, except the common ones of evaluating a formula
// ("1/0", "12+*3"), which are handed back as a value (eval/fallible.h): a
// thrown error costs many times the formula. Both end as the same message
// on the same path. An evaluator's error that belongs to one place of the formula marks
// it (CalculatorState::formulaError), and in the entry field when the field
// shows the formula.

#include "core/calculatorstate.h"
#include "core/keys.h"
#include "core/tape.h"
#include "core/tapehistory.h"
#include "eval/interpreter.h"
#include "files/linebuffer.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <vector>

namespace numra {

// Keys join texts, and some double them (an operator key in edit mode
// appends the shown formula to itself); a key that would make the formula or
// the entry longer than this is refused with kTextTooLong, so that a key held
// down cannot exhaust the memory.
inline constexpr qsizetype kMaxTextLength = 4 * 1024 * 1024;
inline const QString kTextTooLong = QStringLiteral("Die Berechnung ist zu lang.");
// The note of a tape row that came from the clipboard (computeClipboard).
inline const QString kClipboardNote = QStringLiteral("Zwischenablage");

class RowCalculator;

class Calculator {
public:
    // decimalSeparator: the user's regional separator (systemDecimalSeparator()).
    explicit Calculator(QChar decimalSeparator);
    ~Calculator();
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    const CalculatorState& state() const { return state_; }
    QChar decimalSeparator() const { return separator_; }
    // A text of the language table in the current language.
    QString text(TextId id) const { return languageText(id, state_.language); }

    // The window is shown for the first time: German, keypad mode, nothing
    // pending for x^n, entry emptied and focused; dataFolder is where saving
    // starts. Formula, the memory and the entry's read-only state are kept.
    const CalculatorState& start(const QString& dataFolder);

    // A click on a key, with the key's whole reaction.
    const CalculatorState& press(Key key);
    // A key of the keyboard in keypad mode: the key it is bound to, if any;
    // then, whatever the key was, the caret goes to the end of the entry.
    const CalculatorState& pressFromKeyboard(std::optional<Key> key);

    // Backspace, Delete or Escape (core/keys.h); Escape closes the subtotal
    // window, which the core keeps, before it clears anything.
    const CalculatorState& pressClearingKey(ClearingKey key);

    // The rounding check box "auf 2 Nachkommastellen runden" is set; it
    // rounds the entry to the selected places only when its state changes.
    const CalculatorState& setRoundingChecked(bool checked);

    // --- how amounts are shown (amountsettings.cpp) ---
    // "Nachkommastellen": a number of places (0 to 4, ADD) is a wish to
    // round, so the rounding box is checked (and rounds the entry, when it
    // was not, or to fewer places); F unchecks it: free results. The box
    // stays the user's to switch afterwards.
    const CalculatorState& setDecimalSelector(DecimalSelector selector);
    // F3: the next place of the selector, F after ADD.
    const CalculatorState& stepDecimalSelector();
    // "aufrunden", "5/4", "abrunden": the results from now on.
    const CalculatorState& setRoundingMode(RoundingMode mode);
    // "Tausenderpunkte": only how results are read (CalculatorState::amountFormat).
    const CalculatorState& setGrouping(bool on);

    // The user typed or edited the entry field (edit mode), or a loaded file
    // was put into it. caret -1 puts the caret after the last character.
    const CalculatorState& setEntryText(QStringView text, int caret = -1);
    const CalculatorState& setCaretPosition(int caret);
    // Appended at the end of the entry field: a result from the tape, the
    // "^" of the circumflex key in edit mode.
    const CalculatorState& appendToEntry(QStringView text);

    // The messages and the texts handed to other windows follow it.
    const CalculatorState& setLanguage(Language language);

    // "Genau rechnen (dezimal)": Decimal computes everything from then on
    // with exact decimal values, Binary as before; the tape's grand total
    // is summed again in the arithmetic chosen.
    const CalculatorState& setArithmetic(Arithmetic arithmetic);

    // --- VAT rates and the VAT window (vatkeys.cpp) ---
    // The rate of "Ust+" and "Ust-" and the user's own rate, each from 0 to
    // kMaxVatRate. While the VAT window is open, its calculation is made
    // again at the chosen rate; when an amount of it would then reach the
    // limit, the rates stay as they were and "Ungültige Eingabe" is shown.
    const CalculatorState& setVatRates(const VatRates& rates);
    // One of the rates on offer, or nothing for a new own rate, which is
    // then asked for (Question::OwnVatRate). A rate other than 19 % and
    // 7 % becomes the own rate.
    const CalculatorState& chooseVatRate(std::optional<int> rate);
    // The answer to Question::OwnVatRate; nothing: cancelled.
    const CalculatorState& answerOwnVatRate(std::optional<int> rate);
    // F5: 19 % and 7 % in turn.
    const CalculatorState& switchVatRate();
    // Copy in the VAT window: the chosen field's text as the window shows it
    // goes to the clipboard, and without blanks at both ends into the
    // memory register; a notice names it, and the window closes.
    const CalculatorState& copyAmount(VatField field, const QString& shownText);
    const CalculatorState& closeVatWindow();

    // The user closed the subtotal window.
    const CalculatorState& closeSubtotalWindow();

    // --- calculation files (calculationfiles.cpp) ---
    // "Berechnung speichern": offers the pending formula, or else the entry,
    // for confirmation (Question::ConfirmFormula); then asks for the file
    // (Question::SaveFileName) and writes it. Changes neither the formula
    // nor the entry nor the input mode.
    const CalculatorState& save();
    // The confirmed formula; an empty text means not to save.
    const CalculatorState& answerFormula(const QString& text);
    // The file to save to; an empty path means the dialog was cancelled.
    const CalculatorState& saveTo(const QString& path);
    // "Berechnung laden": switches to edit mode and asks for the file
    // (Question::OpenFileName).
    const CalculatorState& load();
    // The file's text, line breaks included, goes into the entry field; an
    // empty path means the dialog was cancelled.
    const CalculatorState& loadFrom(const QString& path);
    const LineBuffer& lineBuffer() const { return lineBuffer_; }

    // --- pasting (paste.cpp) ---
    // Ctrl+V: the text is read as people write amounts ("1.234,56 €",
    // "(45,00)"). One amount becomes the entry in keypad mode, as a value
    // recalled does, and goes in at the caret in edit mode; a text of
    // several amounts (a column of a spreadsheet) is offered for adding
    // (Question::AddPastedAmounts). Other text goes in as it is in edit mode
    // (a formula) and is refused with a message in keypad mode; an amount
    // that reads two ways is refused in either.
    const CalculatorState& paste(const QString& text);
    // The answer to Question::AddPastedAmounts: each amount becomes a row of
    // the tape and their sum the entry, or nothing happens.
    const CalculatorState& answerAddPastedAmounts(bool add);
    // "numra --zwischenablage": the clipboard's text (nothing: it holds no
    // text) is computed apart from what the calculator holds, as edit mode
    // computes a typed formula, one amount as Ctrl+V reads it, and a column
    // as the sum of its amounts once the user agrees (the question of
    // Ctrl+V, whose answer adds a row for each amount). The tape gets the
    // row with the note kClipboardNote, the plain result goes to the
    // clipboard and the pending-formula line says so (Outcome::notice); in
    // keypad mode the result becomes the entry, as a recalled value does,
    // and edit mode's field is left as the user typed it. An empty
    // clipboard, no text, an amount that reads two ways or a formula that
    // fails is a message, and changes nothing.
    const CalculatorState& computeClipboard(const std::optional<QString>& text);
    // On (the default), "=" in edit mode takes a text that the formula
    // language cannot read but that is an amount as people write it
    // ("1.234,56 €") as that amount. numra-eval switches it off: its
    // formulas fail as they always did.
    void setTypedAmountsRead(bool on) { readsTypedAmounts_ = on; }

    // --- the tape (taperecording.cpp) ---
    // Every completed calculation adds a row; errors add none. A calculation
    // that goes on from the result the entry shows (12 + 3 = then + 5 =, or
    // Ust+ on it) records where that result stands in it (TapeRowLink).
    Tape& tape() { return tape_; }
    const Tape& tape() const { return tape_; }
    // Off, no operation adds a row: numra-eval keeps a tape only when it is
    // asked to print it, since a row costs about as much as the calculation.
    void setTapeRecording(bool on) { tapeRecording_ = on; }
    // The grand total, or a result of the tape, as the next operand: it
    // replaces the entry in keypad mode and is appended to it otherwise, as
    // M- does. Taking over the grand total is a step of the tape's undo.
    const CalculatorState& recallGrandTotal();
    const CalculatorState& recallResult(const QString& result);
    // A formula from the tape: edit mode, with the formula in the entry field.
    const CalculatorState& editFormula(const QString& formula);

    // --- editing the tape (tapeediting.cpp) ---
    // Each is a step of the tape's history, and tells the row it changed
    // (Outcome::tapeRow). A row's formula, or the amount of a VAT row, as
    // the user corrected it: the row is computed again by the calculator's
    // rules with the rounding and rate it was made with, and so is every row
    // that continued from it. An error stays in the row (TapeRow::error), which
    // then counts nothing. A blank or unchanged text changes nothing; the
    // index size() is the empty last row, where a new formula is added.
    const CalculatorState& editTapeRow(qsizetype index, const QString& text);
    const CalculatorState& setTapeNote(qsizetype index, const QString& note);
    const CalculatorState& moveTapeRow(qsizetype index, qsizetype to);
    const CalculatorState& deleteTapeRow(qsizetype index);
    const CalculatorState& clearTape();
    const CalculatorState& undoTape();
    const CalculatorState& redoTape();
    const TapeHistory& tapeHistory() const { return tapeHistory_; }

    // --- tape documents (tapedocuments.cpp) ---
    // "Rechenstreifen öffnen…": the document's rows, each computed again,
    // replace the tape; a file that cannot be read is an error box and
    // changes nothing. "Rechenstreifen speichern…" writes the tape atomically.
    const CalculatorState& openTapeDocument(const QString& path);
    const CalculatorState& saveTapeDocument(const QString& path);

private:
    // Runs one command: the outcome starts empty, an error ends as a message,
    // whether it was thrown or handed back in failure_.
    template <class Command>
    const CalculatorState& run(Command command);
    void beginCommand();
    void reportError(const std::exception& error);
    void reportFailure();

    // Formula building (formulakeys.cpp).
    void pressKey(Key key);
    void appendCharacter(QChar c);
    void appendToFormula(QChar c);
    void operatorKey(QChar op);
    void insertAtCaret(const QString& text); // edit mode: replaces the selection
    void askToAddAmounts(std::vector<QString> amounts, bool fromClipboard);
    void computeClipboardFormula(const QString& formula);
    void giveBackToClipboard(const QString& result, std::optional<TapeRowId> row);
    void applyAddMode(QChar after); // the entry as ADD takes it into the formula
    void clearEntry();
    void clearingKey(ClearingKey key);
    void toggleEditMode();
    void equals();
    void computePendingPower();

    // Evaluation (calculate.cpp).
    enum class Evaluated { PendingFormula, Entry }; // what an error's place refers to
    // False when the evaluation failed: the failure is in failure_, and
    // the caller returns at once, as from a thrown error.
    [[nodiscard]] bool calculate();
    [[nodiscard]] bool calculateTypedFormula(); // edit mode's "=": a formula, or else an amount as written
    Number evaluate(QStringView formula, Evaluated evaluated); // on failure: failure_ set, Number() returned
    Number valueOfEntry();
    void markError(TextSpan where, Evaluated evaluated);
    void showResult(const Number& value);

    // Single-value operations (singlevalue.cpp).
    void percent();
    void signChange();
    void reciprocal();
    void squareRoot();
    void startPower();
    void cutDecimals();
    void changeRounding(bool checked);
    void roundingChanged();
    void selectDecimals(DecimalSelector selector);
    ShownFormat resultFormat() const;   // what "=" shows
    ShownFormat subtotalFormat() const; // the subtotal window: never free
    void memoryIn();
    void memoryOut();
    void memoryClear();
    void copyEntry();

    // Hexadecimal conversion (hexkeys.cpp).
    void hexToIntKey();
    void intToHexKey();

    // VAT keys (vatkeys.cpp).
    void vatKey(bool fromNet);
    std::optional<std::int64_t> enteredCents() const;
    std::optional<VatCalculation> vatCalculation(bool fromNet, std::int64_t typedCents);
    void takeVatRates(const VatRates& rates);
    void closeVat();

    // The tape (taperecording.cpp): a row for the operation that has just
    // completed, with the value it showed.
    void recordOnTape(TapeRowKind kind);
    // The row's result is the entry unless given: Hex->Int shows a pending
    // formula in front of its number.
    void recordOperation(TapeRowKind kind, const QString& formula, std::optional<TapeRowLink> link,
                         const std::optional<QString>& result = std::nullopt);
    void recordVatOnTape(TapeRowKind kind, const VatAmounts& amounts, int rate);
    void recorded(TapeRowId row);
    // Where the entry's text would stand at `offset`, when it starts with the
    // last result shown: the link of a calculation that goes on from it.
    std::optional<TapeRowLink> entryLink(int offset) const;
    void dropFormula();

    // Editing the tape (tapeediting.cpp).
    RowCalculator& rowCalculator();
    void recalculateFrom(qsizetype index);
    void applyTapeStep(const TapeStep& step);
    void placeAfter(TapeEntry entry, TapeRowId after);

    void putOperand(const QString& text); // replaces the entry in keypad mode, appends otherwise
    // Both make the entry a number being typed, not keyed digit by digit;
    // a result shown is marked afterwards.
    void setEntry(QStringView text, int caret = -1);
    void appendToEntryText(QStringView text); // the caret goes to the end
    void markResultShown() { state_.resultShown = true; }
    void enterEditMode();
    void leaveEditMode();
    void ensureRoomFor(qsizetype length) const;     // throws Error(kTextTooLong)
    void moveCaretToEnd();
    void wishEntryFocus() { state_.outcome.focusEntry = true; }
    void showMessage(MessageKind kind, const QString& text);
    void showError(const QString& message) { showMessage(MessageKind::Error, message); }

    QChar separator_;
    Interpreter interpreter_;
    CalculatorState state_;
    QString& formula_ = state_.formula;
    Display& display_ = state_.display;
    QString source_;                           // what the evaluators get: a copy of the formula
    LineBuffer lineBuffer_;                    // lives as long as the window: it remembers the encoding
    Tape tape_;
    bool tapeRecording_ = true;
    bool roundingAtStart_ = false; // of the command: what a row's recipe keeps
    // The last result shown in the entry, while the entry starts with it.
    struct ResultInEntry {
        TapeRowId row = 0;
        QString text;
    };
    std::optional<ResultInEntry> resultInEntry_;
    std::optional<TapeRowLink> formulaLink_;   // such a result in the pending formula
    std::optional<TapeRowLink> powerBaseLink_; // and in the base of a pending x^n
    // What the open VAT calculation was computed from, for its rows.
    struct VatInput {
        QString amount;
        bool twoDecimals = false;
        std::optional<TapeRowLink> link;
    };
    VatInput vatInput_;
    TapeHistory tapeHistory_;
    std::unique_ptr<RowCalculator> rowCalculator_; // made on the first edit
    std::vector<QString> pastedAmounts_; // while Question::AddPastedAmounts is asked
    bool amountsFromClipboard_ = false;  // the question came from computeClipboard
    bool readsTypedAmounts_ = true;
    // The entry holds only what the digit and decimal keys typed since it
    // was last set (ADD takes such an amount in cents).
    bool operandKeyed_ = false;
    Status failure_; // the error the command ends with, handed back instead of thrown
};

template <class Command>
const CalculatorState& Calculator::run(Command command)
{
    beginCommand();
    try {
        command();
    } catch (const std::exception& error) {
        if (failure_.ok()) // an error handed back came first
            reportError(error);
    }
    if (!failure_.ok()) [[unlikely]]
        reportFailure();
    return state_;
}

} // namespace numra
