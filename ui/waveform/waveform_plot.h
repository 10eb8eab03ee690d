// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The plot of the steady-state waveforms is(t), v(t), iC(t), iL(t) in four
// stacked bands of the plot area, each scaled to its own peak and repeated
// over NP periods.
#pragma once

#include <QImage>
#include <QList>
#include <QPointF>
#include <QPolygonF>

#include "analysis/circuit_state.h"
#include "analysis/exact_steady_state.h"
#include "analysis/run_monitor.h"
#include "ui/widgets/picture_box.h"

namespace ui {

class Form2;

// The plot of a completed run on the plot area: the 20 left and 5 bottom
// tick marks, the four zero lines and N - 1 segments per trace and period,
// each trace scaled to its own peak (a trace whose peak is 0 lies flat on
// its zero line). Nothing is erased: a second plot draws over the first.

// Draws the tick marks and the four coloured zero lines.
void DrawTicksAndZeroLines(PictureBox& picture);

// Computes every point height that DrawTraces will compute, in its order,
// and throws the Fault of the first one that fails: a plot that cannot be
// drawn whole is not drawn at all.
void CheckTraces(const analysis::CircuitState& state);

// Draws NP periods of the four traces; the plot's period and sample indices
// are the shared counters cycle and k of the state. Asks `monitor` on the
// way; returns false when it stopped the drawing.
bool DrawTraces(analysis::CircuitState& state, PictureBox& picture, analysis::RunMonitor& monitor);

// Puts the drawing of the plot area back as it was when it was made, unless
// Keep() is called: a plot cancelled while it draws leaves no trace.
class Checkpoint {
 public:
  explicit Checkpoint(PictureBox& picture) : picture_(picture), drawing_(picture.image()) {}
  ~Checkpoint() {
    if (!kept_) picture_.Restore(drawing_);
  }
  Checkpoint(const Checkpoint&) = delete;
  Checkpoint& operator=(const Checkpoint&) = delete;
  void Keep() { kept_ = true; }

 private:
  PictureBox& picture_;
  const QImage drawing_;  // shares the pixels until the plot draws
  bool kept_ = false;
};

// Erases Picture1 of `form2` to its ground and draws the tick marks, the
// zero lines and the traces of `plotted` again: the plot on screen without
// those drawn before it. The labels, the readout, the overlay and the
// keyboard's cursor stay. A long drawing shows its progress, without
// "Annulla". REQUIRES: `plotted` completed a plot in this window.
void RedrawPlotAlone(analysis::CircuitState& plotted, Form2& form2);

// The samples of trace `row` in the order of the display: 0 is(t), 1 v(t),
// 2 iC(t), 3 iL(t).
const analysis::SampleArray& TraceSamples(const analysis::CircuitState& state, int row);

// Where the plot puts sample k of period `period` of trace `row`, in the
// user units of Picture1. Throws the Fault of the computation.
QPointF SamplePoint(const analysis::CircuitState& state, int row, int32_t period, int32_t k);

// The value of trace `row` (0 is(t), 1 v(t), 2 iC(t), 3 iL(t)) of the exact
// steady state `since_on` s after a switching on of the source. On the plot,
// whose sample k stands at k dt, the source switches on at sample 1: the
// instant t of the plot is t - dt from a switching on.
double ExactValue(const analysis::ExactSteadyState& exact, int row, double since_on);

// The four traces of `exact` over the plot of `state`, one point at each
// user x of `xs`, each on the band and the scale of its trace (the peak of
// the plotted trace; the exact one's own where that is 0). None without a
// period shown.
QList<QPolygonF> ExactTraces(const analysis::CircuitState& state,
                             const analysis::ExactSteadyState& exact, const QList<double>& xs);

}  // namespace ui
