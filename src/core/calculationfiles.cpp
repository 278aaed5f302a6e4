// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/calculationfiles.h"

#include "eval/errors.h"

namespace numra {

// The pending formula as it stands, blanks included; or else the entry
// trimmed.
QString CalculationFiles::saveCandidate() const
{
    if (!isBlankText(calculator_.formula()))
        return calculator_.formula();
    return trimBlanks(calculator_.display().entryText);
}

void CalculationFiles::save()
{
    const QString candidate = saveCandidate();
    if (candidate.isEmpty()) {
        ui_.showMessage(MessageKind::Information, calculator_.text(TextId::NoCalculationMessage));
        return;
    }
    // An empty field means "Schliessen" or a formula the user deleted.
    const QString text = trimBlanks(ui_.confirmFormula(candidate));
    if (text.isEmpty())
        return;
    lineBuffer_.clear();
    lineBuffer_.addLine(text);
    const QString path = ui_.askSaveFileName(calculator_.dataFolder());
    if (path.isEmpty())
        return;
    lineBuffer_.saveToFile(path);
}

void CalculationFiles::load()
{
    // Before the dialog, and kept when it is cancelled. With x^n pending in
    // edit mode this click switches edit mode off.
    if (calculator_.inputMode() != InputMode::Edit)
        calculator_.press(Key::Edit);
    lineBuffer_.clear();
    const QString path = ui_.askOpenFileName();
    if (path.isEmpty())
        return;
    lineBuffer_.loadFromFile(path);
    calculator_.setEntryText(lineBuffer_.text());
}

} // namespace numra
