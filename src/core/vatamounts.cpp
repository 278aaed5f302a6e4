// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/vatamounts.h"

#include "core/singleprecision.h"
#include "eval/errors.h"
#include "eval/fpu.h"
#include "eval/numbertext.h"

namespace numra {

namespace {

// a op b of the two fields' values, or nothing when either text does not
// convert or the result leaves the single range.
template <class Op>
std::optional<QString> combine(const QString& a, const QString& b, QChar separator, Op op)
{
    const std::optional<float> x = parseSingle(a, separator);
    const std::optional<float> y = parseSingle(b, separator);
    if (!x || !y)
        return std::nullopt;
    try {
        return formatTwoDecimals(fpu::toSingle(op(*x, *y)), separator);
    } catch (const ArithmeticError&) {
        return std::nullopt;
    }
}

} // namespace

VatCompletion completeVatAmounts(const VatAmounts& fields, QChar separator)
{
    VatCompletion done{fields, 0};
    VatAmounts& a = done.amounts;
    if (!isBlankText(a.gross)) {
        if (auto net = combine(a.gross, a.tax, separator, fpu::sub))
            a.net = *net;
        else
            ++done.failedSteps;
    }
    if (!isBlankText(a.net)) {
        if (auto gross = combine(a.net, a.tax, separator, fpu::add))
            a.gross = *gross;
        else
            ++done.failedSteps;
    }
    return done;
}

QString vatFieldText(const VatAmounts& amounts, VatField field)
{
    switch (field) {
    case VatField::Gross: return trimBlanks(amounts.gross);
    case VatField::Net: return trimBlanks(amounts.net);
    case VatField::Tax: return trimBlanks(amounts.tax);
    case VatField::None: break;
    }
    return QString();
}

QString vatCopyNotice(const QString& copied) { return QStringLiteral("Wert kopiert: ") + copied; }

} // namespace numra
