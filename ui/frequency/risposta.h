// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// Risposta: the window "Risposta in frequenza". For the circuit of the last
// successful compute or plot, a chart of the peak of v in the periodic
// steady state against the frequency of the square wave, both axes
// logarithmic: exact, and as the Euler method gives it at the compute's N
// (absent where the method is unstable), with the current f and each
// fris / k (k odd) marked. Below it the harmonics of the current f.
//
// Left and Right (Home, End) move a marker along the points of the curves
// and a line reads it; Enter, or a click on the chart, puts its frequency
// into the start window's field f, through the handler the program gives.
// Ctrl+C copies the circuit, the curves and the harmonics for a
// spreadsheet; Esc closes; Ctrl+R ("Aggiorna") computes a cancelled Euler
// curve again; Ctrl+M opens "Precisione del metodo". The window follows
// each new result in place and never takes the focus by itself.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>
#include <QWidget>

#include "analysis/circuit_state.h"
#include "analysis/frequency_response.h"

class QChartView;
class QGraphicsSimpleTextItem;
class QLabel;
class QLogValueAxis;
class QScatterSeries;
class QTableView;

namespace ui {

class Risposta : public QWidget {
  Q_OBJECT

 public:
  Risposta();
  ~Risposta() override;

  // Shows the response of `circuit`, a state that a compute or a plot
  // completed (its Is, R, C, L, f, fris, Qris, N and NP; its arrays are not
  // read): the exact curve and the harmonics at once, then the Euler curve,
  // with the progress dialog of a long command over `progress_over` (this
  // window when null): the window the focus goes back to when it closes.
  // When the user cancels it, the window says so and the next call
  // computes again.
  void ShowResponse(const analysis::CircuitState& circuit, QWidget* progress_over = nullptr);

  // What Enter or a click does with the frequency of the marker: `put`
  // receives it as the shortest text that reads back to the same double,
  // with a point ("159", "5.305164769729845").
  void SetFrequencyHandler(std::function<void(const QString&)> put) { put_ = std::move(put); }

  // Three blocks apart by a blank line, the locale's decimal separator:
  // the circuit, one "symbol [unit]<TAB>value" line each; the header
  // "f [Hz]<TAB>picco esatto [V]<TAB>picco di Eulero [V]<TAB>punto" and one
  // line per frequency; the header of the harmonic table, its rows, and
  // the share they hold of <v^2> and <v^2> itself.
  QString ReportText() const;
  // Puts ReportText() on the clipboard (Ctrl+C).
  void CopyReport();

  // False when the user cancelled the Euler curve.
  bool curve_complete() const { return euler_.has_value(); }

 protected:
  // A window larger than its screen's free area is made to fit, and one
  // partly off it is moved inside.
  void showEvent(QShowEvent* event) override;
  // The keys and clicks of the chart.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowCurves();
  void ShowHarmonics();
  // Moves the marker to point `i` of the curves and reads it.
  void Mark(size_t i);
  // Hands the marker's frequency to the handler.
  void PutMarked();
  // Places the names of fris / k over their marks, leaving out those that
  // would cover another.
  void PlaceLabels();
  // The reading of point `i`.
  QString Reading(size_t i) const;
  // The peak at point `i` on which the marks stand: the exact one, else the
  // Euler one; nullopt where neither can stand on a logarithmic axis.
  std::optional<double> MarkHeight(size_t i) const;

  std::function<void(const QString&)> put_ = [](const QString&) {};
  analysis::CircuitState circuit_;  // its scalars: the circuit shown
  QStringList circuit_values_;
  analysis::CurveFrequencies frequencies_;
  analysis::PeakCurve exact_;
  std::optional<analysis::PeakCurve> euler_;  // none until computed, or cancelled
  bool euler_running_ = false;                // while it is computed
  std::optional<analysis::HarmonicTable> harmonics_;
  std::optional<size_t> marked_;  // the point of the marker

  QLabel* circuit_line_;
  QChartView* chart_view_;
  QLogValueAxis* x_axis_;  // f, Hz
  QLogValueAxis* y_axis_;  // peak of v, V
  QScatterSeries* marker_ = nullptr;                     // owned by the chart
  std::vector<QGraphicsSimpleTextItem*> labels_;         // "f0", "f0/3", …; owned by the chart
  std::vector<std::pair<double, double>> label_points_;  // where each stands: f, peak
  QLabel* reading_;
  QLabel* note_;
  QTableView* table_;
  QLabel* total_;
};

}  // namespace ui
