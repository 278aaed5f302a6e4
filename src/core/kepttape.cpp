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
}

// The file as this tape and it agree: the base of the next merge.
void KeptTape::remember(const QByteArray& bytes)
{
    fileSeen_ = bytes.isNull() ? QByteArray() : digestOf(bytes);
    seen_.clear();
    seen_.reserve(tape_.size());
    for (qsizetype i = 0; i < tape_.size(); ++i)
        seen_.insert(tape_.id(i), tapeFileLine(tape_.entry(i)));
}

// Their rows in their order: a row edited here is taken from here, a row
// deleted here goes. Then the rows that are new here, or edited here but
// deleted there, each after the row it follows here (at the front when
// none of those is left).
std::vector<TapeEntry> KeptTape::mergedWith(std::vector<TapeEntry> theirs) const
{
    QHash<TapeRowId, qsizetype> ours;
    ours.reserve(tape_.size());
    for (qsizetype i = 0; i < tape_.size(); ++i)
        ours.insert(tape_.id(i), i);
    auto changedHere = [&](qsizetype i) {
        const auto base = seen_.constFind(tape_.id(i));
        return base == seen_.constEnd() || *base != tapeFileLine(tape_.entry(i));
    };
    std::vector<TapeEntry> merged;
    merged.reserve(theirs.size() + std::size_t(tape_.size()));
    QHash<TapeRowId, bool> placed;
    for (TapeEntry& row : theirs) {
        const auto here = ours.constFind(row.id);
        if (here == ours.constEnd() && seen_.contains(row.id))
            continue; // deleted here
        placed.insert(row.id, true);
        merged.push_back(here != ours.constEnd() && changedHere(*here) ? tape_.entry(*here) : std::move(row));
    }
    std::vector<TapeEntry> front;
    QHash<TapeRowId, std::vector<TapeEntry>> following;
    TapeRowId anchor = 0;
    for (qsizetype i = 0; i < tape_.size(); ++i) {
        const TapeRowId id = tape_.id(i);
        if (placed.contains(id)) {
            anchor = id;
        } else if (!seen_.contains(id) || changedHere(i)) {
            (anchor == 0 ? front : following[anchor]).push_back(tape_.entry(i));
        }
    }
    std::vector<TapeEntry> ordered = std::move(front);
    ordered.reserve(merged.size() + std::size_t(tape_.size()));
    for (TapeEntry& row : merged) {
        const TapeRowId id = row.id;
        ordered.push_back(std::move(row));
        if (const auto after = following.find(id); after != following.end())
            for (TapeEntry& added : *after)
                ordered.push_back(std::move(added));
    }
    return ordered;
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
        aside.rowsTaken = qsizetype(file.read->entries.size());
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
        const qsizetype rowsRead = file.read ? qsizetype(file.read->entries.size()) : 0;
        tape_.replaceEntries(file.read ? file.read->entries : std::vector<TapeEntry>(), Tape::Values::FromResults);
        // The tape's bound on characters may leave out more of a whole file.
        const qsizetype rowsDropped = rowsRead - tape_.size();
        if (!file.whole() || rowsDropped > 0) {
            aside = setAside(file);
            aside->rowsTaken = tape_.size();
            aside->rowsLeftOut += rowsDropped;
        }
        remember(file.exists ? file.bytes : QByteArray());
    } else {
        tape_.clear();
        remember(QByteArray());
    }
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
        // Another window wrote it.
        tape_.replaceEntries(mergedWith(std::move(file.read->entries)), Tape::Values::FromResults);
    }
    const QByteArray bytes = encodeTapeFile(tape_);
    writeWholeFile(path_, bytes);
    remember(bytes);
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
    seen_.clear();
}

} // namespace numra
