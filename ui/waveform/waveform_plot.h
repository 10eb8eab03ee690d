// The plot of the steady-state waveforms is(t), v(t), iC(t), iL(t) in four
// stacked bands of the plot area, each scaled to its own peak and repeated
// over NP periods.
#pragma once

#include <QPointF>

#include "analysis/circuit_state.h"

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

// The samples of trace `row` in the order of the display: 0 is(t), 1 v(t),
// 2 iC(t), 3 iL(t).
const analysis::SampleArray& TraceSamples(const analysis::CircuitState& state, int row);

// Where the plot puts sample k of period `period` of trace `row`, in the
// user units of Picture1. Throws the Fault of the computation.
QPointF SamplePoint(const analysis::CircuitState& state, int row, int32_t period, int32_t k);

}  // namespace ui
