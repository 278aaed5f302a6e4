// SPDX-License-Identifier: GPL-3.0-or-later
// The reader of pasted amounts on any text, as UTF-8 and as raw UTF-16,
// beside the decimal comma and the decimal point. Each amount it reads is a
// number of both arithmetics and reads back as itself; each amount, shown
// with places in every rounding mode and with thousands separators, is read
// back as the shown text without them.

#include "fuzzcheck.h"

#include "eval/digitgrouping.h"
#include "eval/pastedtext.h"
#include "eval/shownform.h"

using namespace numra;
using namespace numra::fuzz;

namespace {

void checkShownForms(const Number& value, QChar separator)
{
    for (const ShownFormat& format : {ShownFormat{}, ShownFormat{0, RoundingMode::AwayFromZero},
                                      ShownFormat{2, RoundingMode::HalfAwayFromZero},
                                      ShownFormat{4, RoundingMode::TowardZero}}) {
        const ShownNumber shown = shownForm(value, format, separator);
        const QString text = shown.text.toString();
        const PastedText pasted = readPastedText(groupThousands(text, separator), separator);
        require(pasted.kind == PastedText::Kind::Amounts && pasted.amounts.size() == 1);
        require(pasted.amounts.front() == text);
        require(shown.value.arithmetic() == value.arithmetic());
    }
}

void checkAmount(const QString& amount, QChar separator)
{
    const PastedText again = readPastedText(amount, separator);
    require(again.kind == PastedText::Kind::Amounts && again.amounts.size() == 1 && again.amounts.front() == amount);
    for (Arithmetic arithmetic : {Arithmetic::Binary, Arithmetic::Decimal}) {
        Number value;
        require(tryParseNumber(amount, separator, arithmetic, value));
        checkShownForms(value, separator);
    }
}

void check(const QString& text, QChar separator)
{
    const PastedText pasted = readPastedText(text, separator);
    switch (pasted.kind) {
    case PastedText::Kind::Empty:
        require(pasted.amounts.empty());
        break;
    case PastedText::Kind::Amounts:
        require(!pasted.amounts.empty());
        for (const QString& amount : pasted.amounts)
            checkAmount(amount, separator);
        break;
    case PastedText::Kind::Formula:
        require(pasted.amounts.empty() && !pasted.formula.isEmpty() && !pasted.message.isEmpty());
        break;
    case PastedText::Kind::Refused:
        require(pasted.amounts.empty() && !pasted.message.isEmpty());
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const QString& text : {utf8Text(data, size), utf16Text(data, size)}) {
        check(text, u',');
        check(text, u'.');
    }
    return 0;
}
