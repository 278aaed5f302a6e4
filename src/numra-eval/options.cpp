// SPDX-License-Identifier: GPL-3.0-or-later
#include "options.h"
#include "linereader.h"

#include "core/vatrates.h"

namespace numra::evaltool {

namespace {

constexpr QStringView kSeparatorOption = u"--decimal-separator=";
constexpr QStringView kLanguageOption = u"--lang=";
constexpr QStringView kVatRateOption = u"--vat-rate=";
constexpr QStringView kTapeFileOption = u"--tape-file=";
constexpr QStringView kPlacesOption = u"--places=";
constexpr QStringView kRoundingOption = u"--rounding=";

// "auf" and "ab" as short names of "aufrunden" and "abrunden".
std::optional<RoundingMode> roundingModeOption(const QString& name)
{
    if (name == u"auf")
        return RoundingMode::AwayFromZero;
    if (name == u"ab")
        return RoundingMode::TowardZero;
    return roundingModeNamed(name);
}

// "--lang" for "--lang=": an option that takes a value, named without it.
bool takesValue(const QString& arg)
{
    for (QStringView option :
         {kSeparatorOption, kLanguageOption, kVatRateOption, kPlacesOption, kRoundingOption, kTapeFileOption})
        if (arg.size() + 1 == option.size() && option.startsWith(arg))
            return true;
    return false;
}

// Applies one "--" option; returns an error text, empty when it was fine.
QString applyOption(const QString& arg, Options& options)
{
    if (arg == u"--keys") {
        options.mode = Options::Mode::Keys;
    } else if (arg == u"--tape") {
        options.tape = Options::Tape::Text;
    } else if (arg == u"--tape=csv") {
        options.tape = Options::Tape::Csv;
    } else if (arg == u"--tape=rstr") {
        options.tape = Options::Tape::Document;
    } else if (arg.startsWith(kTapeFileOption)) {
        options.tapeFile = arg.mid(kTapeFileOption.size());
        if (options.tapeFile.isEmpty())
            return QStringLiteral("option '--tape-file' requires a file");
    } else if (arg.startsWith(u"--tape=")) {
        return QStringLiteral("unknown tape format '%1' (csv or rstr)").arg(arg.mid(7));
    } else if (arg == u"--round") {
        options.round = true;
    } else if (arg == u"--exact") {
        options.exact = true;
    } else if (arg == u"--grouping") {
        options.grouping = true;
    } else if (arg.startsWith(kPlacesOption)) {
        const QString places = arg.mid(kPlacesOption.size());
        options.places = decimalSelectorNamed(places);
        if (!options.places)
            return QStringLiteral("invalid places '%1' (F, 0 to 4 or ADD)").arg(places);
    } else if (arg.startsWith(kRoundingOption)) {
        const QString rounding = arg.mid(kRoundingOption.size());
        const std::optional<RoundingMode> mode = roundingModeOption(rounding);
        if (!mode)
            return QStringLiteral("invalid rounding '%1' (auf, 5/4 or ab)").arg(rounding);
        options.rounding = *mode;
    } else if (arg.startsWith(kSeparatorOption)) {
        const QString sep = arg.mid(kSeparatorOption.size());
        if (sep.size() != 1)
            return QStringLiteral("the decimal separator must be one character: '%1'").arg(sep);
        options.decimalSeparator = sep.front();
    } else if (arg.startsWith(kLanguageOption)) {
        const QString lang = arg.mid(kLanguageOption.size());
        if (lang != u"de" && lang != u"en")
            return QStringLiteral("unknown language '%1' (de or en)").arg(lang);
        options.language = lang == u"en" ? Language::English : Language::German;
    } else if (arg.startsWith(kVatRateOption)) {
        const QString rate = arg.mid(kVatRateOption.size());
        options.vatRate = parseVatRate(rate);
        if (!options.vatRate)
            return QStringLiteral("invalid VAT rate '%1' (0 to 99.99 percent, at most two decimals)").arg(rate);
    } else {
        return QStringLiteral("unknown option '%1'").arg(arg);
    }
    return QString();
}

} // namespace

ParseResult parseOptions(const QStringList& arguments, QChar localeSeparator)
{
    Options options;
    options.decimalSeparator = localeSeparator;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString arg = arguments[i];
        // As getopt_long reads them, "--lang en" is "--lang=en".
        if (!optionsEnded && takesValue(arg)) {
            if (i + 1 == arguments.size())
                return {std::nullopt, QStringLiteral("option '%1' requires an argument").arg(arg)};
            arg += u'=' + arguments[++i];
        }
        if (optionsEnded) {
            options.arguments << arg;
        } else if (arg == u"-h" || arg == u"--help") {
            return {Options{.mode = Options::Mode::Help, .decimalSeparator = localeSeparator, .arguments = {}, .tapeFile = {}}, {}};
        } else if (arg == u"--version") {
            return {Options{.mode = Options::Mode::Version, .decimalSeparator = localeSeparator, .arguments = {}, .tapeFile = {}}, {}};
        } else if (arg == u"--") {
            optionsEnded = true;
        } else if (!arg.startsWith(u"--")) {
            options.arguments << arg;
        } else if (QString error = applyOption(arg, options); !error.isEmpty()) {
            return {std::nullopt, error};
        }
    }
    if (!options.tapeFile.isEmpty()) {
        if (options.mode == Options::Mode::Keys || !options.arguments.isEmpty())
            return {std::nullopt, QStringLiteral("--tape-file takes neither formulas nor keys")};
        options.mode = Options::Mode::TapeFile;
        if (options.tape == Options::Tape::None)
            options.tape = Options::Tape::Text;
    }
    return {options, {}};
}

