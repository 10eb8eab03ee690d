// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the plot window gives away of the plot on screen: the time of a
// sample, the samples of the steady-state period as CSV, and the picture.
#pragma once

#include <cstdint>
#include <string>

#include <QImage>

#include "analysis/circuit_state.h"

class QWidget;

namespace ui {

// The time of the n-th sample shown (1 is sample 1 of period 1), in us from
// the start of the plot: ((n * 1000000) / f) / N. Throws the Fault of the
// computation.
double SampleTime(const analysis::CircuitState& state, int64_t n);

// Samples 1 to N of the steady-state period of `state` as CSV: the line
// "t_usec,is_A,v_V,iC_A,iL_A", then one line per sample with its time from
// the start of the period; every number in the shortest form that reads
// back the same double, with a point.
std::string SamplesCsv(const analysis::CircuitState& state);

// The plot area Picture1 and the strip Picture3 of `form2` beside it, with
// all their labels, at the screen's density.
QImage PlotPicture(QWidget* form2);

}  // namespace ui
