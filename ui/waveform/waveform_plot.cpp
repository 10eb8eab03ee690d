// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/waveform/waveform_plot.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <optional>

#include "analysis/analysis.h"
#include "ui/waveform/axis_labels.h"
#include "ui/waveform/form2.h"
#include "ui/waveform/form2_layout.h"
#include "ui/waveform/traces.h"
#include "ui/widgets/control_table.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/progress_gate.h"

namespace ui {

namespace {

using analysis::Checked;
using analysis::CheckedAdd;
using analysis::CheckedSub;

// A trace: its samples and peak, its vertical scale and place, its colour.
// A sample s lies at y = (s * height) / peak + zero_line.
struct Trace {
  const analysis::SampleArray& samples;
  double peak;
  double height;
  double zero_line;
  QRgb colour;
};

double TraceY(const Trace& trace, int32_t k) {
  // A zero peak leaves every sample 0: the trace lies on its zero line.
  if (trace.peak == 0) return trace.zero_line;
  const double scaled = Checked(trace.samples.at(k) * trace.height);
  const double y = scaled / trace.peak;
  if (!std::isfinite(y)) analysis::ThrowNonFiniteQuotient(scaled, trace.peak, y);
  return Checked(y + trace.zero_line);
}

// x of sample k of period p: (100 / NP) * (p - 1) + ((100 / NP) * k) / N,
// with `width` = 100 / NP.
double PeriodStart(double width, int32_t period) { return Checked(width * CheckedSub(period, 1)); }
double SampleX(const analysis::CircuitState& state, double width, double start, int32_t k) {
  const double offset = Checked(Checked(width * k) / state.N);
  return Checked(start + offset);
}
double SampleX(const analysis::CircuitState& state, double width, int32_t period, int32_t k) {
  return SampleX(state, width, PeriodStart(width, period), k);
}

// Segments drawn between two calls of the monitor.
constexpr int kMonitorSegments = 1 << 14;

using Traces = std::array<Trace, 4>;

Traces TracesOf(const analysis::CircuitState& state) {
  auto of = [&](const TraceSpec& t) {
    return Trace{state.*t.samples, state.*t.peak, t.height, t.zero_line, t.colour};
  };
  return {of(kTraces[0]), of(kTraces[1]), of(kTraces[2]), of(kTraces[3])};
}

}  // namespace

void DrawTicksAndZeroLines(PictureBox& picture) {
  for (int y = 100; y >= 5; y -= 5) picture.DrawLine(0, y, 0.2f, y);
  for (int x = 0; x <= 100; x += 25) picture.DrawLine(x, 0, x, 0.5f);
  for (const TraceSpec& trace : kTraces) {
    const auto y = static_cast<float>(trace.zero_line);
    picture.DrawLine(0, y, 100, y, trace.colour);
  }
}

void CheckTraces(const analysis::CircuitState& state) {
  if (state.NP < 1 || state.N < 2) return;  // no segment to draw
  const Traces traces = TracesOf(state);
  for (int32_t k = 1; k <= state.N; ++k) {
    for (const Trace& trace : traces) TraceY(trace, k);
  }
}

bool DrawTraces(analysis::CircuitState& state, PictureBox& picture, analysis::RunMonitor& monitor) {
  const Traces traces = TracesOf(state);
  const int32_t periods = state.NP;
  int until_due = kMonitorSegments;
  for (state.cycle = 1; state.cycle <= periods; state.cycle = CheckedAdd(state.cycle, 1)) {
    const double width = Checked(100.0 / periods);
    const int32_t last = CheckedSub(state.N, 1);
    state.k = 1;
    if (last < 1) continue;
    const double start = PeriodStart(width, state.cycle);  // the same for every point
    float x1 = static_cast<float>(SampleX(state, width, start, 1));
    float y1[4];
    PictureBox::Line lines[4];  // the four segments of one k, drawn in trace order
    for (; state.k <= last; state.k = CheckedAdd(state.k, 1)) {
      const int32_t next = CheckedAdd(state.k, 1);
      const float x2 = static_cast<float>(SampleX(state, width, start, next));
      for (int i = 0; i < 4; ++i) {
        if (state.k == 1) y1[i] = static_cast<float>(TraceY(traces[i], 1));
        const float y2 = static_cast<float>(TraceY(traces[i], next));
        lines[i] = {x1, y1[i], x2, y2, traces[i].colour};
        y1[i] = y2;
      }
      picture.DrawLines(lines);
      x1 = x2;
      if (--until_due == 0) {
        until_due = kMonitorSegments;
        if (!monitor.Continue(1.0)) return false;
      }
    }
  }
  return true;
}

const analysis::SampleArray& TraceSamples(const analysis::CircuitState& state, int row) {
  return state.*kTraces[row].samples;
}

QPointF SamplePoint(const analysis::CircuitState& state, int row, int32_t period, int32_t k) {
  const double width = Checked(100.0 / state.NP);
  return {SampleX(state, width, period, k), TraceY(TracesOf(state)[row], k)};
}

double ExactValue(const analysis::ExactSteadyState& exact, int row, double since_on) {
  const analysis::SteadyPoint p = exact.At(since_on);
  const double values[] = {p.is, p.v, p.iC, p.iL};
  return values[row];
}

QList<QPolygonF> ExactTraces(const analysis::CircuitState& state,
                             const analysis::ExactSteadyState& exact, const QList<double>& xs) {
  if (state.NP < 1) return {};
  const double seconds_per_x = (state.NP / state.f) / 100;
  const Traces traces = TracesOf(state);
  QList<QPolygonF> lines(4);
  double largest[4] = {};
  for (QPolygonF& line : lines) line.reserve(xs.size());
  for (const double x : xs) {  // one evaluation of the closed form per column
    const analysis::SteadyPoint p = exact.At(x * seconds_per_x - state.dt);
    const double values[] = {p.is, p.v, p.iC, p.iL};
    for (int row = 0; row < 4; ++row) {
      largest[row] = std::max(largest[row], std::fabs(values[row]));
      lines[row] << QPointF(x, values[row]);
    }
  }
  for (int row = 0; row < 4; ++row) {
    const double scale = traces[row].peak != 0 ? traces[row].peak : largest[row];
    for (QPointF& point : lines[row]) {
      const double y = scale != 0 ? point.y() * traces[row].height / scale : 0;
      point.setY(y + traces[row].zero_line);
    }
  }
  return lines;
}

void RedrawPlotAlone(analysis::CircuitState& plotted, Form2& form) {
  auto* picture = Control<PictureBox>(&form, "Picture1");
  ProgressGate gate(&form);
  gate.SetCancellable(false);  // the old traces are gone already
  PictureBox::Hold hold(*picture);
  picture->Erase();
  DrawTicksAndZeroLines(*picture);
  DrawTraces(plotted, *picture, gate);
}

}  // namespace ui
