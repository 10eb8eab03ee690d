// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The annotation of the waveform window: the three time captions along the
// time axis of the plot area and the trace names and zero marks in the
// strip beside it.
#pragma once

#include <QString>

#include "analysis/circuit_state.h"

class QWidget;

namespace ui {

// The captions of the time labels at the ticks x = 50, 25 and 75.
struct TimeCaptions {
  QString half, quarter, three_quarters;  // of Label1, Label2, Label3
};

// Sets span_usec = (NP * 1000000) / f, the microseconds shown across the
// plot, and returns span/2, span/4 and 3 span/4 written with "0.00E+00".
// Throws Fault(DivisionByZero) for f = 0 and the Fault of an overflow.
TimeCaptions TimeCaptionsOf(analysis::CircuitState& state);

// Writes the time captions into Label1, Label2 and Label3 of Picture1 at
// x = 49, 24, 74 and y = 3, gives Picture3 the user coordinates
// (0, 100)-(100, 0) and places the eight trace labels of `form`.
// REQUIRES: Picture1 has its plot coordinates.
void LabelAxes(QWidget* form, const TimeCaptions& captions);

}  // namespace ui
