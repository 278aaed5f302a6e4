// SPDX-License-Identifier: GPL-3.0-or-later
// numra-eval: the calculator core on the command line (see --help).

#include "core/calculator.h"
#include "core/tapedocument.h"
#include "core/tapeformats.h"
#include "core/transcript.h"
#include "eval/errors.h"
#include "eval/numbertext.h"
#include "linereader.h"
#include "options.h"
#include "output.h"
#include "platform/filesizelimit.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <unistd.h>
#include <variant>
#include <vector>

using namespace numra;
using namespace numra::evaltool;

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int usageError(const QString& message)
{
    std::fprintf(stderr, "numra-eval: %s\nTry 'numra-eval --help' for more information.\n",
                 message.toLocal8Bit().constData());
    return kExitUsage;
}

// The answers are the program's result: output that did not arrive, or input
// that could not be read to its end, fails the run whatever was answered.
int finish(int status, Output& out, int readError = 0)
{
    out.flush();
    if (readError != 0) {
        std::fprintf(stderr, "numra-eval: cannot read standard input: %s\n", std::strerror(readError));
        status = kExitFailed;
    }
    if (out.error() != 0) {
        std::fprintf(stderr, "numra-eval: cannot write standard output: %s\n", std::strerror(out.error()));
        status = kExitFailed;
    }
    return status;
}

// Calculator state as the window has it after start-up.
void startUp(Calculator& calculator, const Options& options)
{
    calculator.start(QString());
    calculator.setLanguage(options.language);
    calculator.setRoundingMode(options.rounding);
    if (options.places)
        calculator.setDecimalSelector(*options.places);
    if (options.round)
        calculator.setRoundingChecked(true);
    calculator.setGrouping(options.grouping);
    calculator.setTypedAmountsRead(false); // a formula fails as it always did
    if (options.exact)
        calculator.setArithmetic(Arithmetic::Decimal);
    calculator.setTapeRecording(options.tape != Options::Tape::None);
    if (options.vatRate)
        calculator.setVatRates(withOwnRate(VatRates{}, *options.vatRate));
}

// Row by row: the tape may hold tens of megabytes of formulas.
void printTape(Options::Tape format, const Calculator& calculator, Output& out)
{
    const Tape& tape = calculator.tape();
    switch (format) {
    case Options::Tape::None:
        break;
    case Options::Tape::Text:
        for (qsizetype i = 0; i < tape.size(); ++i)
            out.line(tapeRowAsText(tape, i));
        out.line(tapeTotalAsText(tape));
        break;
    case Options::Tape::Csv:
        out.bytes(tapeCsvHeader(tape.hasNotes()));
        for (qsizetype i = 0; i < tape.size(); ++i)
            out.bytes(tapeRowAsCsv(tape.row(i), tape.decimalSeparator(), tape.hasNotes()).toUtf8());
        break;
    case Options::Tape::Document:
        out.bytes(tapeDocumentHeader(tape.decimalSeparator()).toUtf8());
        for (qsizetype i = 0; i < tape.size(); ++i)
            out.bytes(tapeDocumentLine(tape, i).toUtf8());
        break;
    }
}

// --- formula mode ---

// The lines of a command's outcome; true when an error box was among them.
bool printOutcome(const CalculatorState& state, bool namesVatRate, QChar decimalSeparator, Output& out)
{
    for (const QString& line : transcriptLines(state, namesVatRate, decimalSeparator))
        out.line(line);
    for (const Message& message : state.outcome.messages)
        if (message.kind == MessageKind::Error)
            return true;
    return false;
}

class FormulaRunner {
public:
    FormulaRunner(const Options& options, Output& out)
        : out_(out), namesVatRate_(options.vatRate.has_value()), keepsTape_(options.tape != Options::Tape::None),
          calculator_(options.decimalSeparator)
    {
        startUp(calculator_, options);
        calculator_.press(Key::Edit);
    }

    // Edit mode's "=" sets the pending formula to the entry's text, so every
    // formula starts as on a fresh calculator in edit mode. A result is the
    // entry field; a subtotal or an error prints its own line.
    void evaluate(const QString& formula)
    {
        if (isBlankText(formula)) {
            out_.line(QString());
            return;
        }
        // Each formula on its own: none goes on from the result before it.
        if (keepsTape_)
            calculator_.setEntryText(QString());
        calculator_.setEntryText(formula);
        const CalculatorState& state = calculator_.press(Key::Equals);
        if (!hasTranscript(state.outcome))
            printResult(state);
        else if (printOutcome(state, namesVatRate_, calculator_.decimalSeparator(), out_))
            failed_ = true;
    }

    // A line of standard input longer than the limit: answered without
    // being read whole.
    void refuseLongLine() { fail(QStringLiteral("Die Zeile ist länger als %1 Bytes.").arg(kMaxLineLength)); }

    bool failed() const { return failed_; }
    const Calculator& calculator() const { return calculator_; }

private:
    // The entry holds the result, as the field would show it in keypad mode.
    void printResult(const CalculatorState& state)
    {
        if (state.amountFormat.grouping)
            out_.line(readableAmount(state.display.entryText, true, calculator_.decimalSeparator()));
        else
            out_.line(state.display.entryText);
    }

    void fail(const QString& message)
    {
        out_.line(QStringLiteral("Fehler: "), message);
        failed_ = true;
    }

    Output& out_;
    bool namesVatRate_;
    bool keepsTape_;
    Calculator calculator_;
    bool failed_ = false;
};

