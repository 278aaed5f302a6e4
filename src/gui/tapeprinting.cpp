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
constexpr qreal kFormulaEnd = 0.58;
constexpr qreal kResultEnd = 0.80;
constexpr qreal kKindStart = 0.83;

void drawRow(QPainter& painter, const Tape& tape, const TapeRow& row, const QRect& line)
{
    const QFontMetrics metrics = painter.fontMetrics();
    const int width = line.width();
    const QRect formula(line.left(), line.top(), int(width * kFormulaEnd), line.height());
    const QRect result(formula.right(), line.top(), int(width * kResultEnd) - formula.width(), line.height());
    const QRect kind(line.left() + int(width * kKindStart), line.top(), int(width * (1 - kKindStart)), line.height());
    painter.drawText(formula, Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(shownOnOneLine(row.formula), Qt::ElideRight, formula.width()));
    painter.drawText(result, Qt::AlignRight | Qt::AlignVCenter,
                     metrics.elidedText(tape.readableResult(row), Qt::ElideLeft, result.width()));
    painter.drawText(kind, Qt::AlignLeft | Qt::AlignVCenter, tapeRowKindName(row.kind).toString());
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

void printTape(const Tape& tape, QPagedPaintDevice& device, const QDate& date)
{
    QPainter painter(&device);
    QFont font = tahoma(11);
    font.setPointSizeF(kPrintPoints);
    painter.setFont(font);
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const QRect page(0, 0, device.width(), device.height());
    // The header and the footer each take a line and a line's gap.
    const int linesPerPage = page.height() / lineHeight - 4;

    bool first = true;
    for (const TapePage& sheet : tapePages(tape.size(), linesPerPage, date)) {
        if (!first)
            device.newPage();
        first = false;
        painter.drawText(QRect(page.left(), page.top(), page.width(), lineHeight), Qt::AlignLeft, sheet.header);
        int top = page.top() + 2 * lineHeight;
        for (qsizetype i = 0; i < sheet.rowCount; ++i, top += lineHeight)
            drawRow(painter, tape, tape.row(sheet.firstRow + i), QRect(page.left(), top, page.width(), lineHeight));
        if (sheet.withSummary)
            painter.drawText(QRect(page.left(), top, page.width(), lineHeight), Qt::AlignRight, tape.summary());
        painter.drawText(QRect(page.left(), page.bottom() - lineHeight, page.width(), lineHeight), Qt::AlignHCenter,
                         sheet.footer);
    }
}

} // namespace numra
