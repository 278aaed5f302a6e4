// SPDX-License-Identifier: GPL-3.0-or-later
// Rendering the core's state: the one function that shows it, and the modal
// windows by which the core asks the user (the answer is the next command).

#include "gui/mainwindow.h"

#include "core/transcript.h"
#include "files/filedialogs.h"
#include "gui/aboutwindow.h"
#include "gui/announcement.h"
#include "gui/formulawindow.h"
#include "gui/helpwindow.h"
#include "gui/messagebox.h"
#include "gui/ownratedialog.h"
#include "gui/pendinglineview.h"
#include "gui/staysontop.h"
#include "gui/vatwindow.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalBlocker>

namespace numra {

namespace {

// When a modal window closes, the calculator window takes the keyboard back
// (not every window manager hands it back by itself).
class ActiveAgainAfterwards {
public:
    explicit ActiveAgainAfterwards(QWidget& window) : window_(window) {}
    ~ActiveAgainAfterwards() { window_.activateWindow(); }
    ActiveAgainAfterwards(const ActiveAgainAfterwards&) = delete;
    ActiveAgainAfterwards& operator=(const ActiveAgainAfterwards&) = delete;

private:
    QWidget& window_;
};

// An empty name: the user cancelled.
QString askSaveFileName(QWidget* parent, const QString& startFolder)
{
    QFileDialog dialog(parent, QString(), startFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(calculationFileFilters());
    dialog.setDefaultSuffix(QLatin1StringView(kCalculationFileSuffix));
    stayOnTopLikeCalculator(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

// Any name is taken: loading reports a file that is missing or cannot be
// read with its own message, which names the file and the reason.
QString askOpenFileName(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(calculationFileFilters());
    stayOnTopLikeCalculator(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

// The place in the shown text of the character at `at` of the entry: the
// shown text is the entry with separators put in.
int shownPlace(const QString& entry, const QString& shown, int at)
{
    if (shown.size() == entry.size())
        return at;
    int place = 0;
    for (int i = 0; i < at && place < shown.size(); ++place)
        if (shown[place] == entry[i])
            ++i;
    return place;
}

} // namespace

// The one place where the widgets take the core's state; nothing here
// decides anything. Everything is shown before the message boxes, which
// show over the state as it is, and the modal windows come last.
void MainWindow::render(const CalculatorState& state)
{
    showDisplay(state);
    static_cast<PendingLineView*>(control(WindowControl::PendingLine))
        ->show(pendingLine(state, core_.decimalSeparator()));
    followLanguageAndRate(state);
    const Outcome& outcome = state.outcome;
    if (!outcome.notice.isEmpty())
        announce(*entryField(), outcome.notice);
    if (outcome.clipboard)
        QGuiApplication::clipboard()->setText(*outcome.clipboard);
    if (outcome.focusEntry) {
        activateWindow();
        entryField()->setFocus();
    }
    showSubtotal(state);
    if (state.vat && windows_.isVatWindowVisible())
        windows_.vatWindow().show(readableVat(state));
    if (!outcome.messages.empty()) {
        const std::vector<Message> messages = outcome.messages; // a box runs an event loop
        QWidget* over = windows_.isVatWindowVisible() ? static_cast<QWidget*>(&windows_.vatWindow())
                        : boxesOver_                  ? boxesOver_
                                                      : this;
        for (const Message& message : messages) {
            ActiveAgainAfterwards activeAgain(*over);
            showMessageBox(over, message.kind, message.text);
        }
    }
    if (!core_.state().vat && windows_.isVatWindowVisible())
        windows_.vatWindow().closeWindow();
    showTapeOutcome(outcome);
    ask(core_.state());
}

// The field's signals are blocked meanwhile: its changes are the core's,
// not the user's. A read-only entry may show thousands separators, which
// move the caret's place.
void MainWindow::showDisplay(const CalculatorState& state)
{
    const Display& display = state.display;
    QLineEdit* field = entryField();
    const QSignalBlocker quiet(field);
    const QString shown = entryAsShown(state, core_.decimalSeparator());
    if (field->text() != shown) {
        field->setText(shown); // the field tells its text's change itself
        if (QAccessible::isActive()) {
            QAccessibleValueChangeEvent changed(field, shown);
            QAccessible::updateAccessibility(&changed);
        }
    }
    field->setReadOnly(display.entryReadOnly);
    const auto place = [&](int at) { return shownPlace(display.entryText, shown, at); };
    if (display.selection.length > 0) {
        const int start = place(display.selection.start);
        field->setSelection(start, place(display.selection.start + display.selection.length) - start);
    } else {
        field->deselect();
        field->setCursorPosition(place(display.caret));
    }
    control(WindowControl::EditIndicator)->setVisible(display.editIndicatorVisible);
    roundingBox()->setChecked(display.roundingChecked);
    const QString caption = roundingBoxCaption(state.amountFormat.selector);
    if (roundingBox()->text() != caption) {
        roundingBox()->setText(caption);
        roundingBox()->setToolTip(caption);
    }
}

// The keys' hints name the chosen VAT rate; Qt's own texts follow the
// language.
void MainWindow::followLanguageAndRate(const CalculatorState& state)
{
    const std::pair<Language, int> wanted{state.language, state.vatRates.chosen};
    if (hintsFollow_ == wanted)
        return;
    hintsFollow_ = wanted;
    for (const KeyInfo& key : keyTable())
        keyButton(key.key)->setToolTip(keyHint(key, state.language, state.vatRates.chosen, core_.decimalSeparator()));
    toolkitTexts_.follow(state.language);
}

// The window hides itself when the user closes it, and tells the core;
// Escape closes it through the core.
void MainWindow::showSubtotal(const CalculatorState& state)
{
    const SubtotalWindow& subtotal = state.subtotal;
    if (subtotal.open && subtotal != shownSubtotal_) // the window beside takes no focus
        announce(*entryField(),
                 subtotal.caption + u' '
                     + readableAmount(subtotal.text, state.amountFormat.grouping, core_.decimalSeparator()));
    shownSubtotal_ = subtotal;
    if (subtotal.open)
        windows_.formulaWindow().showSubtotal(
            subtotal.caption, readableAmount(subtotal.text, state.amountFormat.grouping, core_.decimalSeparator()));
    else if (windows_.isFormulaWindowVisible())
        windows_.formulaWindow().hideSubtotal();
}

// The VAT window's amounts as they are read; Kopieren hands the core the
// text shown, which it takes without the separators.
VatCalculation MainWindow::readableVat(const CalculatorState& state) const
{
    VatCalculation shown = *state.vat;
    VatAmounts& amounts = shown.amounts;
    for (QString* amount : {&amounts.net, &amounts.tax, &amounts.gross})
        *amount = readableAmount(*amount, state.amountFormat.grouping, core_.decimalSeparator());
    return shown;
}

// The VAT window stays open while the core has an open VAT calculation; what
// the user does in it arrives as commands meanwhile. A question is asked in
// its modal window, and the answer is the next command.
void MainWindow::ask(const CalculatorState& state)
{
    if (state.vat && !windows_.isVatWindowVisible()) {
        ActiveAgainAfterwards activeAgain(*this);
        windows_.vatWindow().open(readableVat(state));
        return;
    }
    const Question question = state.question;
    switch (question.kind) {
    case Question::Kind::None:
        return;
    case Question::Kind::ConfirmFormula: {
        QString answer;
        {
            ActiveAgainAfterwards activeAgain(*this);
            answer = windows_.formulaWindow().confirm(question.text);
        }
        render(core_.answerFormula(answer));
        return;
    }
    case Question::Kind::SaveFileName: {
        QString path;
        {
            ActiveAgainAfterwards activeAgain(*this);
            path = askSaveFileName(this, question.text);
        }
        render(core_.saveTo(path));
        return;
    }
    case Question::Kind::OpenFileName: {
        QString path;
        {
            ActiveAgainAfterwards activeAgain(*this);
            path = askOpenFileName(this);
        }
        render(core_.loadFrom(path));
        return;
    }
    case Question::Kind::AddPastedAmounts: {
        bool add = false;
        {
            ActiveAgainAfterwards activeAgain(*this);
            add = askYesNo(this, question.text);
        }
        render(core_.answerAddPastedAmounts(add));
        return;
    }
    case Question::Kind::OwnVatRate: {
        QWidget* over = windows_.isVatWindowVisible() ? static_cast<QWidget*>(&windows_.vatWindow())
                        : boxesOver_                  ? boxesOver_
                                                      : this;
        OwnRateDialog dialog(over);
        const std::optional<int> rate = dialog.ask(state.vatRates.own, core_.decimalSeparator());
        changeVatRates([&]() -> const CalculatorState& { return core_.answerOwnVatRate(rate); });
        return;
    }
    }
}

void MainWindow::showHelp()
{
    ActiveAgainAfterwards activeAgain(*this);
    windows_.helpWindow().showHelp(core_.state().language);
}

void MainWindow::showAbout()
{
    ActiveAgainAfterwards activeAgain(*this);
    windows_.aboutWindow().showAbout(core_.state().language);
}

} // namespace numra
