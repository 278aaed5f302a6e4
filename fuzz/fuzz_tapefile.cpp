// SPDX-License-Identifier: GPL-3.0-or-later
// The kept tape file from any bytes: reading it never crashes, hangs or
// takes unbounded memory; a file that is not valid reads as an empty tape;
// a valid one stays within the bounds and comes back the same after being
// written again.

#include "fuzzcheck.h"

#include "core/tapefile.h"

#include <QFile>

using namespace numra;
using namespace numra::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<std::vector<TapeRow>> rows = decodeTapeFile(bytes);

    const QString path = scratchFolder() + QStringLiteral("/rechenstreifen.tsv");
    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        require(file.write(bytes) == bytes.size());
    }
    Tape tape(u',');
    tape.add({TapeRowKind::Result, QStringLiteral("1"), QStringLiteral("1")});
    KeptTape kept(tape, path);
    require(kept.load() == rows.has_value());
    if (!rows) {
        require(tape.size() == 0 && tape.itemCount() == 0);
        return 0;
    }
    require(tape.size() == qsizetype(rows->size()) && tape.size() <= kMaxTapeRows);
    for (qsizetype i = 0; i < tape.size(); ++i)
        require(tape.row(i) == (*rows)[std::size_t(i)]);
    require(decodeTapeFile(encodeTapeFile(tape)) == rows);
    return 0;
}
