// SPDX-License-Identifier: GPL-3.0-or-later
// Rendering the core's state: the one function that shows it, and the modal
// windows by which the core asks the user (the answer is the next command).

#include "gui/mainwindow.h"

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

} // namespace

// The one place where the widgets take the core's state; nothing here
// decides anything. Everything is shown before the message boxes, which
// show over the state as it is, and the modal windows come last.
void MainWindow::render(const CalculatorState& state)
{
    showDisplay(state.display);
    static_cast<PendingLineView*>(control(WindowControl::PendingLine))
        ->show(pendingLine(state, core_.decimalSeparator()));
    followLanguageAndRate(state);
    const Outcome& outcome = state.outcome;
    if (outcome.clipboard)
        QGuiApplication::clipboard()->setText(*outcome.clipboard);
    if (outcome.focusEntry) {
        activateWindow();
        entryField()->setFocus();
    }
    showSubtotal(state.subtotal);
    if (state.vat && windows_.isVatWindowVisible())
        windows_.vatWindow().show(*state.vat);
    if (!outcome.messages.empty()) {
        const std::vector<Message> messages = outcome.messages; // a box runs an event loop
        QWidget* over = windows_.isVatWindowVisible() ? static_cast<QWidget*>(&windows_.vatWindow()) : this;
        for (const Message& message : messages) {
            ActiveAgainAfterwards activeAgain(*over);
            showMessageBox(over, message.kind, message.text);
        }
    }
    if (!core_.state().vat && windows_.isVatWindowVisible())
        windows_.vatWindow().closeWindow();
    ask(core_.state());
}

// The field's signals are blocked meanwhile: its changes are the core's,
// not the user's.
void MainWindow::showDisplay(const Display& display)
{
    QLineEdit* field = entryField();
    const QSignalBlocker quiet(field);
    if (field->text() != display.entryText) {
        field->setText(display.entryText); // the field tells its text's change itself
        if (QAccessible::isActive()) {
            QAccessibleValueChangeEvent changed(field, display.entryText);
            QAccessible::updateAccessibility(&changed);
        }
    }
    field->setReadOnly(display.entryReadOnly);
    if (display.selection.length > 0) {
        field->setSelection(display.selection.start, display.selection.length);
    } else {
        field->deselect();
        field->setCursorPosition(display.caret);
    }
    control(WindowControl::EditIndicator)->setVisible(display.editIndicatorVisible);
    roundingBox()->setChecked(display.roundingChecked);
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
void MainWindow::showSubtotal(const SubtotalWindow& subtotal)
{
    if (subtotal.open && subtotal != shownSubtotal_)
        announce(*entryField(), subtotal.caption + u' ' + subtotal.text); // the window beside takes no focus
    shownSubtotal_ = subtotal;
    if (subtotal.open)
        windows_.formulaWindow().showSubtotal(subtotal.caption, subtotal.text);
    else if (windows_.isFormulaWindowVisible())
        windows_.formulaWindow().hideSubtotal();
}

// The VAT window stays open while the core has an open VAT calculation; what
// the user does in it arrives as commands meanwhile. A question is asked in
// its modal window, and the answer is the next command.
void MainWindow::ask(const CalculatorState& state)
{
    if (state.vat && !windows_.isVatWindowVisible()) {
        ActiveAgainAfterwards activeAgain(*this);
        windows_.vatWindow().open(*state.vat);
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
    case Question::Kind::OwnVatRate: {
        QWidget* over = windows_.isVatWindowVisible() ? static_cast<QWidget*>(&windows_.vatWindow()) : this;
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
