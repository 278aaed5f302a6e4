// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pending-formula line of the calculator window (core/pendingline.h):
// the marks at its left, the formula at its right, whose end shows when it
// is longer than the line. Screen readers read the whole formula.

#include "core/pendingline.h"

#include <QWidget>

class QLabel;

namespace numra {

class PendingLineView : public QWidget {
public:
    explicit PendingLineView(QWidget* parent);

    void show(const PendingLine& line);

    QLabel* marks() const { return marks_; }
    QLabel* formula() const { return formula_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void arrange();

    QLabel* marks_;
    QLabel* formula_;
    PendingLine shown_;
};

} // namespace numra
