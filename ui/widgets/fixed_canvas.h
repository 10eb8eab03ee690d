// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// A window whose controls have fixed places: they stand on a canvas of the
// window's design size inside a scroll area without a frame. Where the
// window is as large as its design, the scroll area shows nothing of its
// own; where the screen is smaller, the window is made to fit and scroll
// bars reach every control.
#pragma once

#include <QPalette>
#include <QSize>

class QWidget;

namespace ui {

// Creates the canvas of `window` with the design `size` (logical pixels)
// and the system colour `ground`, inside a scroll area that fills the
// window, and gives the window that size. Returns the canvas, the parent of
// the window's controls.
QWidget* MakeCanvas(QWidget* window, QSize size, QPalette::ColorRole ground);

// Gives `window` a scroll area without a frame that fills it, and returns
// the page inside it, which grows with the window: the parent of the
// window's laid-out contents. Where the screen is smaller than the page
// wants, the scroll bars reach every part.
QWidget* MakeScrollPage(QWidget* window);

// Makes `window` no larger than the area of its screen that windows may
// use, frame included, and moves it wholly inside that area. A window that
// fits and stands inside keeps its size and place.
void KeepOnScreen(QWidget* window);

}  // namespace ui
