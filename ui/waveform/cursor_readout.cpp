// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/waveform/cursor_readout.h"

#include <algorithm>
#include <cmath>

#include <QCursor>
#include <QLabel>
#include <QLocale>
#include <QRadioButton>
#include <QToolTip>

#include "analysis/analysis.h"
#include "ui/waveform/traces.h"
#include "ui/waveform/waveform_plot.h"
#include "ui/widgets/control_table.h"
#include "ui/widgets/picture_box.h"

namespace ui {

namespace {

using analysis::Checked;

// The row whose band holds y, or -1 below the lowest band. A boundary
// belongs to the band above it; above 100 is still is(t).
int BandOf(float y) {
  if (y >= 90) return 0;
  if (y >= 60) return 1;
  if (y >= 30 && y < 60) return 2;
  if (y >= 0 && y < 30) return 3;
  return -1;
}

// `value` written with "0.00", or with "0.00E+00" when that is too long:
// wider than the readout box `box` (whose frame would cut off its sign or
// digits), or, without a box, longer than 15 characters (the tooltip).
QString FittedText(double value, const QLabel* box = nullptr) {
  const std::string separator = QLocale().decimalPoint().toStdString();
  const QString fixed = QString::fromStdString(analysis::Format(value, "0.00", separator));
  const bool fits = box != nullptr ? box->fontMetrics().horizontalAdvance(fixed) <=
                                         box->contentsRect().width() - 2 * box->margin()
                                   : fixed.size() <= 15;
  if (fits) return fixed;
  return QString::fromStdString(analysis::Format(value, "0.00E+00", separator));
}

// The plotted sample of trace `row` nearest to user x: sample j of the NP N
// shown (1 at the left) stands at x = 100 j / (NP N). None without one.
std::optional<CursorReadout::Sample> SampleAt(const analysis::CircuitState& state, int row,
                                              float x) {
  const int64_t count = int64_t{state.NP} * state.N;
  if (state.NP < 1 || state.N < 1) return std::nullopt;
  const double at = Checked(Checked(static_cast<double>(x) / 100) * static_cast<double>(count));
  const int64_t j = std::clamp<int64_t>(std::llround(at), 1, count);
  const auto k = static_cast<int32_t>((j - 1) % state.N + 1);
  return CursorReadout::Sample{TraceSamples(state, row).at(k),
                               Checked(static_cast<double>(j - 1) * state.dt)};
}

}  // namespace

CursorReadout::CursorReadout(QWidget* window) : picture_(Control<PictureBox>(window, "Picture1")) {
  for (int i = 0; i < 4; ++i) {
    rows_[i] = {Control<QRadioButton>(window, kTraces[i].option),
                Control<QLabel>(window, kTraces[i].time_box),
                Control<QLabel>(window, kTraces[i].value_box)};
  }
}

QString CursorReadout::Update(const analysis::CircuitState& state, float x, float y) {
  picture_->SetScale(0, 100, 100, 0);
  const int band = BandOf(y);
  if (band >= 0) rows_[band].option->setChecked(true);
  return ShowRow(state, Selected(), x, y);
}

QString CursorReadout::ShowRow(const analysis::CircuitState& state, int row, float x, float y) {
  const TraceSpec& spec = kTraces[row];
  const double numerator =
      Checked(Checked(Checked(static_cast<double>(x) / 100) * state.NP) * 1000000);
  const double t = numerator / state.f;
  if (!std::isfinite(t)) analysis::ThrowNonFiniteQuotient(numerator, state.f, t);
  const double peak = analysis::PeakOf(state.*spec.samples, state.N);
  const double v =
      Checked(Checked(Checked(static_cast<double>(y) - spec.zero_line) * peak) / spec.height);
  return ShowReading(row, t, v, SampleAt(state, row, x));
}

QString CursorReadout::SetExact(const analysis::ExactSteadyState* exact) {
  exact_ = exact;
  return last_ ? ShowReading(last_->row, last_->t, last_->v, last_->sample) : QString();
}

void CursorReadout::Select(int row) { rows_[row].option->setChecked(true); }

int CursorReadout::Selected() const {
  for (const RowWidgets& row : rows_) {
    if (row.option->isChecked()) return static_cast<int>(&row - rows_);
  }
  return 0;
}

QString CursorReadout::ShowReading(int row, double t, double v, std::optional<Sample> sample) {
  last_ = Reading{row, t, v, sample};
  const TraceSpec& spec = kTraces[row];
  const QString time_text = FittedText(t, rows_[row].time_box);
  const QString value_text = FittedText(v, rows_[row].value_box);
  // With the overlay on, the plotted sample beside the exact value at its
  // instant: the pointer's height is no sample, so it is not compared.
  QString euler, exact;
  if (exact_ != nullptr && sample) {
    euler = FittedText(sample->value);
    exact = FittedText(ExactValue(*exact_, row, sample->since_on));
  }
  const QString unit_words = QString::fromLatin1(spec.unit_words);
  const QString compared =
      euler.isEmpty()
          ? QString()
          : QStringLiteral(", Eulero %1 %3, esatto %2 %3").arg(euler, exact, unit_words);
  ShowValue(rows_[row].time_box, time_text, QStringLiteral("microsecondi"));
  ShowValue(rows_[row].value_box, value_text, unit_words, compared);
  const QColor colour = QColor::fromRgb(spec.colour);
  if (rows_[row].value_box->palette().color(QPalette::WindowText) != colour) {
    QPalette palette = rows_[row].value_box->palette();
    palette.setColor(QPalette::WindowText, colour);
    rows_[row].value_box->setPalette(palette);
  }
  for (int other = 0; other < 4; ++other) {
    if (other == row) continue;
    ShowValue(rows_[other].time_box, QString());
    ShowValue(rows_[other].value_box, QString());
  }
  QString tooltip = QString::fromLatin1(spec.tooltip_time) + FittedText(t) +
                    QStringLiteral("usec ; ") + QString::fromLatin1(spec.tooltip_trace) +
                    FittedText(v) + QString::fromLatin1(spec.unit);
  if (!euler.isEmpty()) {
    tooltip += QStringLiteral(" ; Eulero = ") + euler + QString::fromLatin1(spec.unit) +
               QStringLiteral(" ; esatto = ") + exact + QString::fromLatin1(spec.unit);
  }
  picture_->setToolTip(tooltip);
  // A tooltip already on screen follows the text while the mouse moves.
  if (QToolTip::isVisible()) QToolTip::showText(QCursor::pos(), tooltip, picture_);
  return QString::fromLatin1(spec.reading).arg(time_text, value_text) + compared;
}

}  // namespace ui
