// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The commands of the windows as the user runs them, on the offscreen
// platform: each iteration is one click handler from the check of the
// fields to the last caption.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

#include "analysis/analysis.h"
#include "ui/accuracy/precisione.h"
#include "ui/app/session.h"
#include "ui/frequency/risposta.h"
#include "ui/parameter/form1.h"
#include "ui/waveform/form2.h"
#include "ui/widgets/save_file.h"

namespace {

void BM_ComputeCommand(benchmark::State& bench) {
  ui::Session session;
  for (auto _ : bench) session.form1().Command1_Click();
}
BENCHMARK(BM_ComputeCommand)->Unit(benchmark::kMillisecond);

// The plot of the fields N = range(0), NP = range(1): the simulation with the
// source wrap, the four peak searches and 4 NP (N - 1) segments, drawn over
// the same window each time.
void BM_PlotWaveforms(benchmark::State& bench) {
  ui::Session session;
  session.form1().findChild<QLineEdit*>("Text4")->setText(QString::number(bench.range(0)));
  session.form1().findChild<QLineEdit*>("Text8")->setText(QString::number(bench.range(1)));
  for (auto _ : bench) session.form1().Command2_Click();
  bench.counters["segments"] = 4.0 * bench.range(1) * (bench.range(0) - 1);
}
BENCHMARK(BM_PlotWaveforms)->Args({1000, 10})->Args({10000, 100})->Unit(benchmark::kMillisecond);

// One mouse movement over the plot of the default fields: a peak search over
// 1000 samples and the captions of the readout. Alternates between the four
// bands so that every event blanks and fills boxes.
void BM_CursorReadout(benchmark::State& bench) {
  ui::Session session;
  session.form1().Command2_Click();
  ui::Form2* form = session.form2();
  const float heights[] = {95, 70, 40, 10};
  int i = 0;
  for (auto _ : bench) {
    form->Picture1_MouseMove(0, 0, 12.5f + static_cast<float>(i % 7), heights[i % 4]);
    ++i;
  }
}
BENCHMARK(BM_CursorReadout)->Unit(benchmark::kMicrosecond);

// One step of the keyboard cursor over the default plot: the time and the
// value of the next sample in the readout boxes and the tooltip, the marker
// and the reading for a screen reader.
void BM_KeyboardStep(benchmark::State& bench) {
  ui::Session session;
  session.form1().Command2_Click();
  ui::Form2* form = session.form2();
  for (auto _ : bench) form->Picture1_KeyPress(Qt::Key_Right, Qt::NoModifier);
}
BENCHMARK(BM_KeyboardStep)->Unit(benchmark::kMicrosecond);

// Saving the default plot as PNG (range 0) or its samples as CSV (range 1),
// into a temporary folder, from the choice of the file to the rename.
void BM_SavePlot(benchmark::State& bench) {
  ui::Session session;
  session.form1().Command2_Click();
  ui::Form2* form = session.form2();
  QTemporaryDir dir;
  ui::SetSavePathHandler([&](const QString& proposed) { return dir.filePath(proposed); });
  for (auto _ : bench) bench.range(0) == 0 ? form->SaveImage() : form->SaveData();
  ui::SetSavePathHandler(nullptr);
}
BENCHMARK(BM_SavePlot)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The window "Precisione del metodo" of the default compute: its table and
// the 24 fixed points of its chart, computed, laid out and painted.
void BM_PrecisionWindow(benchmark::State& bench) {
  ui::Session session;
  session.form1().Command1_Click();
  analysis::CircuitState state;
  analysis::ReadParameters(state, session.form1().FieldTexts());
  analysis::RunSimulation(state, false);
  analysis::FindPeakV(state);
  const analysis::Accuracy accuracy = analysis::AssessAccuracy(state);
  ui::Precisione window;
  window.show();
  for (auto _ : bench) {
    window.ShowAccuracy(accuracy);
    window.repaint();
  }
}
BENCHMARK(BM_PrecisionWindow)->Unit(benchmark::kMillisecond);

// The window "Risposta in frequenza" of the default compute, from nothing
// to ready: created, its 416 points (exact and Euler) and its harmonics
// computed, shown, laid out and painted.
void BM_ResponseWindow(benchmark::State& bench) {
  ui::Session session;
  session.form1().Command1_Click();
  for (auto _ : bench) {
    ui::Risposta window;
    window.ShowResponse(session.state());
    window.show();
    window.repaint();
  }
}
BENCHMARK(BM_ResponseWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
