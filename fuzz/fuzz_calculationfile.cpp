// SPDX-License-Identifier: GPL-3.0-or-later
// Calculation files from any bytes: the decoder, the write/re-read round trip
// in memory, and the whole road of a file through "Berechnung laden" (where
// every line break becomes CR LF), "=" and "Berechnung speichern" on the
// calculator core.

#include "fuzzcheck.h"
#include "support/fakeuser.h"

#include "core/calculator.h"
#include "files/ansicodepage.h"
#include "files/textencoding.h"

#include <QFile>

using namespace numra;
using namespace numra::fuzz;

namespace {

// Every CR is followed by LF and every LF follows a CR.
bool onlyCrLfBreaks(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))
            return false;
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r'))
            return false;
    }
    return true;
}

bool hasLoneSurrogate(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

// A text written in an encoding reads back as the same text in the same
// encoding, where the encoding can hold it: ANSI only for characters of its
// code page, and not for a text that starts like a byte-order mark.
void checkRoundTrip(const QString& text, TextEncoding encoding)
{
    const QByteArray written = encodeText(text, encoding);
    const DecodedText reread = decodeText(written);
    if (encoding == TextEncoding::Ansi) {
        if (reread.encoding != TextEncoding::Ansi || decodeAnsi(encodeAnsi(text)) != text)
            return;
    } else if (hasLoneSurrogate(text)) {
        require(reread.encoding == encoding);
        return;
    }
    require(reread.encoding == encoding);
    require(reread.text == text);
}

DecodedText checkDecoder(const QByteArray& bytes)
{
    const DecodedText decoded = decodeText(bytes);
    if (decoded.encoding == TextEncoding::Ansi) {
        require(decoded.text.size() == bytes.size());
        require(encodeAnsi(decoded.text) == bytes);
    }
    checkRoundTrip(decoded.text, decoded.encoding);
    return decoded;
}

QString withoutLineBreaks(QString text)
{
    return text.remove(u'\r').remove(u'\n');
}

// Loads the file into the entry field, evaluates it with "=" and saves the
// entry again; every step ends in a result or a message.
void checkLoadAndSave(const QString& folder, const QByteArray& bytes, const DecodedText& decoded)
{
    const QString path = folder + QStringLiteral("/in.clc");
    const QString savedPath = folder + QStringLiteral("/out.clc");
    {
        QFile file(path);
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        require(file.write(bytes) == bytes.size());
    }
    Calculator calculator(u',');
    testing::FakeUser user(calculator);
    user.take(calculator.start(folder));

    user.openFileNames.push_back(path);
    require(!testing::errorShown(user.take(calculator.load()).outcome));
    require(calculator.state().inputMode == InputMode::Edit && !calculator.state().display.entryReadOnly);
    const QString loaded = calculator.state().display.entryText;
    require(onlyCrLfBreaks(loaded));
    require(loaded == calculator.lineBuffer().text());
    require(calculator.lineBuffer().encoding() == decoded.encoding);
    require(withoutLineBreaks(loaded) == withoutLineBreaks(decoded.text));

    user.take(calculator.press(Key::Equals));
    calculator.closeSubtotalWindow();

    calculator.setEntryText(loaded);
    user.saveFileNames.push_back(savedPath);
    if (testing::errorShown(user.take(calculator.save()).outcome))
        return;
    if (!QFile::exists(savedPath))
        return; // nothing to save: the entry was blank
    user.openFileNames.push_back(savedPath);
    require(!testing::errorShown(user.take(calculator.load()).outcome));
    require(onlyCrLfBreaks(calculator.state().display.entryText));
    QFile::remove(savedPath);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    DecodedText decoded;
    require(guarded([&] { decoded = checkDecoder(bytes); }));
    checkLoadAndSave(scratchFolder(), bytes, decoded);
    return 0;
}
