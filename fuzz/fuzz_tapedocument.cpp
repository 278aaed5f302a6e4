// SPDX-License-Identifier: GPL-3.0-or-later
// A tape document (.rstr) from any bytes. Reading never crashes, hangs or
// takes unbounded memory; a document that cannot be read names why and
// leaves the open tape as it was. One that opens is computed again row by
// row; saved and opened again it gives the same document, byte for byte.

#include "fuzzcheck.h"

#include "core/calculator.h"
#include "core/tapedocument.h"

#include <QFile>

using namespace numra;
using namespace numra::fuzz;

namespace {

void writeScratch(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    require(file.write(bytes) == bytes.size());
}

bool hasError(const CalculatorState& state)
{
    for (const Message& message : state.outcome.messages)
        if (message.kind == MessageKind::Error)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const TapeDocument document = decodeTapeDocument(bytes, u',', QStringLiteral("x.rstr"));
    require(document.error.isEmpty() || document.rows.empty());

    const QString path = scratchFolder() + QStringLiteral("/x.rstr");
    writeScratch(path, bytes);
    static Calculator calculator(u',');
    static const bool started = (calculator.start(QString()), true);
    (void)started;
    calculator.clearTape();
    calculator.editTapeRow(0, QStringLiteral("1+1"));
    const QByteArray before = encodeTapeDocument(calculator.tape());
    const bool opened = !hasError(calculator.openTapeDocument(path));
    if (!document.error.isEmpty() || !opened) {
        require(encodeTapeDocument(calculator.tape()) == before);
        return 0;
    }
    require(calculator.tape().size() == qsizetype(document.rows.size()));
    const QByteArray saved = encodeTapeDocument(calculator.tape());
    writeScratch(path, saved);
    require(!hasError(calculator.openTapeDocument(path)));
    require(encodeTapeDocument(calculator.tape()) == saved);
    return 0;
}
