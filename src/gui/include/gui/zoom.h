// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Zoom: the calculator and its windows from 100 % to 300 % in steps of
// 25 %. Every window is laid out in pixels at 100 % (the layout and key
// tables, the dialogs' own rectangles); zooming scales that layout as a
// whole, here and nowhere else: each control's place and size, its font and
// its picture (drawn anew from its SVG, so it stays sharp). Windows whose
// controls a layout places take the larger fonts and grow with them; the
// application's font, which message boxes, menus and file dialogs use, is
// scaled too.

class QApplication;
class QWidget;

namespace numra {

inline constexpr int kZoomMinimum = 100;
inline constexpr int kZoomMaximum = 300;
inline constexpr int kZoomStep = 25;

// Set (true) on a widget that places its children itself when it is
// resized; the zoom leaves their places to it.
inline constexpr char kArrangesItsChildren[] = "numraArrangesItsChildren";

// The next step in, out; the zoom itself where there is none.
int zoomedIn(int percent);
int zoomedOut(int percent);
// A kept value that is no step is taken as the nearest step.
int validZoom(int percent);

// The window and its controls at `percent` of their 100 % layout (what
// they have when this is first called). Windows inside it are left to their
// own call.
void zoomWindow(QWidget& window, int percent);

void zoomApplicationFont(QApplication& app, int percent);

} // namespace numra
