// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Form2: the waveform window. The plot area Picture1 with the time labels,
// the strip Picture3 with the trace labels, four option buttons naming the
// traces, eight readout boxes, a title line, a credit line and "Esci".
// Created on first use by the session, shown non-modal, destroyed when its
// exit button or close box is used; the next plot gets a fresh one.
#pragma once

#include <cstdint>
#include <memory>

#include <QImage>
#include <QWidget>

#include "analysis/accuracy.h"
#include "analysis/circuit_state.h"
#include "ui/waveform/axis_labels.h"

class QAction;
class QPushButton;

namespace ui {

class CursorReadout;
class PictureBox;

class Form2 : public QWidget {
  Q_OBJECT

 public:
  Form2();
  ~Form2() override;

  // The exit command ("Esci"): closes and destroys the window. The circuit
  // state and Form1 stay as they are.
  void Command1_Click();

  // What the traces on screen were drawn with, or nullptr before the first
  // plot that completed in this window. The readout reads only this.
  const analysis::CircuitState* plotted() const { return plotted_.get(); }
  // How true the plot on screen is, or nullptr as plotted().
  const analysis::Accuracy* plotted_accuracy() const { return plotted_accuracy_.get(); }
  // Makes the plot just drawn the one on screen: keeps `plotted`, the state
  // it was drawn with, and its accuracy, and writes the annotation.
  void ShowPlot(std::unique_ptr<analysis::CircuitState> plotted,
                std::unique_ptr<analysis::Accuracy> accuracy, const TimeCaptions& captions);

  // The cursor readout, run for every mouse movement over Picture1 (and
  // while a button pressed inside keeps the mouse), with x and y in
  // Picture1's user units, on the plot on screen, also given to a screen
  // reader as the keys' readings are (the accessible name of Picture1).
  // `button` and `shift` are not read. Without a plot on screen it shows
  // nothing. Throws the Fault of
  // its computations; what it set before stays.
  void Picture1_MouseMove(int16_t button, int16_t shift, float x, float y);

  // The sample cursor of Picture1, run for its keys while it has the focus
  // and with Qt::Key_unknown when it gets the focus from the keyboard:
  // Left and Right move it by a sample along the selected trace, with Shift
  // by a tenth of a period, PageUp and PageDown by a period; Home and End go
  // to the first and last sample shown; Up and Down select the trace above
  // or below. It shows the time of the sample and the sample's value in the
  // readout boxes and the tooltip, marks it over the plot and gives the
  // reading to a screen reader (the accessible name of Picture1). It starts
  // at the first sample; while it is not shown, the moving keys only show
  // it. Throws the Fault of its computations.
  void Picture1_KeyPress(int key, Qt::KeyboardModifiers modifiers);

  // The commands of the plot on screen, in the context menu of Picture1 and
  // on the keyboard of the window; disabled until a plot completed. The menu
  // also holds "Soluzione esatta" (Ctrl+E), the exact steady state over the
  // plot, disabled where there is none, and "Precisione del metodo…"
  // (Ctrl+M) and "Risposta in frequenza…" (Ctrl+R), which the session answers.
  // Puts the plot area and the strip beside it on the clipboard (Ctrl+C).
  void CopyImage();
  // Asks where, then saves that picture as PNG (Ctrl+S).
  void SaveImage();
  // Asks where, then saves the samples of the period as CSV (Ctrl+Shift+S).
  void SaveData();
  // "Pulisci grafico" (Ctrl+L): erases the plots drawn before the one on
  // screen, which stays drawn alone, with its labels and readout.
  void ClearPlot();

 protected:
  // A window larger than its screen's free area is made to fit, and one
  // partly off it is moved inside.
  void showEvent(QShowEvent* event) override;

 private:
  // Tells in the message box why `path` could not be saved.
  void TellWhyNotSaved(const QString& path, const QString& reason);
  // Shows the sample under the cursor on trace `row`.
  void ShowSample(int row);
  // Shows the exact steady state over the plot on screen, and its value in
  // the tooltip, while "Soluzione esatta" is on and there is one.
  void UpdateOverlay();
  // The plot's picture (PlotPicture) without the sample cursor, which stays
  // on screen.
  QImage PictureWithoutCursor();

  PictureBox* Picture1;
  QPushButton* Command1;
  QAction* copy_image_;
  QAction* save_image_;
  QAction* save_data_;
  QAction* clear_plot_;
  QAction* exact_;      // "Soluzione esatta", off at every start
  int64_t cursor_ = 0;  // the sample under the keyboard cursor: 0 is sample 1 of period 1
  std::unique_ptr<CursorReadout> readout_;
  std::unique_ptr<analysis::CircuitState> plotted_;
  std::unique_ptr<analysis::Accuracy> plotted_accuracy_;
};

}  // namespace ui
