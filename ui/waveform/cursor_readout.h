// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The cursor readout of the waveform window: on every mouse movement over
// the plot area, the trace band under the cursor selects its option button,
// and the time and the value that the cursor's height stands for on that
// trace's scale are shown in the trace's two readout boxes and in the plot
// area's tooltip. It reads no sample and draws nothing. The keyboard's
// sample cursor shows its readings through it too (ShowReading).
#pragma once

#include <optional>

#include <QString>

#include "analysis/circuit_state.h"
#include "analysis/exact_steady_state.h"

class QLabel;
class QRadioButton;
class QWidget;

namespace ui {

class PictureBox;

class CursorReadout {
 public:
  // `window` is the waveform window holding Picture1, Option1..Option4 and
  // the eight readout boxes.
  explicit CursorReadout(QWidget* window);

  // Runs the readout for the cursor at (x, y) in Picture1's user units:
  // sets the plot coordinates again, selects the option button of the band
  // (y >= 90 is(t), >= 60 v(t), >= 30 iC(t), >= 0 iL(t); below 0 the
  // selection stays), then for the selected row: t = ((x / 100) NP
  // 1000000) / f in us, the row's peak search, v = ((y - zero line) peak) /
  // height, both written with "0.00" into the row's boxes, the value box in
  // the trace's colour, the other six boxes blanked, and the tooltip.
  // Returns the reading in words, as ShowReading. Throws the Fault of a
  // computation; what was set before stays.
  QString Update(const analysis::CircuitState& state, float x, float y);

  // Selects the option button of row `row` (0 is(t), 1 v(t), 2 iC(t), 3 iL(t)).
  void Select(int row);
  // The row whose option button is selected.
  int Selected() const;
  // A plotted sample: its value and its instant in s from a switching on
  // of the source.
  struct Sample {
    double value;
    double since_on;
  };

  // Shows time `t` (us) and value `v` in the boxes of row `row` and in the
  // tooltip, as the mouse readout does, and blanks the other six boxes.
  // With the exact steady state on, the tooltip, the value box's
  // description and the reading add `sample` ("Eulero") and the exact
  // value at its instant ("esatto"). Returns the reading in Italian words,
  // for a screen reader.
  QString ShowReading(int row, double t, double v, std::optional<Sample> sample);

  // While `exact` is given, the readings compare the plotted sample with
  // it; nullptr stops it. The last reading is shown again at once, and
  // returned in words; empty when there is none.
  QString SetExact(const analysis::ExactSteadyState* exact);
  // Forgets the last reading: a new plot's samples are not its samples.
  void Forget() { last_.reset(); }

 private:
  struct RowWidgets {
    QRadioButton* option;
    QLabel* time_box;
    QLabel* value_box;
  };

  QString ShowRow(const analysis::CircuitState& state, int row, float x, float y);

  // What the last reading showed, to show it again when the overlay changes.
  struct Reading {
    int row;
    double t, v;
    std::optional<Sample> sample;
  };

  PictureBox* picture_;
  RowWidgets rows_[4];
  const analysis::ExactSteadyState* exact_ = nullptr;
  std::optional<Reading> last_;
};

}  // namespace ui
