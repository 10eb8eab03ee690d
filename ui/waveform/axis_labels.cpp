// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/waveform/axis_labels.h"

#include <QLabel>
#include <QLocale>

#include "analysis/analysis.h"
#include "ui/waveform/traces.h"
#include "ui/widgets/control_table.h"
#include "ui/widgets/picture_box.h"

namespace ui {

namespace {

// Where the trace labels stand across Picture3, in its user units.
constexpr double kNameLeft = 15;
constexpr double kZeroLeft = 70;

}  // namespace

TimeCaptions TimeCaptionsOf(analysis::CircuitState& state) {
  // A fault here names the plot's time span, too long for a tiny f.
  constexpr analysis::FaultCause kTimeSpan{analysis::FaultStep::kTimeSpan, analysis::Field::kF};
  const double span_numerator = analysis::Checked(static_cast<double>(state.NP) * 1000000);
  state.span_usec = span_numerator / state.f;
  if (!std::isfinite(state.span_usec))
    analysis::ThrowNonFiniteQuotient(span_numerator, state.f, state.span_usec, kTimeSpan);
  const std::string separator = QLocale().decimalPoint().toStdString();
  auto caption = [&](double value) {
    return QString::fromStdString(analysis::Format(value, "0.00E+00", separator));
  };
  const double half = analysis::Checked(state.span_usec / 2);
  const double quarter = analysis::Checked(state.span_usec / 4);
  const double three_quarters =
      analysis::Checked(analysis::Checked(state.span_usec * 3, kTimeSpan) / 4);
  return {caption(half), caption(quarter), caption(three_quarters)};
}

void LabelAxes(QWidget* form, const TimeCaptions& captions) {
  auto* picture1 = Control<PictureBox>(form, "Picture1");
  auto set_time_label = [&](const char* name, const QString& caption, double left) {
    auto* label = Control<QLabel>(form, name);
    label->setText(caption);
    picture1->PlaceChild(label, left, 3);
  };
  // Each time caption stands one unit left of its bottom tick mark.
  set_time_label("Label1", captions.half, 49);
  set_time_label("Label2", captions.quarter, 24);
  set_time_label("Label3", captions.three_quarters, 74);

  auto* picture3 = Control<PictureBox>(form, "Picture3");
  picture3->SetScale(0, 100, 100, 0);
  // Each name near the upper end of its band, each "0" on its zero line.
  for (const TraceSpec& trace : kTraces) {
    auto* name = Control<QLabel>(form, trace.name_label);
    name->setText(QString::fromLatin1(trace.name_caption));
    picture3->PlaceChild(name, kNameLeft, trace.name_top);
    auto* zero = Control<QLabel>(form, trace.zero_label);
    zero->setText(QStringLiteral("0"));
    picture3->PlaceChild(zero, kZeroLeft, trace.zero_line);
  }
}

}  // namespace ui
