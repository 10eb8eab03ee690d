// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Precisione: the window "Precisione del metodo". How far the Euler result
// of the last successful compute or plot is from the exact steady state:
// the circuit it was computed from on the top line, a table of the peaks,
// the errors, the stability and the settling, and a chart of the error of
// the method's own steady state against N, both axes logarithmic. Ctrl+C
// copies them as text for a spreadsheet; Esc closes; Ctrl+M ("Aggiorna")
// computes a cancelled chart again. Its context menu holds these and
// "Risposta in frequenza…" (Ctrl+R), which the session answers. The window follows
// each new result in place and never takes the focus by itself.
#pragma once

#include <optional>
#include <vector>

#include <QString>
#include <QStringList>
#include <QWidget>

#include "analysis/accuracy.h"

class QChartView;
class QLabel;

namespace ui {

class Precisione : public QWidget {
  Q_OBJECT

 public:
  Precisione();
  ~Precisione() override;

  // Shows `accuracy`: the table at once, then the chart, whose points are
  // computed here, with the progress dialog of a long command over
  // `progress_over` (this window when null): the window the focus goes back
  // to when it closes. When the user cancels them, the chart says so and
  // the next call computes again.
  void ShowAccuracy(const analysis::Accuracy& accuracy, QWidget* progress_over = nullptr);

  // Three blocks apart by a blank line, the locale's decimal separator:
  // the circuit, one "symbol [unit]<TAB>value" line each; the header
  // "quantità<TAB>valore" and the table, one line per row; the header
  // "N<TAB>errore relativo [%]" and the chart's points, one line each.
  QString ReportText() const;
  // Puts ReportText() on the clipboard (Ctrl+C).
  void CopyReport();

  // False when the user cancelled the computation of the chart.
  bool chart_complete() const { return series_.has_value(); }

 protected:
  // A window larger than its screen's free area is made to fit, and one
  // partly off it is moved inside.
  void showEvent(QShowEvent* event) override;

 private:
  void ShowTable(const analysis::Accuracy& accuracy);
  void ShowChart(const analysis::Accuracy& accuracy);

  QLabel* circuit_;              // the line of the circuit
  QStringList circuit_values_;   // its values
  std::vector<QLabel*> values_;  // the value of each row of the table
  QLabel* note_;                 // what the chart shows, or why nothing
  QChartView* chart_view_;
  QWidget* progress_over_ = this;  // during ShowAccuracy
  std::optional<std::vector<analysis::ErrorPoint>> series_;  // of the accuracy shown
};

}  // namespace ui
