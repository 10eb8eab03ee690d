// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Windows are built from layout tables: one row per control with its object
// name, kind, caption, place and size in twips (1/1440 inch; 15 twips make
// one device-independent pixel) and tab index. BuildControls turns a table
// into child widgets with fixed geometry: no layouts, nothing moves when the
// window is resized.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <utility>

#include <QFont>
#include <QString>
#include <QWidget>

class QLabel;

namespace ui {

enum class ControlKind {
  kLabel,       // QLabel: caption on its container's background
  kPlotLabel,   // QLabel: caption on the light yellow of the plot area, opaque
  kResultBox,   // QLabel: white framed box (results of the compute command)
  kReadoutBox,  // QLabel: light-yellow framed box, right-aligned (cursor readout)
  kCreditBox,   // QLabel: light-cyan framed box at normal weight
  kTextBox,     // QLineEdit, right-aligned
  kButton,      // WrappingButton
  kOption,      // QRadioButton; one exclusive group per window
  kImage,       // ImageBox showing the resource image named by the caption
  kPicture,     // PictureBox (a drawing surface with user coordinates)
};

struct ControlSpec {
  const char* name;  // Qt object name, unique in its window
  ControlKind kind;
  const char* caption;           // UTF-8; for kImage the resource path
  int left, top, width, height;  // twips, in the container's client area
  int tab_index;
  const char* container = nullptr;  // object name of a picture box, or the window
  uint32_t text_colour = 0;         // 0xRRGGBB; 0 keeps the palette's text colour
};

// Returns twips as device-independent pixels.
inline int Pixels(int twips) { return (twips + 7) / 15; }

// The font of every control: Liberation Sans Bold at 11 pixels, the
// 8.25-point bold sans-serif of the windows at 96 dpi.
QFont ControlFont();

// Registers the copy of Liberation Sans compiled into the program, where
// there is one, so that the captions fit alike on every platform. Once is
// enough; later calls do nothing. REQUIRES: a QGuiApplication.
void LoadFonts();

// Gives `window` the system colour `background` as its ground, creates the
// controls of `table` as its children (or as children of the picture box
// named as their container, which must come earlier in the table), then
// chains the keyboard focus through the controls that take it in the order
// of their tab indices.
void BuildControls(QWidget* window, QPalette::ColorRole background,
                   std::span<const ControlSpec> table);

// Shows `text` in `label`, with `unit` after it in the label's accessible
// description and then `more` (a comparison read out with it), and tells a
// screen reader that the value changed.
void ShowValue(QLabel* label, const QString& text, const QString& unit = QString(),
               const QString& more = QString());

// Gives each control named in `names` (object name, accessible name) the
// name a screen reader says for it, where its caption alone would not tell
// it from another control of the window.
void NameForScreenReaders(QWidget* window,
                          std::initializer_list<std::pair<const char*, const char*>> names);

// Returns the child of `window` named `name`. REQUIRES: it exists with type
// T; a misspelt name ends the program with the name, in every build, rather
// than handing on a null control.
template <class T>
T* Control(const QWidget* window, const char* name) {
  T* control = window->findChild<T*>(QString::fromLatin1(name));
  if (control == nullptr) [[unlikely]]
    qFatal("%s has no control %s of the type asked for", qPrintable(window->objectName()), name);
  return control;
}

}  // namespace ui
