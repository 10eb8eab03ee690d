// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The plot of the steady-state waveforms is(t), v(t), iC(t), iL(t) in four
// stacked bands of the plot area, each scaled to its own peak and repeated
// over NP periods.
#pragma once

#include <QList>
#include <QPointF>
#include <QPolygonF>

#include "analysis/circuit_state.h"
#include "analysis/exact_steady_state.h"

namespace ui {

class Form1;
class Form2;

// Opens the waveform window and sets Picture1's coordinates (0, 100)-(100,
// 0); reads the seven fields of Form1 again without checks
// (ReadParameters); works out the time captions; simulates with the source
// wrap; finds the four peaks; draws the 20 left and 5 bottom tick marks,
// the four zero lines and N - 1 segments per trace and period; then
// annotates the axes and makes this the plot on screen (Form2::ShowPlot).
// Nothing is erased: a second plot draws over the first. A trace whose peak
// is 0 lies flat on its zero line. A long run shows its progress and can
// be cancelled (ProgressGate). Throws the Fault of the reading, the
// simulation or a point computation. A plot that fails leaves the plot on
// screen whole; in a window without one it leaves the tick marks and zero
// lines, which it draws first. A plot that is cancelled closes a window it
// opened and else leaves the window as it was. Returns true when the plot
// completed; the window then also holds the accuracy of its run.
// `form2` is the waveform window, loaded by the plot command if need be.
bool PlotWaveforms(analysis::CircuitState& state, const Form1& form1, Form2& form2);

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
