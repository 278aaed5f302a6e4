// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows the calculator window opens: about, VAT, help, formula window,
// copy chooser and tape window. Each is created, hidden, on its first use,
// owned by the calculator window (which it is placed over or beside), and
// kept until the program ends, so that it shows what it showed when it was
// last open. None of them is needed for the calculator's first picture.

#include <functional>

class QObject;
class QWidget;

namespace numra {

class AboutWindow;
class CopyChooser;
class FormulaWindow;
class HelpWindow;
class Tape;
class TapeWindow;
class VatWindow;

class SecondaryWindows {
public:
    // What the calculator window connects to its tape, VAT and formula
    // windows once they exist.
    struct Connections {
        std::function<void(TapeWindow&)> tapeWindow;
        std::function<void(VatWindow&)> vatWindow;
        std::function<void(FormulaWindow&)> formulaWindow;
    };

    SecondaryWindows(QWidget& calculator, Tape& tape, Connections connections);
    SecondaryWindows(const SecondaryWindows&) = delete;
    SecondaryWindows& operator=(const SecondaryWindows&) = delete;

    AboutWindow& aboutWindow();
    VatWindow& vatWindow();
    HelpWindow& helpWindow();
    FormulaWindow& formulaWindow();
    CopyChooser& copyChooser();
    TapeWindow& tapeWindow();

    // Without creating them.
    bool isTapeWindow(const QObject* object) const;
    // The tape or the formula window, which open beside the calculator.
    bool isBesideWindow(const QObject* object) const;
    bool isTapeWindowVisible() const;
    bool isFormulaWindowVisible() const;
    bool isVatWindowVisible() const;

    // Every window, made now or later, at this zoom.
    void setZoom(int percent);

private:
    template <class Window, class... Arguments>
    Window* create(Arguments&... arguments);

    QWidget& calculator_;
    Tape& tape_;
    Connections connections_;
    AboutWindow* aboutWindow_ = nullptr;
    VatWindow* vatWindow_ = nullptr;
    HelpWindow* helpWindow_ = nullptr;
    FormulaWindow* formulaWindow_ = nullptr;
    CopyChooser* copyChooser_ = nullptr;
    TapeWindow* tapeWindow_ = nullptr;
    int zoom_ = 100;
};

} // namespace numra
