// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tapeprinting.h"

#include "core/tape.h"
#include "gui/layoutfonts.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace numra {

namespace {

constexpr qreal kPrintPoints = 10;

// Where the columns start and end, as parts of the page's width.
constexpr qreal kResultStart = 0.44;
constexpr qreal kResultEnd = 0.62;
constexpr qreal kNoteStart = 0.65;
constexpr qreal kKindStart = 0.86;

struct Columns {
    QRect formula, result, note, kind;
};

Columns columnsOf(const QRect& line)
{
    const auto at = [&](qreal part) { return line.left() + int(line.width() * part); };
    const int top = line.top(), height = line.height();
    return {QRect(line.left(), top, at(kResultStart) - line.left(), height),
            QRect(at(kResultStart), top, at(kResultEnd) - at(kResultStart), height),
            QRect(at(kNoteStart), top, at(kKindStart) - at(kNoteStart) - 4, height),
            QRect(at(kKindStart), top, line.right() - at(kKindStart), height)};
}

// The result whole, right-aligned in its column or reaching left of it; the
// formula takes what is left.
void drawRow(QPainter& painter, const Tape& tape, const TapeRow& row, const QRect& line)
{
    const QFontMetrics metrics = painter.fontMetrics();
    Columns columns = columnsOf(line);
    const QString result = tape.shownResult(row);
    const int resultWidth = std::max(columns.result.width(), metrics.horizontalAdvance(result));
    columns.result.setLeft(columns.result.right() - resultWidth);
    columns.formula.setRight(std::min(columns.formula.right(), columns.result.left() - 6));
    // An error row names its error where there is no note.
    const QString note = row.note.isEmpty() ? row.error : row.note;
    painter.drawText(columns.formula, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(shownOnOneLine(row.formula), Qt::ElideRight, columns.formula.width()));
    painter.drawText(columns.result, Qt::AlignRight | Qt::AlignVCenter, result);
    painter.drawText(columns.note, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(shownOnOneLine(note), Qt::ElideRight, columns.note.width()));
    painter.drawText(columns.kind, Qt::AlignLeft | Qt::AlignVCenter, tapeRowKindName(row.kind).toString());
}

void drawHeadings(QPainter& painter, const QRect& line)
{
    const Columns columns = columnsOf(line);
    QFont bold = painter.font();
    bold.setBold(true);
    const QFont plain = painter.font();
    painter.setFont(bold);
    const auto title = [](TapeColumn column) { return tapeColumnTitle(column).toString(); };
    painter.drawText(columns.formula, Qt::AlignLeft | Qt::AlignVCenter, title(TapeColumn::Formula));
    painter.drawText(columns.result, Qt::AlignRight | Qt::AlignVCenter, title(TapeColumn::Result));
    painter.drawText(columns.note, Qt::AlignLeft | Qt::AlignVCenter, title(TapeColumn::Note));
    painter.drawText(columns.kind, Qt::AlignLeft | Qt::AlignVCenter, title(TapeColumn::Kind));
    painter.setFont(plain);
    painter.drawLine(line.bottomLeft(), line.bottomRight());
}

// A rule over the results, then the total under them and the count.
void drawTotal(QPainter& painter, const Tape& tape, const QRect& line)
{
    const QFontMetrics metrics = painter.fontMetrics();
    Columns columns = columnsOf(line);
    const QString total = tape.readableAmount(tape.totalText());
    columns.result.setLeft(columns.result.right() - std::max(columns.result.width(), metrics.horizontalAdvance(total)));
    painter.drawLine(columns.result.topLeft(), columns.result.topRight());
    QFont bold = painter.font();
    bold.setBold(true);
    const QFont plain = painter.font();
    painter.setFont(bold);
    painter.drawText(columns.formula, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("Summe (%1 Posten)").arg(tape.itemCount()));
    painter.drawText(columns.result, Qt::AlignRight | Qt::AlignVCenter, total);
    painter.setFont(plain);
}

} // namespace

std::vector<TapePage> tapePages(qsizetype rows, int linesPerPage, const QDate& date)
{
    const qsizetype perPage = std::max(linesPerPage, 1);
    const qsizetype lines = rows + 1; // the summary
    const qsizetype count = (lines + perPage - 1) / perPage;
    const QString header = QStringLiteral("Rechenstreifen vom %1").arg(date.toString(QStringLiteral("dd.MM.yyyy")));
    std::vector<TapePage> pages;
    for (qsizetype page = 0; page < count; ++page) {
        const qsizetype first = page * perPage;
        const qsizetype rowCount = std::clamp(rows - first, qsizetype(0), perPage);
        pages.push_back({first, rowCount, page == count - 1, header,
                         QStringLiteral("Seite %1 von %2").arg(page + 1).arg(count)});
    }
    return pages;
}

QString tapePdfName(const QDate& date)
{
    return QStringLiteral("Rechenstreifen-%1.pdf").arg(date.toString(Qt::ISODate));
}

void printTape(const Tape& tape, QPagedPaintDevice& device, const QDate& date)
{
    QPainter painter(&device);
    QFont font = tahoma(11);
    font.setPointSizeF(kPrintPoints);
    painter.setFont(font);
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const QRect page(0, 0, device.width(), device.height());
    // The header, the headings and the footer each take a line and a line's gap.
    const int linesPerPage = page.height() / lineHeight - 6;
    const auto lineAt = [&](int top) { return QRect(page.left(), top, page.width(), lineHeight); };

    bool first = true;
    for (const TapePage& sheet : tapePages(tape.size(), linesPerPage, date)) {
        if (!first)
            device.newPage();
        first = false;
        painter.drawText(lineAt(page.top()), Qt::AlignLeft, sheet.header);
        drawHeadings(painter, lineAt(page.top() + 2 * lineHeight));
        int top = page.top() + 4 * lineHeight;
        for (qsizetype i = 0; i < sheet.rowCount; ++i, top += lineHeight)
            drawRow(painter, tape, tape.row(sheet.firstRow + i), lineAt(top));
        if (sheet.withSummary)
            drawTotal(painter, tape, lineAt(top));
        painter.drawText(lineAt(page.bottom() - lineHeight), Qt::AlignHCenter, sheet.footer);
    }
}

} // namespace numra
