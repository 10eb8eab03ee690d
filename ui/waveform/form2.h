// Form2: the waveform window. The plot area Picture1 with the time labels,
// the strip Picture3 with the trace labels, four option buttons naming the
// traces, eight readout boxes, a title line, a credit line and "Esci".
// Created on first use by the session, shown non-modal, destroyed when its
// exit button or close box is used; the next plot gets a fresh one.
#pragma once

#include <cstdint>
#include <memory>

#include <QWidget>

#include "analysis/circuit_state.h"
#include "ui/waveform/axis_labels.h"

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
  // Makes the plot just drawn the one on screen: keeps `plotted`, the state
  // it was drawn with, and writes the annotation.
  void ShowPlot(std::unique_ptr<analysis::CircuitState> plotted, const TimeCaptions& captions);

  // The cursor readout, run for every mouse movement over Picture1 (and
  // while a button pressed inside keeps the mouse), with x and y in
  // Picture1's user units, on the plot on screen. `button` and `shift` are
  // not read. Without a plot on screen it shows nothing. Throws the Fault of
  // its computations; what it set before stays.
  void Picture1_MouseMove(int16_t button, int16_t shift, float x, float y);

 private:
  PictureBox* Picture1;
  QPushButton* Command1;
  std::unique_ptr<CursorReadout> readout_;
  std::unique_ptr<analysis::CircuitState> plotted_;
};

}  // namespace ui
