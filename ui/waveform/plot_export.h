// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the plot window gives away of the plot on screen: the time of a
// sample, the samples of the steady-state period as CSV, and the picture.
#pragma once

#include <cstdint>
#include <string>

#include <QImage>

#include "analysis/circuit_state.h"
#include "analysis/run_monitor.h"
#include "ui/widgets/save_file.h"

class QIODevice;
class QWidget;

namespace ui {

// The time of the n-th sample shown (1 is sample 1 of period 1), in us from
// the start of the plot: ((n * 1000000) / f) / N. Throws the Fault of the
// computation.
double SampleTime(const analysis::CircuitState& state, int64_t n);

// Writes samples 1 to N of the steady-state period of `state` as CSV to
// `out`: the line "t_usec,is_A,v_V,iC_A,iL_A", then one line per sample with
// its time from the start of the period; every number in the shortest form
// that reads back the same double, with a point. Writes 64 KB at a time, so
// that its memory does not grow with N, and asks `monitor` every 32768
// samples. Says whether it wrote all, the monitor stopped it, or `out` took
// less than it was given.
Written WriteSamplesCsv(const analysis::CircuitState& state, QIODevice& out,
                        analysis::RunMonitor& monitor);

// The plot area Picture1 and the strip Picture3 of `form2` beside it, with
// all their labels, at the screen's density.
QImage PlotPicture(QWidget* form2);

}  // namespace ui
