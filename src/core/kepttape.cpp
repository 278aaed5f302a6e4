// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/kepttape.h"

#include "core/tapefile.h"
#include "eval/errors.h"
#include "files/wholefile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace numra {

namespace {

// Another window holds the lock only while it reads or writes the file.
constexpr int kLockWaitMs = 5000;
constexpr int kMaxSetAsideFiles = 1000;

QByteArray digestOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

// The file's lock, held while this lives. Reading may go without it (the
// file is replaced whole, never written in place), writing may not: it reads
// the file again first, and another window's write in between would be lost.
class KeptTape::Locked {
public:
    enum class Need { ToRead, ToWrite };

    Locked(QLockFile& lock, const QString& path, Need need) : lock_(lock)
    {
        held_ = lock_.tryLock(kLockWaitMs);
        if (held_ || need == Need::ToRead)
            return;
        if (lock_.error() == QLockFile::LockFailedError)
            throw Error(QStringLiteral("Der aufbewahrte Rechenstreifen \"%1\" ist von einem anderen Numra-Fenster "
                                       "gesperrt.").arg(fullPath(path)));
        throw Error(QStringLiteral("Datei \"%1\" kann nicht erstellt werden.").arg(fullPath(lock_.fileName())));
    }
    ~Locked()
    {
        if (held_)
            lock_.unlock();
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    QLockFile& lock_;
    bool held_ = false;
};

struct KeptTape::FileRows {
    bool exists = false;
    QByteArray bytes;
    QByteArray digest;
    std::optional<TapeFileRows> read; // nothing when it could not be read
    QString reason;
    bool whole() const { return read && read->whole(); }
};

KeptTape::KeptTape(Tape& tape, QString path)
    : tape_(tape), path_(std::move(path)), lock_(path_ + QStringLiteral(".lock")), savedRevision_(tape.revision())
{
    // Only the lock of a program that is no longer running is stale, however
    // long a window has held it.
    lock_.setStaleLockTime(0);
    inserted_ = QObject::connect(&tape_, &QAbstractItemModel::rowsInserted,
                                 [this](const QModelIndex&, int first, int last) { rowsMade_ += last - first + 1; });
    removed_ = QObject::connect(&tape_, &QAbstractItemModel::rowsRemoved,
                                [this](const QModelIndex&, int first, int last) { countRemovedRows(first, last); });
    reset_ = QObject::connect(&tape_, &QAbstractItemModel::modelReset, [this] { rowsMade_ = 0; });
}

KeptTape::~KeptTape()
{
    QObject::disconnect(inserted_);
    QObject::disconnect(removed_);
    QObject::disconnect(reset_);
}

// Rows are added at the end only; a removed row among the newest was made
// here and is no longer to be added.
void KeptTape::countRemovedRows(int first, int last)
{
    const qsizetype oldSize = tape_.size() + (last - first + 1);
    const qsizetype madeFrom = oldSize - rowsMade_;
    rowsMade_ -= std::max<qsizetype>(0, last + 1 - std::max<qsizetype>(first, madeFrom));
}

// The file's bytes and digest; its rows only when asked for, since a file
// that is as this tape last wrote it need not be read again.
KeptTape::FileRows KeptTape::readFile(RowsWanted rowsWanted) const
{
    FileRows file;
    if (!QFileInfo::exists(path_))
        return file;
    file.exists = true;
    try {
        std::optional<QByteArray> bytes = readWholeFile(path_, kMaxTapeFileSize);
        if (!bytes) {
            file.reason = QStringLiteral("Die Datei ist größer als %1 MiB.").arg(kMaxTapeFileSize / (1024 * 1024));
            return file;
        }
        file.bytes = *std::move(bytes);
        file.digest = digestOf(file.bytes);
    } catch (const Error& error) {
        file.reason = error.message();
        return file;
    }
    if (rowsWanted == RowsWanted::Always || file.digest != fileSeen_)
        file.read = readTapeFile(file.bytes);
    return file;
}

// Moves the file aside under the first free name.
std::optional<SetAsideTape> KeptTape::setAside(FileRows& file)
{
    SetAsideTape aside;
    if (file.read) {
        aside.rowsTaken = qsizetype(file.read->rows.size());
        aside.rowsLeftOut = file.read->damagedLines + file.read->rowsOverLimit + (file.read->headerFound ? 0 : 1);
    }
    aside.reason = file.reason;
    for (int number = 1; number <= kMaxSetAsideFiles; ++number) {
        const QString target = path_ + QStringLiteral(".defekt") + (number == 1 ? QString() : u'.' + QString::number(number));
        if (QFileInfo::exists(target))
            continue;
        QFile original(path_);
        if (original.rename(target))
            aside.movedTo = fullPath(target);
        else
            aside.reason = original.errorString();
        break;
    }
    leftAlone_ = aside.movedTo.isEmpty();
    file.exists = leftAlone_;
    return aside;
}

std::optional<SetAsideTape> KeptTape::load()
{
    std::optional<SetAsideTape> aside;
    if (QFileInfo::exists(path_)) {
        const Locked locked(lock_, path_, Locked::Need::ToRead);
        FileRows file = readFile(RowsWanted::Always);
        const qsizetype rowsRead = file.read ? qsizetype(file.read->rows.size()) : 0;
        tape_.replaceRows(file.read ? file.read->rows : std::vector<TapeRow>());
        // The tape's bound on characters may leave out more of a whole file.
        const qsizetype rowsDropped = rowsRead - tape_.size();
        if (!file.whole() || rowsDropped > 0) {
            aside = setAside(file);
            aside->rowsTaken = tape_.size();
            aside->rowsLeftOut += rowsDropped;
        }
        fileSeen_ = file.exists ? file.digest : QByteArray();
    } else {
        tape_.clear();
        fileSeen_.clear();
    }
    rowsMade_ = 0;
    savedRevision_ = tape_.revision();
    return aside;
}

std::optional<SetAsideTape> KeptTape::save()
{
    if (leftAlone_)
        return std::nullopt;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    const Locked locked(lock_, path_, Locked::Need::ToWrite);
    std::optional<SetAsideTape> aside;
    FileRows file = readFile(RowsWanted::UnlessSeen);
    if (file.exists && file.reason.isEmpty() && file.digest == fileSeen_) {
        // As this tape last wrote or read it.
    } else if (file.exists && !file.whole()) {
        // Damaged since it was written here: this tape is whole.
        aside = setAside(file);
        if (leftAlone_)
            return aside;
    } else if (file.exists) {
        // Another window wrote it: its rows, then the rows made here.
        std::vector<TapeRow> merged = std::move(file.read->rows);
        for (qsizetype i = std::max<qsizetype>(0, tape_.size() - rowsMade_); i < tape_.size(); ++i)
            merged.push_back(tape_.row(i));
        tape_.replaceRows(std::move(merged));
    }
    const QByteArray bytes = encodeTapeFile(tape_);
    writeWholeFile(path_, bytes);
    fileSeen_ = digestOf(bytes);
    rowsMade_ = 0;
    savedRevision_ = tape_.revision();
    return aside;
}

std::optional<SetAsideTape> KeptTape::saveIfChanged()
{
    if (tape_.revision() == savedRevision_)
        return std::nullopt;
    return save();
}

void KeptTape::forget()
{
    QFile::remove(path_);
    fileSeen_.clear();
}

} // namespace numra
