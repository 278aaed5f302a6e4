// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ansicodepage.h"

#include "eval/errors.h"

#include <QList>
#include <QSysInfo>

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <vector>

namespace numra {

namespace {

constexpr const char* kAnsiCodePage = "WINDOWS-1252";
// One character per four bytes in the machine's byte order, no mark.
constexpr const char* kUcs4 = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-32LE" : "UTF-32BE";
constexpr char kDefaultChar = '?';

bool isUndefinedByte(char32_t code)
{
    return code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
}

// glibc's iconv over one whole buffer. Where it meets an input unit that it
// cannot convert, replace() writes a stand-in of outUnit bytes and the
// conversion goes on after that unit.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw Error(QStringLiteral("Die Zeichenumwandlung von %1 nach %2 ist nicht verfügbar. %3")
                            .arg(QLatin1StringView(from), QLatin1StringView(to),
                                 QString::fromLocal8Bit(std::strerror(errno))));
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // The output must have room for the whole result; both directions here
    // map one character to a fixed number of bytes, so the caller knows it.
    template <typename Replace>
    size_t run(const char* in, size_t inLeft, size_t inUnit, char* out, size_t outSize, size_t outUnit,
               Replace replace)
    {
        char* const outStart = out;
        size_t outLeft = outSize;
        while (inLeft > 0) {
            char* inPos = const_cast<char*>(in);
            const size_t done = iconv(cd_, &inPos, &inLeft, &out, &outLeft);
            in = inPos;
            if (done != static_cast<size_t>(-1))
                break;
            if ((errno != EILSEQ && errno != EINVAL) || inLeft < inUnit || outLeft < outUnit)
                throw Error(QStringLiteral("Die Zeichenumwandlung ist fehlgeschlagen."));
            replace(in, out);
            in += inUnit;
            inLeft -= inUnit;
            out += outUnit;
            outLeft -= outUnit;
        }
        return static_cast<size_t>(out - outStart);
    }

private:
    iconv_t cd_;
};

} // namespace

QString decodeAnsi(const QByteArray& bytes)
{
    std::vector<char32_t> chars(static_cast<size_t>(bytes.size()));
    Converter converter(kUcs4, kAnsiCodePage);
    const size_t written = converter.run(
        bytes.constData(), chars.size(), 1, reinterpret_cast<char*>(chars.data()), chars.size() * 4, 4,
        [](const char* in, char* out) {
            const char32_t code = static_cast<unsigned char>(*in);
            std::memcpy(out, &code, 4);
        });
    return QString::fromUcs4(chars.data(), static_cast<qsizetype>(written / 4));
}

QByteArray encodeAnsi(const QString& text)
{
    // A lone surrogate becomes U+FFFD here and so a "?" below.
    const QList<uint> chars = text.toUcs4();
    QByteArray bytes(chars.size(), '\0');
    Converter converter(kAnsiCodePage, kUcs4);
    const size_t written = converter.run(
        reinterpret_cast<const char*>(chars.constData()), static_cast<size_t>(chars.size()) * 4, 4,
        bytes.data(), static_cast<size_t>(bytes.size()), 1,
        [](const char* in, char* out) {
            char32_t code;
            std::memcpy(&code, in, 4);
            *out = isUndefinedByte(code) ? static_cast<char>(code) : kDefaultChar;
        });
    bytes.truncate(static_cast<qsizetype>(written));
    return bytes;
}

} // namespace numra
