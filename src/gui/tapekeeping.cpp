// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tapekeeping.h"

#include "core/settings.h"
#include "files/datafolder.h"
#include "gui/errorguard.h"
#include "gui/messagebox.h"
#include "gui/writefailures.h"

#include <QCoreApplication>

namespace numra {

namespace {

constexpr int kSaveDelayMs = 500;

QString setAsideNotice(const SetAsideTape& aside)
{
    QString text = aside.rowsTaken == 0 && aside.rowsLeftOut == 0
        ? QStringLiteral("Der aufbewahrte Rechenstreifen konnte nicht gelesen werden. Der Rechenstreifen beginnt leer.")
        : QStringLiteral("Der aufbewahrte Rechenstreifen konnte nicht vollständig gelesen werden: %1 Zeilen wurden "
                         "übernommen, %2 Zeilen nicht (beschädigt oder über den Grenzen des Rechenstreifens).")
              .arg(aside.rowsTaken)
              .arg(aside.rowsLeftOut);
    if (!aside.reason.isEmpty())
        text += u' ' + aside.reason;
    if (!aside.movedTo.isEmpty())
        return text + QStringLiteral(" Die ursprüngliche Datei liegt jetzt unter \"%1\".").arg(aside.movedTo);
    return text + QStringLiteral(" Sie konnte nicht beiseitegelegt werden und bleibt unverändert; der Rechenstreifen "
                                 "wird in dieser Sitzung nicht aufbewahrt.");
}

const QString kRowsDropped = QStringLiteral(
    "Der Rechenstreifen hat seine Grenze erreicht (%1 Zeilen oder %2 Zeichen): die ältesten Zeilen werden entfernt.")
                                 .arg(kMaxTapeRows)
                                 .arg(kMaxTapeCharacters);

} // namespace

TapeKeeping::TapeKeeping(Tape& tape, Settings& settings, WriteFailures& failures, QWidget& boxParent)
    : tape_(tape)
    , kept_(tape, keptTapeFile())
    , settings_(settings)
    , failures_(failures)
    , boxParent_(boxParent)
    , wanted_(settings.keepTape())
{
    saveSoon_.setSingleShot(true);
    saveSoon_.setInterval(kSaveDelayMs);
    connect(&saveSoon_, &QTimer::timeout, this, [this] { save(true); });
    connect(&tape, &QAbstractItemModel::rowsInserted, this, &TapeKeeping::tapeChanged);
    connect(&tape, &QAbstractItemModel::rowsRemoved, this, &TapeKeeping::tapeChanged);
    connect(&tape, &QAbstractItemModel::modelReset, this, &TapeKeeping::tapeChanged);
    connect(&tape, &QAbstractItemModel::dataChanged, this, &TapeKeeping::tapeChanged);
    connect(&tape, &QAbstractItemModel::rowsMoved, this, &TapeKeeping::tapeChanged);
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
        if (wanted())
            save(true);
    });
}

void TapeKeeping::setWanted(bool wanted)
{
    wanted_ = wanted;
    failures_.attempt(WriteFailures::File::Settings, [&] { settings_.setKeepTape(wanted); });
    if (wanted) {
        save(false);
    } else {
        saveSoon_.stop();
        kept_.forget();
    }
}

void TapeKeeping::start()
{
    if (!wanted())
        return;
    std::optional<SetAsideTape> aside;
    runGuarded(&boxParent_, [&] { aside = kept_.load(); });
    droppedTold_ = tape_.rowsDroppedByBounds(); // the notice counts them
    tellSetAside(aside);
}

void TapeKeeping::tapeChanged()
{
    tellRowsDropped();
    if (wanted() && !saveSoon_.isActive())
        saveSoon_.start();
}

void TapeKeeping::save(bool onlyIfChanged)
{
    std::optional<SetAsideTape> aside;
    failures_.attempt(WriteFailures::File::Tape,
                      [&] { aside = onlyIfChanged ? kept_.saveIfChanged() : kept_.save(); });
    tellSetAside(aside);
}

void TapeKeeping::tellSetAside(const std::optional<SetAsideTape>& aside)
{
    if (aside)
        showMessageBox(&boxParent_, MessageKind::Information, setAsideNotice(*aside));
}

void TapeKeeping::tellRowsDropped()
{
    if (tape_.rowsDroppedByBounds() == droppedTold_)
        return;
    const bool toldBefore = droppedTold_ > 0;
    droppedTold_ = tape_.rowsDroppedByBounds();
    // Once a run: from then on every row added drops one. After the change
    // that dropped them, which a box's event loop must not interrupt.
    if (!toldBefore)
        QTimer::singleShot(0, this, [this] { showMessageBox(&boxParent_, MessageKind::Information, kRowsDropped); });
}

} // namespace numra
