// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/pendinglineview.h"

#include "gui/zoom.h"

#include <QLabel>
#include <QStringList>
#include <algorithm>

namespace numra {

namespace {

constexpr int kMargin = 2;
constexpr int kGap = 8; // between the marks and the formula

} // namespace

PendingLineView::PendingLineView(QWidget* parent) : QWidget(parent)
{
    setProperty(kArrangesItsChildren, true);
    marks_ = new QLabel(this);
    marks_->setTextFormat(Qt::PlainText);
    marks_->setAccessibleName(QStringLiteral("Einstellungen der Berechnung"));
    formula_ = new QLabel(this);
    formula_->setTextFormat(Qt::PlainText);
    formula_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    formula_->setAccessibleName(QStringLiteral("Ausstehende Formel"));
}

void PendingLineView::show(const PendingLine& line)
{
    if (line == shown_)
        return;
    shown_ = line;
    marks_->setText(QStringList(line.marks.begin(), line.marks.end()).join(QStringLiteral("  ")));
    formula_->setAccessibleDescription(line.formula);
    arrange();
}

void PendingLineView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    arrange();
}

// The marks as wide as their text, the formula in what is left; a long
// formula shows its end, where the user is typing, and a notice after it.
void PendingLineView::arrange()
{
    QString text = shown_.formula;
    if (!shown_.notice.isEmpty())
        text = text.isEmpty() ? shown_.notice : text + QStringLiteral("  ·  ") + shown_.notice;
    const int marksWidth = marks_->text().isEmpty() ? 0 : marks_->sizeHint().width();
    marks_->setGeometry(kMargin, 0, marksWidth, height());
    const int formulaLeft = kMargin + marksWidth + (marksWidth > 0 ? kGap : 0);
    formula_->setGeometry(formulaLeft, 0, std::max(0, width() - kMargin - formulaLeft), height());
    formula_->setText(formula_->fontMetrics().elidedText(text, Qt::ElideLeft, formula_->width()));
}

} // namespace numra
