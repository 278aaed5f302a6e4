// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/secondarywindows.h"

#include "gui/aboutwindow.h"
#include "gui/copychooser.h"
#include "gui/formulawindow.h"
#include "gui/helpwindow.h"
#include "gui/tapewindow.h"
#include "gui/vatwindow.h"
#include "gui/zoom.h"

namespace numra {

// Every window is created here, owned by the calculator window.
template <class Window, class... Arguments>
Window* SecondaryWindows::create(Arguments&... arguments)
{
    auto* window = new Window(&calculator_, arguments...);
    zoomWindow(*window, zoom_);
    return window;
}

void SecondaryWindows::setZoom(int percent)
{
    zoom_ = percent;
    for (QWidget* window : std::initializer_list<QWidget*>{aboutWindow_, vatWindow_, helpWindow_, formulaWindow_,
                                                           copyChooser_, tapeWindow_})
        if (window)
            zoomWindow(*window, percent);
}

SecondaryWindows::SecondaryWindows(QWidget& calculator, Tape& tape, Connections connections)
    : calculator_(calculator), tape_(tape), connections_(std::move(connections))
{
}

AboutWindow& SecondaryWindows::aboutWindow()
{
    if (!aboutWindow_)
        aboutWindow_ = create<AboutWindow>();
    return *aboutWindow_;
}

// The subtotal and VAT windows keep clear of the tape window, which keeps its
// side of the calculator.
VatWindow& SecondaryWindows::vatWindow()
{
    if (!vatWindow_) {
        vatWindow_ = create<VatWindow>();
        vatWindow_->setChooser([this] { return copyChooser().choose(); });
        vatWindow_->keepClearOf(tapeWindow_);
        connections_.vatWindow(*vatWindow_);
    }
    return *vatWindow_;
}

HelpWindow& SecondaryWindows::helpWindow()
{
    if (!helpWindow_)
        helpWindow_ = create<HelpWindow>();
    return *helpWindow_;
}

FormulaWindow& SecondaryWindows::formulaWindow()
{
    if (!formulaWindow_) {
        formulaWindow_ = create<FormulaWindow>();
        formulaWindow_->keepClearOf(tapeWindow_);
        connections_.formulaWindow(*formulaWindow_);
    }
    return *formulaWindow_;
}

CopyChooser& SecondaryWindows::copyChooser()
{
    if (!copyChooser_)
        copyChooser_ = create<CopyChooser>();
    return *copyChooser_;
}

TapeWindow& SecondaryWindows::tapeWindow()
{
    if (!tapeWindow_) {
        tapeWindow_ = create<TapeWindow>(tape_);
        if (formulaWindow_)
            formulaWindow_->keepClearOf(tapeWindow_);
        if (vatWindow_)
            vatWindow_->keepClearOf(tapeWindow_);
        connections_.tapeWindow(*tapeWindow_);
    }
    return *tapeWindow_;
}

bool SecondaryWindows::isTapeWindow(const QObject* object) const
{
    return tapeWindow_ && object == tapeWindow_;
}

bool SecondaryWindows::isBesideWindow(const QObject* object) const
{
    return object && (object == tapeWindow_ || object == formulaWindow_);
}

bool SecondaryWindows::isTapeWindowVisible() const
{
    return tapeWindow_ && tapeWindow_->isVisible();
}

bool SecondaryWindows::isFormulaWindowVisible() const
{
    return formulaWindow_ && formulaWindow_->isVisible();
}

bool SecondaryWindows::isVatWindowVisible() const
{
    return vatWindow_ && vatWindow_->isVisible();
}

} // namespace numra
