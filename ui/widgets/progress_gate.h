// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The progress of a long command. A command creates one gate for its run
// and hands it to the simulation as its monitor. Once the run has lasted
// about half a second, the gate shows a modal dialog with the share of the
// periods done and "Annulla", and from then on lets the events of the
// windows through about every 25 ms, so that they repaint. The dialog stays
// up until the gate goes, also after "Annulla": it keeps every other
// command, field edit and readout out for as long as the command runs. A
// run shorter than that shows nothing and processes no event.
#pragma once

#include <chrono>

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include "analysis/simulation.h"

class QProgressDialog;
class QWidget;

namespace ui {

class ProgressGate : public analysis::RunMonitor {
 public:
  // The dialog stands over `window`, the window of the command, and says
  // `label` ("Simulazione in corso…" unless told otherwise).
  explicit ProgressGate(QWidget* window, const QString& label = QString());
  ~ProgressGate() override;
  ProgressGate(const ProgressGate&) = delete;
  ProgressGate& operator=(const ProgressGate&) = delete;

  // Returns false once the user has cancelled: "Annulla", Esc or the
  // dialog's close box. Shows the dialog when it is due.
  bool Continue(double share_done) override;

  // Whether "Annulla" is offered (it is at first). A part of a command that
  // cannot be undone shows its progress without it.
  void SetCancellable(bool cancellable);

  // True once the dialog is on screen.
  bool showing() const;

  // True while a gate exists, that is while a command runs.
  static bool Running();

  // Test seam: the time a run lasts before the dialog appears (500 ms),
  // and then the time between two rounds of events (25 ms).
  static void SetTiming(std::chrono::milliseconds delay, std::chrono::milliseconds events_every);

 private:
  QPointer<QWidget> window_;
  QString label_;
  QElapsedTimer clock_;
  qint64 due_ms_;  // when to look at the dialog and the events next
  QPointer<QProgressDialog> dialog_;
  bool cancelled_ = false;
  bool cancellable_ = true;
};

}  // namespace ui
