// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tapekeeping.h"

#include "core/settings.h"
#include "files/datafolder.h"
#include "gui/messagebox.h"
#include "gui/writefailures.h"

#include <QCoreApplication>

namespace numra {

namespace {

constexpr int kSaveDelayMs = 500;

const QString kUnreadableNotice =
    QStringLiteral("Der aufbewahrte Rechenstreifen konnte nicht gelesen werden. Der Rechenstreifen beginnt leer.");

} // namespace

TapeKeeping::TapeKeeping(Tape& tape, Settings& settings, WriteFailures& failures, QWidget& boxParent)
    : kept_(tape, keptTapeFile())
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
    if (wanted() && !kept_.load())
        showMessageBox(&boxParent_, MessageKind::Information, kUnreadableNotice);
}

void TapeKeeping::tapeChanged()
{
    if (wanted() && !saveSoon_.isActive())
        saveSoon_.start();
}

void TapeKeeping::save(bool onlyIfChanged)
{
    failures_.attempt(WriteFailures::File::Tape, [&] {
        if (onlyIfChanged)
            kept_.saveIfChanged();
        else
            kept_.save();
    });
}

} // namespace numra
