// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Rechenstreifen behalten": the tape is kept between runs when the user
// wants it. It is loaded when the calculator starts, written shortly after a
// change, so that a burst of keys costs one write, and at exit; another
// Numra that keeps the tape too is merged with (core/kepttape.h). A kept file
// that could not be taken over whole is reported with what was taken and
// where the original is. A write that fails is said once (gui/writefailures.h),
// and the tape stays in memory. Rows that leave the tape at its bounds are
// reported once.

#include "core/kepttape.h"

#include <QObject>
#include <QTimer>

class QWidget;

namespace numra {

class Settings;
class WriteFailures;

class TapeKeeping : public QObject {
public:
    // boxParent: the window over which the notices are shown.
    TapeKeeping(Tape& tape, Settings& settings, WriteFailures& failures, QWidget& boxParent);

    bool wanted() const { return wanted_; }
    // On: the tape is written at once. Off: its file is removed.
    void setWanted(bool wanted);

    // At start-up, once the calculator window shows.
    void start();

    const QString& path() const { return kept_.path(); }

private:
    void tapeChanged();
    void save(bool onlyIfChanged);
    void tellSetAside(const std::optional<SetAsideTape>& aside);
    void tellRowsDropped();

    Tape& tape_;
    KeptTape kept_;
    Settings& settings_;
    WriteFailures& failures_;
    QWidget& boxParent_;
    bool wanted_; // kept in the settings, read once: the tape changes at every "="
    QTimer saveSoon_;
    qsizetype droppedTold_ = 0; // rows dropped at the bounds the user knows of
};

} // namespace numra
