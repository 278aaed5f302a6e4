// SPDX-License-Identifier: GPL-3.0-or-later
// The tape's rows as texts: kinds and columns by name, what a row is computed
// from, and the table model the window shows.

#include "core/tape.h"

#include "core/vatrates.h"

#include <QRegularExpression>
#include <array>

namespace numra {

namespace {

struct KindName {
    TapeRowKind kind;
    QStringView name;
};

// Words rather than signs: a spreadsheet would take "=" or "+/-" for a formula.
constexpr std::array kKindNames{
    KindName{TapeRowKind::Result, u"Ergebnis"},
    KindName{TapeRowKind::Subtotal, u"Zwischensumme"},
    KindName{TapeRowKind::Percent, u"Prozent"},
    KindName{TapeRowKind::SignChange, u"Vorzeichen"},
    KindName{TapeRowKind::Reciprocal, u"Kehrwert"},
    KindName{TapeRowKind::SquareRoot, u"Wurzel"},
    KindName{TapeRowKind::Power, u"Potenz"},
    KindName{TapeRowKind::CutDecimals, u"Ganzzahl"},
    KindName{TapeRowKind::HexToInt, u"Hex->Int"},
    KindName{TapeRowKind::IntToHex, u"Int->Hex"},
    KindName{TapeRowKind::VatFromNet, u"Ust+"},
    KindName{TapeRowKind::VatFromGross, u"Ust-"},
};

constexpr bool kindsInOrder()
{
    for (std::size_t i = 0; i < kKindNames.size(); ++i)
        if (kKindNames[i].kind != TapeRowKind(i))
            return false;
    return kKindNames.back().kind == TapeRowKind::VatFromGross;
}
static_assert(kindsInOrder(), "kKindNames must list every TapeRowKind in enum order");

constexpr std::array<QStringView, tapeColumnCount> kColumnTitles{u"Formel", u"Ergebnis", u"Notiz", u"Art"};

const QString kErrorShown = QStringLiteral("Fehler");

} // namespace

QStringView tapeRowKindName(TapeRowKind kind)
{
    return kKindNames[std::size_t(kind)].name;
}

std::optional<TapeRowKind> tapeRowKindNamed(QStringView name)
{
    for (const KindName& entry : kKindNames)
        if (entry.name == name)
            return entry.kind;
    return std::nullopt;
}

bool isVatKind(TapeRowKind kind)
{
    return kind == TapeRowKind::VatFromNet || kind == TapeRowKind::VatFromGross;
}

const QString& rowInput(const TapeRow& row)
{
    return isVatKind(row.kind) ? row.recipe.vatAmount : row.formula;
}

void setRowInput(TapeRow& row, const QString& input)
{
    (isVatKind(row.kind) ? row.recipe.vatAmount : row.formula) = input;
}

// "Netto 12,50 · Steuer 19 % 2,38 · Brutto 14,88" names the amount typed
// (the net amount after "Ust+", the gross amount after "Ust-") and the rate.
TapeRecipe inferredRecipe(const TapeRow& row)
{
    static const QRegularExpression twoDecimals(QStringLiteral("^-?[0-9]+[.,][0-9]{2}$"));
    static const QRegularExpression vat(QStringLiteral("^Netto (\\S+) · Steuer (\\S+) % \\S+ · Brutto (\\S+)$"));
    TapeRecipe recipe;
    recipe.twoDecimals = twoDecimals.match(row.result).hasMatch();
    if (!isVatKind(row.kind))
        return recipe;
    const QRegularExpressionMatch named = vat.match(row.formula);
    if (named.hasMatch()) {
        recipe.vatRate = parseVatRate(named.captured(2)).value_or(kStandardVatRate);
        recipe.vatAmount = named.captured(row.kind == TapeRowKind::VatFromNet ? 1 : 3);
    }
    return recipe;
}

QStringView tapeColumnTitle(TapeColumn column)
{
    return kColumnTitles[std::size_t(column)];
}

QString tapeField(const TapeRow& row, TapeColumn column)
{
    switch (column) {
    case TapeColumn::Formula:
        return row.formula;
    case TapeColumn::Result:
        return row.error.isEmpty() ? row.result : kErrorResultPrefix + row.error;
    case TapeColumn::Note:
        return row.note;
    case TapeColumn::Kind:
    case TapeColumn::Count:
        break;
    }
    return tapeRowKindName(row.kind).toString();
}

QString shownOnOneLine(const QString& text)
{
    QString line = text;
    for (QChar& c : line)
        if (c.unicode() < 0x20)
            c = u' ';
    return line;
}

QString Tape::shownResult(const TapeRow& row) const
{
    return row.error.isEmpty() ? readableResult(row) : kErrorShown;
}

int Tape::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size()) + 1;
}

int Tape::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : tapeColumnCount;
}

// The whole text where the column cuts it; an error row names its error,
// a row that continued from another names that row.
QVariant Tape::toolTip(qsizetype index, TapeColumn column) const
{
    const TapeRow& shown = row(index);
    QString text = column == TapeColumn::Result ? shownResult(shown) : shownOnOneLine(tapeField(shown, column));
    if (column == TapeColumn::Formula) {
        if (const std::optional<qsizetype> source = linkedRow(index))
            text += QStringLiteral("\nSetzt das Ergebnis von Zeile %1 fort.").arg(*source + 1);
    }
    if (!shown.error.isEmpty() && column != TapeColumn::Kind)
        text = column == TapeColumn::Result ? shown.error : text + u'\n' + shown.error;
    return text;
}

QVariant Tape::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= tapeColumnCount)
        return QVariant();
    const auto column = TapeColumn(index.column());
    const bool newRow = index.row() == size();
    switch (role) {
    case Qt::EditRole: // what an editor starts with: the text the row is computed from
        if (newRow || column == TapeColumn::Result || column == TapeColumn::Kind)
            return QString();
        return column == TapeColumn::Formula ? rowInput(row(index.row())) : row(index.row()).note;
    case Qt::DisplayRole:
        if (newRow)
            return QString();
        if (column == TapeColumn::Result)
            return shownResult(row(index.row()));
        return shownOnOneLine(tapeField(row(index.row()), column));
    case Qt::ToolTipRole:
        return newRow ? QVariant() : toolTip(index.row(), column);
    case Qt::TextAlignmentRole:
        return column == TapeColumn::Result ? int(Qt::AlignRight | Qt::AlignVCenter)
                                            : int(Qt::AlignLeft | Qt::AlignVCenter);
    case TapeErrorRole:
        return newRow ? QString() : row(index.row()).error;
    case TapeNewRowRole:
        return newRow;
    default:
        return QVariant();
    }
}

QVariant Tape::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return QVariant();
    if (orientation == Qt::Vertical) // the row's number, which a screen reader names each row by
        return section < rowCount() ? QVariant(QString::number(section + 1)) : QVariant();
    if (section >= tapeColumnCount)
        return QVariant();
    return tapeColumnTitle(TapeColumn(section)).toString();
}

// Formulas and notes are edited in place; into the empty last row only a
// formula is typed.
Qt::ItemFlags Tape::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const auto column = TapeColumn(index.column());
    const bool newRow = index.row() == size();
    if (column == TapeColumn::Formula || (column == TapeColumn::Note && !newRow))
        flags |= Qt::ItemIsEditable;
    return flags;
}

} // namespace numra