QString helpText(QChar localeSeparator)
{
    return QString::fromUtf8(R"HELP(Usage: numra-eval [OPTION]... [FORMULA]...
  or:  numra-eval --keys [OPTION]... KEY...
Evaluate formulas as Numra's "=" key does in edit mode, or replay key presses
on a calculator fresh from start-up.

Formula mode: each FORMULA, or else each line of standard input (without its
line break), is typed into the entry field in edit mode and "=" is pressed.
Every formula starts from a calculator fresh from start-up and switched to
edit mode: nothing pending, empty memory. One line per formula: the entry
field afterwards; "Zwischensumme: " (--lang=en: "Subtotal: ") and the value
with two decimals when the formula ends in an operator; "Fehler: " and the
message of the error box when it fails; an empty line for a blank formula.
A formula that starts with "-" is a formula, not an option. A line of
standard input longer than %2 bytes (without its line break) is not read
whole: it is answered with "Fehler: Die Zeile ist länger als %2 Bytes."

Key mode: each KEY is a button caption (0 to 9, "." or "," for the decimal
key, which writes the decimal separator, "+", "-", "*", "/", "=", CE, Edit,
"%", "+/-", "1/x", "√", "x^n", Ganzzahl, M+, M-, MC, Hex->Int, Int->Hex, Ust+,
Ust-), Runden (a click on the rounding check box), Kopieren (the clipboard
key), the keys of the keyboard Backspace (removes the entry's last
character), Delete (empties the entry) and Escape (closes the subtotal
window, else clears as CE does), text:STRING (types STRING at the end of
the entry field) or paste:STRING (STRING on the clipboard, pasted as Ctrl+V
does: an amount as people write it, "1.234,56 €", becomes the entry; several
lines of amounts are added, after a line "Frage: " with the offer, each a
row of the tape and their sum the entry). Prints a
line for each message box ("Fehler: ", "Information: ", "Hinweis: " for a
box without icon), each subtotal ("Zwischensumme: ") and
each VAT window ("MwSt: Netto=... Steuer=... Brutto=... (label)", after which
its copy chooser is cancelled; with --vat-rate the label names the rate as
the window does, "Umsatzsteuer 7 %"), then "Anzeige: " and the entry field,
and "Formel: " and the pending formula.

Tape: with --tape the calculation tape of the whole run follows, as the
window's "Rechenstreifen" shows it: a line per row with its formula, result
and kind separated by tabs (kinds: Ergebnis, Zwischensumme, Prozent,
Vorzeichen, Kehrwert, Wurzel, Potenz, Ganzzahl, Hex->Int, Int->Hex, Ust+,
Ust-), then "Summe", the grand total of the Ergebnis rows and their count
("2 Posten"), tab-separated too. A row with an error has "Fehler: " and the
message as its result; when a row has a note, every row has its note after
the result. --tape=csv prints the tape's CSV export instead: UTF-8 with
byte-order mark, ";" between the fields, CR LF, the header Formel;Ergebnis;Art
(Formel;Ergebnis;Notiz;Art with notes), results with a decimal comma.
--tape=rstr prints it as a tape document (Numra-Rechenstreifen-Dokument 1),
the rows that went on from a result linked to it.

Tape documents: --tape-file=FILE reads a tape document (.rstr) instead of
formulas, computes every row again in order, each row that went on from the
result of another with that row's new result, and prints the rows and the
total as --tape does (or as --tape=csv or --tape=rstr asks). A document that
cannot be read is said on standard error.

Options:
      --keys                   replay key presses instead of evaluating formulas
      --decimal-separator=SEP  the regional decimal separator (default from the
                               locale, here '%1')
      --round                  start with "auf 2 Nachkommastellen runden" checked
      --places=F|0|1|2|3|4|ADD the decimal selector "Nachkommastellen": a number
                               of places or ADD checks the rounding box and
                               rounds results and subtotals to it (ADD: 2, and
                               an amount keyed in digits alone is taken in
                               cents where it is added); F (the default) leaves
                               results free
      --rounding=auf|5/4|ab    how results are rounded: away from zero, half
                               away from zero (the default), toward zero
      --grouping               thousands separators in the results, subtotals
                               and VAT amounts printed and in the tape's text
                               (1.234.567,89), never in the pending formula
                               or the CSV
      --exact                  exact decimal values of 34 digits, as "Genau
                               rechnen (dezimal)": every digit shown is right
                               (0,1+0,2-0,3 gives 0, not 5,55111512312578E-17)
      --lang=de|en             language of the texts (default de)
      --vat-rate=RATE          the rate of Ust+ and Ust- in percent, 0 to 99.99
                               with at most two decimals after "," or "."
                               (7, 16,5 or 16.5; default 19)
      --tape                   print the tape afterwards, fields separated by tabs
      --tape=csv               print the tape's CSV export afterwards
      --tape=rstr              print the tape as a tape document afterwards
      --tape-file=FILE         compute the tape document FILE again and print it
      --                       end of options
  -h, --help                   display this help and exit
      --version                output version information and exit

Exit status:
  0  no formula failed (key mode: no error box was shown)
  1  a formula failed (key mode: an error box was shown; tape file: a row has
     an error, or the document could not be read), or the output could not be
     written or the input not read (said on standard error)
  2  usage error
)HELP")
        .arg(localeSeparator)
        .arg(kMaxLineLength);
}

// GNU form: the program, its package in parentheses and the version, then
// the copyright line.
QString versionText()
{
    return QStringLiteral("numra-eval (Numra) " NUMRA_VERSION "\nCopyright (C) 2026 Numra\n");
}

} // namespace numra::evaltool
