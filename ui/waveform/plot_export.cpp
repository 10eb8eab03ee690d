// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/waveform/plot_export.h"

#include <charconv>

#include <QIODevice>
#include <QWidget>

#include "analysis/analysis.h"
#include "ui/waveform/waveform_plot.h"
#include "ui/widgets/control_table.h"

namespace ui {

namespace {

void Append(std::string& text, double value, char after) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  text.append(buffer, result.ptr);
  text.push_back(after);
}

}  // namespace

double SampleTime(const analysis::CircuitState& state, int64_t n) {
  const double numerator = analysis::Checked(static_cast<double>(n) * 1000000);
  return analysis::CheckedDiv(analysis::CheckedDiv(numerator, state.f), state.N);
}

Written WriteSamplesCsv(const analysis::CircuitState& state, QIODevice& out,
                        analysis::RunMonitor& monitor) {
  constexpr size_t kPiece = size_t{1} << 16;
  std::string text = "t_usec,is_A,v_V,iC_A,iL_A\n";
  text.reserve(kPiece + 256);
  for (int32_t k = 1; k <= state.N; ++k) {
    Append(text, SampleTime(state, k), ',');
    for (int row = 0; row < 4; ++row)
      Append(text, TraceSamples(state, row).at(k), row < 3 ? ',' : '\n');
    if (text.size() >= kPiece) {
      if (out.write(text.data(), static_cast<qint64>(text.size())) != qint64(text.size()))
        return Written::kFailed;
      text.clear();
    }
    if ((k & 0x7fff) == 0 && !monitor.Continue(static_cast<double>(k) / state.N))
      return Written::kCancelled;
  }
  return out.write(text.data(), static_cast<qint64>(text.size())) == qint64(text.size())
             ? Written::kAll
             : Written::kFailed;
}

QImage PlotPicture(QWidget* form2) {
  auto* picture1 = Control<QWidget>(form2, "Picture1");
  const QRect area = Control<QWidget>(form2, "Picture3")->geometry().united(picture1->geometry());
  return picture1->parentWidget()->grab(area).toImage();  // wherever the window is scrolled
}

}  // namespace ui