// ASCII, nearly every formula, is widened into the buffer that text keeps;
// anything else goes through Qt's decoder (a broken sequence becomes U+FFFD).
// Both loops run without an early exit, so the compiler vectorizes them.
void decodeUtf8(std::string_view utf8, QString& text)
{
    unsigned char highBits = 0;
    for (const char byte : utf8)
        highBits |= static_cast<unsigned char>(byte);
    if (highBits >= 0x80) {
        text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
        return;
    }
    text.resize(qsizetype(utf8.size()));
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (std::size_t i = 0; i < utf8.size(); ++i)
        out[i] = char16_t(utf8[i]);
}

int runFormulas(const Options& options)
{
    Output out(STDOUT_FILENO);
    FormulaRunner runner(options, out);
    int readError = 0;
    if (!options.arguments.isEmpty()) {
        for (const QString& formula : options.arguments)
            runner.evaluate(formula);
    } else {
        LineReader input(STDIN_FILENO, out);
        std::string_view line;
        QString formula;
        // Once the output fails, nothing more could be answered.
        for (LineReader::Next next; out.error() == 0 && (next = input.next(line)) != LineReader::Next::End;) {
            if (next == LineReader::Next::TooLong) {
                runner.refuseLongLine();
                continue;
            }
            decodeUtf8(line, formula);
            runner.evaluate(formula);
        }
        readError = input.error();
    }
    printTape(options.tape, runner.calculator(), out);
    return finish(runner.failed() ? kExitFailed : 0, out, readError);
}

// --- key mode ---

struct TypeText {
    QString text;
};
struct ClickRounding {};
struct PasteText {
    QString text;
};
using KeyStep = std::variant<Key, ClearingKey, TypeText, ClickRounding, PasteText>;

std::optional<KeyStep> parseKeyStep(const QString& word)
{
    if (word.startsWith(u"text:"))
        return TypeText{word.mid(5)};
    if (word.startsWith(u"paste:"))
        return PasteText{word.mid(6)};
    if (word == u"Runden")
        return ClickRounding{};
    if (const auto key = keyByCaption(word))
        return *key;
    if (const auto key = clearingKeyByName(word))
        return *key;
    return std::nullopt;
}

// The VAT window, opened by a key, is closed again: numra-eval copies
// nothing.
const CalculatorState& runStep(Calculator& calculator, const KeyStep& step)
{
    const Display& display = calculator.state().display;
    if (const Key* key = std::get_if<Key>(&step))
        return calculator.press(*key);
    if (const ClearingKey* key = std::get_if<ClearingKey>(&step))
        return calculator.pressClearingKey(*key);
    if (const TypeText* typed = std::get_if<TypeText>(&step))
        return calculator.setEntryText(display.entryText + typed->text);
    if (const PasteText* pasted = std::get_if<PasteText>(&step))
        return calculator.paste(pasted->text);
    return calculator.setRoundingChecked(!display.roundingChecked);
}

int runKeys(const Options& options)
{
    std::vector<KeyStep> steps;
    for (const QString& word : options.arguments) {
        const auto step = parseKeyStep(word);
        if (!step)
            return usageError(QStringLiteral("unknown key '%1'").arg(word));
        steps.push_back(*step);
    }
    Output out(STDOUT_FILENO);
    Calculator calculator(options.decimalSeparator);
    startUp(calculator, options);
    bool errorShown = false;
    for (const KeyStep& step : steps) {
        if (printOutcome(runStep(calculator, step), options.vatRate.has_value(), options.decimalSeparator, out))
            errorShown = true;
        if (calculator.state().vat)
            calculator.closeVatWindow();
        // A pasted column is added, as "Ja" does.
        if (calculator.state().question.kind == Question::Kind::AddPastedAmounts) {
            out.line(QStringLiteral("Frage: "), calculator.state().question.text);
            if (printOutcome(calculator.answerAddPastedAmounts(true), options.vatRate.has_value(),
                             options.decimalSeparator, out))
                errorShown = true;
        }
    }
    out.line(QStringLiteral("Anzeige: "), entryAsShown(calculator.state(), options.decimalSeparator));
    out.line(QStringLiteral("Formel: "), calculator.state().formula);
    printTape(options.tape, calculator, out);
    return finish(errorShown ? kExitFailed : 0, out);
}

// --- tape documents ---

int runTapeFile(const Options& options)
{
    Output out(STDOUT_FILENO);
    Calculator calculator(options.decimalSeparator);
    startUp(calculator, options);
    for (const Message& message : calculator.openTapeDocument(options.tapeFile).outcome.messages) {
        if (message.kind == MessageKind::Error) {
            std::fprintf(stderr, "numra-eval: %s\n", message.text.toLocal8Bit().constData());
            return finish(kExitFailed, out);
        }
    }
    printTape(options.tape, calculator, out);
    const Tape& tape = calculator.tape();
    bool failed = false;
    for (qsizetype i = 0; i < tape.size() && !failed; ++i)
        failed = !tape.row(i).error.isEmpty();
    return finish(failed ? kExitFailed : 0, out);
}

int printText(const QString& text)
{
    Output out(STDOUT_FILENO);
    out.bytes(text.toUtf8());
    return finish(0, out);
}

} // namespace

int main(int argc, char** argv)
{
    platform::reportFileSizeLimitAsWriteError();
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QChar localeSeparator = systemDecimalSeparator();
    const ParseResult parsed = parseOptions(arguments, localeSeparator);
    if (!parsed.options)
        return usageError(parsed.error);
    const Options& options = *parsed.options;
    switch (options.mode) {
    case Options::Mode::Help:
        return printText(helpText(localeSeparator));
    case Options::Mode::Version:
        return printText(versionText());
    case Options::Mode::Keys:
        return runKeys(options);
    case Options::Mode::TapeFile:
        return runTapeFile(options);
    case Options::Mode::Formulas:
        break;
    }
    return runFormulas(options);
}
