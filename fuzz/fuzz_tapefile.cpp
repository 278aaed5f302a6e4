// SPDX-License-Identifier: GPL-3.0-or-later
// The kept tape file and the CSV export from any bytes. Reading never
// crashes, hangs or takes unbounded memory. A kept file that is not whole is
// moved aside, unchanged, and its good rows are on the tape; a whole one
// comes back the same, ids and links included, after being written again.
// Rows read from CSV come back the same from their own export.

#include "fuzzcheck.h"

#include "core/kepttape.h"
#include "core/tapefile.h"
#include "core/tapeformats.h"

#include <QFile>

using namespace numra;
using namespace numra::fuzz;

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    require(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void checkKeptFile(const QByteArray& bytes)
{
    const TapeFileRows read = readTapeFile(bytes);
    const QString path = scratchFolder() + QStringLiteral("/rechenstreifen.tsv");
    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        require(file.write(bytes) == bytes.size());
    }
    Tape tape(u',');
    tape.add({TapeRowKind::Result, QStringLiteral("1"), QStringLiteral("1")});
    KeptTape kept(tape, path);
    const std::optional<SetAsideTape> aside = kept.load();
    require(aside.has_value() != read.whole());
    require(tape.size() == qsizetype(read.entries.size()) && tape.size() <= kMaxTapeRows);
    for (qsizetype i = 0; i < tape.size(); ++i)
        require(tape.row(i) == read.entries[std::size_t(i)].row);
    if (aside) {
        require(aside->rowsTaken == tape.size() && !aside->movedTo.isEmpty() && !QFile::exists(path));
        require(contentsOf(aside->movedTo) == bytes);
        QFile::remove(aside->movedTo); // the next input finds the name free
    }
    const TapeFileRows again = readTapeFile(encodeTapeFile(tape));
    require(again.whole() && qsizetype(again.entries.size()) == tape.size());
    for (qsizetype i = 0; i < tape.size(); ++i) {
        const TapeEntry& entry = again.entries[std::size_t(i)];
        require(entry.row == tape.row(i) && entry.id == tape.id(i) && entry.link == tape.entry(i).link);
    }
}

void checkCsv(const QByteArray& bytes)
{
    const std::optional<std::vector<TapeRow>> rows = tapeRowsFromCsv(bytes, u',');
    if (!rows)
        return;
    Tape tape(u',');
    for (const TapeRow& row : *rows)
        tape.add(row);
    std::vector<TapeRow> shown;
    for (qsizetype i = 0; i < tape.size(); ++i) {
        const TapeRow& row = tape.row(i);
        shown.push_back({row.kind, shownOnOneLine(row.formula), shownOnOneLine(row.result), shownOnOneLine(row.note),
                         shownOnOneLine(row.error)});
    }
    require(tapeRowsFromCsv(tapeAsCsv(tape), u',') == shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkKeptFile(bytes);
    checkCsv(bytes);
    return 0;
}
