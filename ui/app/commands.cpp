// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/app/commands.h"

#include <memory>
#include <string>

#include <QLocale>

#include "analysis/analysis.h"
#include "ui/parameter/form1.h"
#include "ui/waveform/axis_labels.h"
#include "ui/waveform/form2.h"
#include "ui/waveform/traces.h"
#include "ui/waveform/waveform_plot.h"
#include "ui/widgets/control_table.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/progress_gate.h"

namespace ui {

namespace {

std::string Separator() { return QLocale().decimalPoint().toStdString(); }

// Checks the fields of `form1`; after a message, the field in error has the
// focus with its text selected. Returns true when all passed.
bool CheckFields(analysis::CircuitState& state, Form1& form1,
                 const analysis::ParameterTexts& texts) {
  BoxMessageSink sink;
  int failed = 0;
  if (analysis::CheckParameterFields(state, texts, sink, &failed)) return true;
  form1.SelectField(failed);
  return false;
}

// Shows, after the command's own messages, where its result is not what it
// claims to be.
void ShowWarnings(const analysis::Accuracy& accuracy) {
  BoxMessageSink sink;
  for (const std::string& warning : analysis::AccuracyWarnings(accuracy, Separator()))
    sink.ShowMessage(warning);
}

// Reads the fields, simulates and draws the traces over the tick marks and
// zero lines; returns false when the user cancelled it. Its progress dialog
// (if it came) is gone when it returns.
bool RunAndDraw(analysis::CircuitState& state, const analysis::ParameterTexts& texts, Form2& form,
                PictureBox& picture, bool fresh) {
  analysis::ReadParameters(state, texts);
  const TimeCaptions captions = TimeCaptionsOf(state);
  ProgressGate gate(&form);
  if (!analysis::RunMonitoredSimulation(state, /*wrap_source=*/true, gate)) return false;
  for (const TraceSpec& trace : kTraces) trace.find_peak(state);
  CheckTraces(state);
  auto plotted = std::make_unique<analysis::CircuitState>(state);
  auto accuracy = std::make_unique<analysis::Accuracy>(analysis::AssessAccuracy(state));
  // The advice of a warning is part of the plot: cancelled, so is the plot.
  if (analysis::WarnsOf(*accuracy) && !analysis::Advise(*accuracy, &gate)) return false;
  if (!gate.Continue(1.0)) return false;
  // The drawing takes about a tenth of the run. It can be cancelled when the
  // run showed the progress dialog (and a copy of the drawing to go back to
  // is worth its time); else a dialog that comes during it has no "Annulla".
  std::optional<Checkpoint> checkpoint;
  if (gate.showing())
    checkpoint.emplace(picture);
  else
    gate.SetCancellable(false);
  PictureBox::Hold hold(picture);
  if (!fresh) DrawTicksAndZeroLines(picture);
  if (!DrawTraces(state, picture, gate)) return false;
  form.ShowPlot(std::move(plotted), std::move(accuracy), captions);
  if (checkpoint) checkpoint->Keep();
  return true;
}

}  // namespace

std::optional<analysis::Accuracy> Compute(analysis::CircuitState& state, Form1& form1) {
  const analysis::ParameterTexts texts = form1.FieldTexts();
  if (!CheckFields(state, form1, texts)) return std::nullopt;
  analysis::ReadParameters(state, texts);
  analysis::Accuracy accuracy;
  {
    // The progress dialog goes before the warning box comes.
    ProgressGate gate(&form1);
    if (!analysis::RunMonitoredSimulation(state, /*wrap_source=*/false, gate)) return std::nullopt;
    analysis::FindPeakV(state);
    form1.ShowResults(state);
    accuracy = analysis::AssessAccuracy(state);
    // The advice is worked out only for a box that shows it; cancelled, the
    // box goes without it.
    if (analysis::WarnsOf(accuracy)) analysis::Advise(accuracy, &gate);
  }
  ShowWarnings(accuracy);
  return accuracy;
}

std::optional<analysis::Accuracy> Plot(analysis::CircuitState& state, Form1& form1,
                                       const std::function<Form2&()>& load_form2) {
  const analysis::ParameterTexts texts = form1.FieldTexts();
  if (!CheckFields(state, form1, texts)) return std::nullopt;
  Form2& form = load_form2();
  const bool opened = !form.isVisible();  // this command opens the window
  // An open window comes forward, unchanged; a minimised one is restored.
  form.setWindowState(form.windowState() & ~Qt::WindowMinimized);
  form.show();
  form.raise();
  form.activateWindow();
  auto* picture = Control<PictureBox>(&form, "Picture1");
  picture->SetScale(0, 100, 100, 0);
  // A window without a plot keeps its tick marks and zero lines whatever
  // happens next; a plot on screen stays whole unless this one completes.
  const bool fresh = form.plotted() == nullptr;
  if (fresh) DrawTicksAndZeroLines(*picture);
  // Cancelled: as if nothing had been asked, a window it opened goes too.
  if (!RunAndDraw(state, texts, form, *picture, fresh)) {
    if (opened) form.close();
    return std::nullopt;
  }
  ShowWarnings(*form.plotted_accuracy());
  return *form.plotted_accuracy();
}

}  // namespace ui
